#pragma once

#include "extensiongroup.h"

#include <QDialog>

struct RatingPbxFacts;
class QLineEdit;
class QTreeWidget;

// Dialog 147: the name and the members of one extension group. Every extension of the group's PBX is a
// row with a check box, the stored members checked. OK keeps the dialog open, with a message, while the
// name is empty or no extension is checked; otherwise it writes the name and the checked extensions, in
// row order, into the record it was given.
class CExtensionGroupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 147;

    CExtensionGroupDlg(ExtensionGroup& group, const RatingPbxFacts& pbxs, QWidget* parent = nullptr);

    void accept() override;

private:
    ExtensionGroup& m_group;
    QLineEdit* m_name = nullptr;     // 1160
    QTreeWidget* m_members = nullptr;  // 1159
};
