#include "extensiongroupdlg.h"

#include "ratingpbxfacts.h"
#include "controlid.h"
#include "stringtable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kGroupNameString = 1235;
constexpr unsigned kExtensionListString = 1241;
constexpr unsigned kNewGroupTitle = 1242;
constexpr unsigned kModifyGroupTitle = 1243;
constexpr unsigned kEmptyNameString = 1244;
constexpr unsigned kNoMemberString = 1245;
constexpr unsigned kOkText = 19001;
constexpr unsigned kCancelText = 1202;
constexpr int kListHeight = 260;
constexpr int kDialogWidth = 340;

}  // namespace

CExtensionGroupDlg::CExtensionGroupDlg(ExtensionGroup& group, const RatingPbxFacts& pbxs, QWidget* parent)
    : QDialog(parent), m_group(group)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(group.id == 0 ? kNewGroupTitle : kModifyGroupTitle));
    m_name = Named(new QLineEdit(group.name.left(ExtensionGroup::kMaxNameLength)), 1160);
    m_name->setMaxLength(ExtensionGroup::kMaxNameLength);
    m_members = Named(new QTreeWidget, 1159);
    m_members->setColumnCount(1);
    m_members->setHeaderLabels({LoadResString(kExtensionListString)});
    m_members->setRootIsDecorated(false);
    m_members->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_members->setMinimumHeight(kListHeight);
    // Members are kept as one byte each: an extension past 255 cannot be one.
    const int extensions = std::min(pbxs.ExtensionCount(group.pbx), ExtensionGroup::kMaxMembers);
    for (int extension = 0; extension < extensions; ++extension) {
        auto row = new QTreeWidgetItem(m_members, {pbxs.ExtensionLabel(group.pbx, extension)});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
    }
    for (int i = 0; i < std::min(group.memberCount, ExtensionGroup::kMaxMembers); ++i) {
        if (QTreeWidgetItem* row = m_members->topLevelItem(group.members[static_cast<std::size_t>(i)]))
            row->setCheckState(0, Qt::Checked);
    }

    auto ok = Named(new QPushButton(LoadResString(kOkText)), 1157);
    auto cancel = Named(new QPushButton(LoadResString(kCancelText)), 1158);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CExtensionGroupDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CExtensionGroupDlg::reject);
    auto name = new QHBoxLayout;
    name->addWidget(Named(new QLabel(LoadResString(kGroupNameString)), 1161));
    name->addWidget(m_name, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    setMinimumWidth(kDialogWidth);
    layout->addLayout(name);
    layout->addWidget(m_members, 1);
    layout->addLayout(buttons);
}

void CExtensionGroupDlg::accept()
{
    const QString caption = LoadResString(kProgramNameString);
    const QString name = m_name->text().left(ExtensionGroup::kMaxNameLength);
    if (name.isEmpty()) {
        QMessageBox::critical(this, caption, LoadResString(kEmptyNameString));
        return;
    }
    std::array<std::uint8_t, ExtensionGroup::kMaxMembers> members{};
    int count = 0;
    for (int row = 0; row < m_members->topLevelItemCount() && count < ExtensionGroup::kMaxMembers; ++row) {
        if (m_members->topLevelItem(row)->checkState(0) == Qt::Checked)
            members[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(row);
    }
    m_group.name = name;
    if (count == 0) {
        QMessageBox::critical(this, caption, LoadResString(kNoMemberString));
        return;
    }
    m_group.members = members;
    m_group.memberCount = count;
    QDialog::accept();
}
