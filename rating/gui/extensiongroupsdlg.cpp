#include "extensiongroupsdlg.h"

#include "columnfit.h"
#include "extensiongroupdlg.h"
#include "ratingdatabase.h"
#include "ratingpbxfacts.h"
#include "controlid.h"
#include "stringtable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kTitleString = 3228;
constexpr unsigned kSelectPbxString = 1224;
constexpr unsigned kGroupNameString = 1235;
constexpr unsigned kMembersString = 1236;
constexpr unsigned kModifyString = 1237;
constexpr unsigned kDeleteString = 1238;
constexpr unsigned kNewString = 1239;
constexpr unsigned kConfirmDeleteString = 1240;
constexpr unsigned kInsertFailedString = 1246;
constexpr unsigned kUpdateFailedString = 1247;
constexpr int kListWidth = 420;
constexpr int kListHeight = 260;
constexpr int kColumnMargin = 4;

}  // namespace

CExtensionGroupsDlg::CExtensionGroupsDlg(CRatingDatabase& database, const RatingPbxFacts& pbxs, QWidget* parent)
    : QDialog(parent), m_database(database), m_pbxs(pbxs)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(kTitleString));
    m_pbxCombo = Named(new QComboBox, 1154);
    for (int pbx = 0; pbx < pbxs.Count(); ++pbx) {
        if (pbxs.IsPresent(pbx))
            m_pbxCombo->addItem(pbxs.pbxs[static_cast<std::size_t>(pbx)].deviceName, pbx);
    }
    m_pbxCombo->setCurrentIndex(m_pbxCombo->count() > 0 ? 0 : -1);

    m_list = Named(new QTableWidget(0, 2), 1156);
    m_list->setHorizontalHeaderLabels({LoadResString(kGroupNameString), LoadResString(kMembersString)});
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFixedSize(kListWidth, kListHeight);
    const int inner = kListWidth - 2 * m_list->frameWidth();
    m_columnWidths = {inner * 2 / 3 - kColumnMargin, inner / 3};

    m_new = Named(new QPushButton(LoadResString(kNewString)), 1157);
    m_modify = Named(new QPushButton(LoadResString(kModifyString)), 1158);
    m_delete = Named(new QPushButton(LoadResString(kDeleteString)), 1155);
    m_new->setAutoDefault(false);
    m_modify->setAutoDefault(false);
    m_delete->setAutoDefault(false);

    auto pbxRow = new QHBoxLayout;
    pbxRow->addWidget(Named(new QLabel(LoadResString(kSelectPbxString)), 1153));
    pbxRow->addWidget(m_pbxCombo, 1);
    auto buttons = new QHBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_modify);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto layout = new QVBoxLayout(this);
    layout->addLayout(pbxRow);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_pbxCombo, &QComboBox::currentIndexChanged, this, [this] { FillList(); });
    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    // A double click acts as "Modifica", once the click has been handled.
    connect(m_list, &QTableWidget::cellDoubleClicked, this,
            [this] { QTimer::singleShot(0, this, [this] { OnModify(); }); });
    connect(m_new, &QPushButton::clicked, this, &CExtensionGroupsDlg::OnNew);
    connect(m_modify, &QPushButton::clicked, this, &CExtensionGroupsDlg::OnModify);
    connect(m_delete, &QPushButton::clicked, this, &CExtensionGroupsDlg::OnDelete);
    FillList();
}

int CExtensionGroupsDlg::SelectedPbx() const
{
    return m_pbxCombo->currentIndex() >= 0 ? m_pbxCombo->currentData().toInt() : -1;
}

std::vector<std::int32_t> CExtensionGroupsDlg::SelectedIds() const
{
    std::vector<std::int32_t> ids;
    for (const QModelIndex& row : m_list->selectionModel()->selectedRows())
        ids.push_back(m_list->item(row.row(), 0)->data(Qt::UserRole).toInt());
    return ids;
}

void CExtensionGroupsDlg::FillList()
{
    {
        const QSignalBlocker blocker(m_list);
        m_list->clearSelection();
        m_list->setRowCount(0);
    }
    std::vector<GroupListEntry> groups;
    const int pbx = SelectedPbx();
    if (pbx < 0 || m_database.SelectGroups(pbx, groups) != 0)
        groups.clear();  // unreadable groups count as none
    for (const GroupListEntry& entry : groups) {
        ExtensionGroup group;
        if (m_database.SelectGroup(entry.id, group) != 0)
            continue;
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        auto name = new QTableWidgetItem(group.name);
        name->setData(Qt::UserRole, group.id);
        m_list->setItem(row, 0, name);
        m_list->setItem(row, 1, new QTableWidgetItem(QString::asprintf("%d", group.memberCount)));
    }
    FitColumnsToContents(*m_list, m_columnWidths);
    m_modify->setEnabled(false);
    m_delete->setEnabled(false);
    m_new->setEnabled(pbx >= 0 && static_cast<int>(groups.size()) <= kMaxGroups);
}

void CExtensionGroupsDlg::UpdateButtons()
{
    const auto selected = m_list->selectionModel()->selectedRows().size();
    m_delete->setEnabled(selected > 0);
    m_modify->setEnabled(selected == 1);
}

void CExtensionGroupsDlg::OnNew()
{
    const int pbx = SelectedPbx();
    if (pbx < 0 || !m_new->isEnabled())
        return;
    ExtensionGroup group;
    group.pbx = static_cast<std::uint8_t>(pbx);
    EditAndStore(group, [this](const ExtensionGroup& edited) { return m_database.InsertGroup(edited); },
                 kInsertFailedString);
}

void CExtensionGroupsDlg::OnModify()
{
    const std::vector<std::int32_t> ids = SelectedIds();
    ExtensionGroup group;
    if (ids.size() != 1 || m_database.SelectGroup(ids.front(), group) != 0)
        return;
    EditAndStore(group, [this](const ExtensionGroup& edited) { return m_database.UpdateGroup(edited); },
                 kUpdateFailedString);
}

void CExtensionGroupsDlg::EditAndStore(ExtensionGroup& group, const std::function<int(const ExtensionGroup&)>& store,
                                       unsigned failureString)
{
    CExtensionGroupDlg dialog(group, m_pbxs, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The table refuses a name another group has.
    if (store(group) != 0)
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(failureString));
    FillList();
}

void CExtensionGroupsDlg::OnDelete()
{
    const std::vector<std::int32_t> ids = SelectedIds();
    if (ids.empty())
        return;
    if (QMessageBox::information(this, LoadResString(kProgramNameString), LoadResString(kConfirmDeleteString),
                                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    for (const std::int32_t id : ids)
        m_database.DeleteGroup(id);  // a group already gone is no harm
    FillList();
}
