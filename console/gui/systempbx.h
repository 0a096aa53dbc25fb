#pragma once

#include <QWidget>

class CGlobalConfiguration;
class QPushButton;
class QTreeWidget;

// The sheet's "Centralini" page (server workstations): the installed PBXs, with a new one, a change and a
// removal, each stored at once. The PBX bound to this workstation cannot be removed; removing one before
// it moves the sheet's PBX index down with the PBXs that follow.
class CSystemPbx : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxPbxs = 5;

    explicit CSystemPbx(CGlobalConfiguration& sheet, QWidget* parent = nullptr);

private:
    void Refill();
    void OnSelectionChanged();
    int SelectedRow() const;
    void AddPbx();
    void ModifyPbx();
    void DeletePbx();

    CGlobalConfiguration& m_sheet;
    QTreeWidget* m_list;
    QPushButton* m_new;
    QPushButton* m_modify;
    QPushButton* m_delete;
};
