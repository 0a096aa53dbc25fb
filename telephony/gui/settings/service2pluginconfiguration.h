#pragma once

#include "settingspage.h"

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The second-PBX plug-in: what it acts on (five flag bits), which installed PBX is the second one, and
// the connections between lines of one PBX and extensions of the other, up to 32 in each direction.
// Connections change in the record copy at once; a row's item data is its position, with bit 31 set for
// the direction from the second PBX. A stored second PBX that the list does not hold (255: none) stays
// as it is unless the operator chooses one.
class CService2PluginConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    static constexpr std::array<int, 5> kChecks{1141, 1145, 1144, 1143, 1142};  // bits 0-4
    static constexpr int kNotice = 1140;
    static constexpr int kList = 1146;
    static constexpr int kNew = 1147;
    static constexpr int kEdit = 1148;
    static constexpr int kDelete = 1149;
    static constexpr int kSecondPbx = 1151;
    static constexpr std::uint32_t kSecondDirectionBit = 0x80000000u;
    static constexpr int kItemDataRole = Qt::UserRole;

    explicit CService2PluginConfiguration(CSystemConfiguration& sheet);

    void OnInitDialog() override;
    void OnApply() override;

private:
    void FillList();
    int FirstSelectedRow() const;
    void OnNew();
    void OnEdit();
    void OnDelete();

    QComboBox* m_secondPbx;
    QTreeWidget* m_list;
    QPushButton* m_new;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QLabel* m_notice;
    bool m_pbxChosen = false;
};
