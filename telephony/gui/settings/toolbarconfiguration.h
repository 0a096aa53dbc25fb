#pragma once

#include "settingspage.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The toolbar's six programmable buttons: a row each with its label, three numbers and the hang-up and
// system-programming flags. "Applica" writes the edits into the selected entry of the record copy at
// once (system programming implies hang-up; an empty label clears the entry); OK copies the rows' texts.
class CToolbarConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    static constexpr int kList = 1106;
    static constexpr int kLabel = 1107;
    static constexpr int kApply = 1109;
    static constexpr std::array<int, 3> kNumbers{1110, 1112, 1114};
    static constexpr int kHangUp = 1118;
    static constexpr int kSystem = 1119;
    // The entry's fields keep a terminator: 47 characters of label, 49 of each number.
    static constexpr int kLabelMaxLength = 47;
    static constexpr int kNumberMaxLength = 49;

    explicit CToolbarConfiguration(CSystemConfiguration& sheet);

    void OnInitDialog() override;
    void OnApply() override;

protected:
    void OnShown() override;

private:
    void FillList();
    void ClearEdits();
    void OnSelection();
    void OnApplyToSelection();
    int FirstSelectedRow() const;

    QTreeWidget* m_list;
    QLineEdit* m_label;
    std::array<QLineEdit*, 3> m_numbers{};
    QCheckBox* m_hangUp = nullptr;
    QCheckBox* m_system = nullptr;
    QPushButton* m_apply;
};
