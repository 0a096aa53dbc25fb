#pragma once

#include "settingspage.h"

#include <array>

class QPushButton;
class QTreeWidget;

// The office plug-in: what it does (five flag bits) and the incoming-call filter rules, up to 64, kept
// in list order. New rules go at the end; a rule is edited in the rule dialog and deleted without a
// question. Rules change in the record copy at once.
class COfficePluginConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    static constexpr std::array<int, 5> kChecks{1128, 1129, 1130, 1131, 1132};
    static constexpr int kList = 1025;
    static constexpr int kNew = 1026;
    static constexpr int kEdit = 1027;
    static constexpr int kDelete = 1028;

    explicit COfficePluginConfiguration(CSystemConfiguration& sheet);

    void OnInitDialog() override;
    void OnApply() override;

private:
    void FillList();
    int FirstSelectedRow() const;
    void OnNew();
    void OnEdit();
    void OnDelete();

    QTreeWidget* m_list;
    QPushButton* m_new;
    QPushButton* m_edit;
    QPushButton* m_delete;
};
