#pragma once

#include "settingspage.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

// For which extensions alarm calls are handled: a row per extension with "X" when they are. "Applica"
// marks the selected rows in the record copy at once (255 switched on, 0 off); OK stores 1 or 0 per row.
class CAlarmConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    static constexpr int kList = 1103;
    static constexpr int kChoice = 1104;
    static constexpr int kApply = 1105;
    static constexpr std::uint8_t kSwitchedOnByApply = 255;

    explicit CAlarmConfiguration(CSystemConfiguration& sheet);

    void OnInitDialog() override;
    void OnApply() override;

protected:
    void OnShown() override;

private:
    int ExtensionCount() const;
    void FillList();
    void OnApplyToSelection();

    QTreeWidget* m_list;
    QComboBox* m_choice;
    QPushButton* m_apply;
};
