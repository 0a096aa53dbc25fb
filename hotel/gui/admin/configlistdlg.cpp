#include "configlistdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "commonareaeditdlg.h"
#include "engineerrorcode.h"
#include "gridlines.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "lodgixmessagebox.h"
#include "operatordlg.h"
#include "servicepricedlg.h"
#include "sortlistctrl.h"
#include "sortlistrowsink.h"
#include "stringtable.h"

#include <QLabel>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace lodgix {

namespace {

constexpr int kListWidth = 460;
constexpr int kListHeight = 280;

struct ModeLayout {
    unsigned title;
    std::vector<ListColumn> columns;
    int parts;
    unsigned newText, modifyText, lastText;
};

ModeLayout LayoutOf(short mode)
{
    const QString serviceName = LoadResString(kServiceNameString);
    const QString featureName = LoadResString(kFeatureNameString);
    const std::vector<ListColumn> optional = {{serviceName, 1, CSortListCtrl::kText},
                                              {LoadResString(kExtraPriceString), 1, CSortListCtrl::kNumber, Qt::AlignCenter}};
    switch (mode) {
    case CConfigListDlg::kFeatures:
    case CConfigListDlg::kChooseFeatures:
        return {kFeatureListString, {{featureName, 1, CSortListCtrl::kText}}, 1, kNewFeminineString, kModifyString,
                mode == CConfigListDlg::kFeatures ? kExitString : kApplyString};
    case CConfigListDlg::kClientServices:
        return {kClientServiceListString,
                {{serviceName, 2, CSortListCtrl::kText},
                 {LoadResString(kPriceString), 1, CSortListCtrl::kNumber, Qt::AlignCenter},
                 {LoadResString(kVatString), 1, CSortListCtrl::kNumber}},
                4, kNewServiceString, kModifyString, kExitString};
    case CConfigListDlg::kOptionalServices:
    case CConfigListDlg::kChooseOptionalServices:
        return {kOptionalServiceListString, optional, 2, kNewServiceString, kModifyString,
                mode == CConfigListDlg::kOptionalServices ? kExitString : kApplyString};
    case CConfigListDlg::kCommonAreas:
        return {kCommonAreaListString,
                {{LoadResString(kAreaNameString), 1, CSortListCtrl::kText},
                 {LoadResString(kAreaCodeString), 1, CSortListCtrl::kNumber, Qt::AlignCenter},
                 {LoadResString(kAreaFreeString), 1, CSortListCtrl::kText, Qt::AlignCenter}},
                3, kNewAreaString, kModifyString, kDeleteString};
    default:
        return {kOperatorListString,
                {{LoadResString(kUserNameString), 2, CSortListCtrl::kText},
                 {LoadResString(kAdministratorString), 1, CSortListCtrl::kText, Qt::AlignCenter}},
                3, kNewOperatorString, kDeleteString, kExitString};
    }
}

Money CellMoney(const QString& text)
{
    Money money;
    Money::FromText(text, money);
    return money;
}

VatRate CellRate(const QString& text)
{
    VatRate rate;
    VatRate::FromText(text, rate);
    return rate;
}

}  // namespace

CConfigListDlg::CConfigListDlg(short mode, CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_mode(mode), m_database(database), m_list(new CSortListCtrl(this))
{
    setObjectName(QStringLiteral("CConfigListDlg"));
    const ModeLayout layout = LayoutOf(mode);
    setWindowTitle(LoadResString(layout.title));
    m_list->setObjectName(Id(kList));
    ShowGridLines(*m_list);
    m_list->setFixedSize(kListWidth, kListHeight);
    SetListColumns(*m_list, layout.columns, layout.parts, kListWidth);
    m_new = AddButton(this, kNew, LoadResString(layout.newText));
    m_modify = AddButton(this, kModify, LoadResString(layout.modifyText));
    m_last = AddButton(this, kLast, LoadResString(layout.lastText));
    connect(m_new, &QPushButton::clicked, this, &CConfigListDlg::OnNew);
    connect(m_modify, &QPushButton::clicked, this, &CConfigListDlg::OnModify);
    connect(m_last, &QPushButton::clicked, this, &CConfigListDlg::OnLast);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CConfigListDlg::UpdateButtons);

    auto buttons = new QVBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_modify);
    buttons->addStretch();
    buttons->addWidget(m_last);
    auto top = new QHBoxLayout(this);
    top->addWidget(m_list);
    top->addLayout(buttons);
    Fill();
}

void CConfigListDlg::SetChosen(const std::vector<int>& ids)
{
    m_chosen = ids;
    Fill();
}

int CConfigListDlg::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CConfigListDlg::Fill()
{
    SortListRowSink rows(*m_list);
    if (IsOperators()) {
        m_database.FillOperatorList(rows);
        for (int row = 0; row < m_list->ItemCount(); ++row) {
            if (m_list->ItemData(row) == m_mode)
                m_list->SetItemText(row, 0, m_list->ItemText(row, 0) + QStringLiteral(" (") +
                                               LoadResString(kConnectedString) + u')');
        }
    } else if (IsFeatures()) {
        m_database.FillRoomFeatureList(rows);
    } else if (IsOptional()) {
        m_database.FillOptionalServiceList(rows);
    } else if (m_mode == kClientServices) {
        m_database.FillClientServiceList(rows);
    } else {
        std::vector<CommonAreaRecord> areas;
        rows.DeleteAll();
        if (m_database.LoadCommonAreas(areas) == kNoError) {
            for (const CommonAreaRecord& area : areas)
                rows.Append({area.label, area.code, area.free ? QStringLiteral("X") : QString()}, area.id);
        }
    }
    if (IsChoice()) {
        for (int row = 0; row < m_list->ItemCount(); ++row) {
            const bool chosen = std::find(m_chosen.begin(), m_chosen.end(), m_list->ItemData(row)) != m_chosen.end();
            m_list->topLevelItem(row)->setCheckState(0, chosen ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_list->clearSelection();
    m_modify->setEnabled(false);
    if (m_mode == kCommonAreas)
        m_last->setEnabled(false);
}

void CConfigListDlg::UpdateButtons()
{
    const int row = SelectedRow();
    // The logged-in operator cannot delete himself.
    m_modify->setEnabled(row >= 0 && !(IsOperators() && m_list->ItemData(row) == m_mode));
    if (m_mode == kCommonAreas)
        m_last->setEnabled(row >= 0);
}

void CConfigListDlg::OnNew()
{
    if (IsOperators()) {
        COperatorDlg dialog(false, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        int id = 0;
        if (m_database.InsertOperator(dialog.UserName(), dialog.Password(), dialog.Administrator(), id) != kNoError) {
            LodgixMessageBox(this, kOperatorInsertFailedString, QMessageBox::Critical);
            return;
        }
        Fill();
    } else if (m_mode == kCommonAreas) {
        CommonAreaRecord area;
        area.free = true;
        CCommonAreaEditDlg dialog(area, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        if (m_database.InsertCommonArea(area) != kNoError) {
            LodgixMessageBox(this, kAreaSaveFailedString, QMessageBox::Critical);
            return;
        }
        Fill();
    } else {
        NewService();
    }
}

void CConfigListDlg::NewService()
{
    const auto kind = m_mode == kClientServices ? CServicePriceDlg::kClientService
                      : IsFeatures()             ? CServicePriceDlg::kFeature
                                                 : CServicePriceDlg::kOptionalService;
    CServicePriceDlg dialog(kind, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int id = 0;
    if (kind == CServicePriceDlg::kClientService) {
        // The built-in service exists once: a second one of that name would never be charged.
        if (dialog.Name() == QLatin1String(kInternetAccessService) ||
            m_database.InsertClientService(dialog.Name(), dialog.Price(), dialog.Vat(), id) != kNoError) {
            LodgixMessageBox(this, kClientServiceInsertFailedString, QMessageBox::Critical);
            return;
        }
    } else if (m_database.InsertRoomService(dialog.Name(), dialog.Price(), dialog.Vat(), id) != kNoError) {
        LodgixMessageBox(this, kRoomServiceInsertFailedString, QMessageBox::Critical);
        return;
    }
    Fill();
}

void CConfigListDlg::OnModify()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (IsOperators()) {
        if (m_list->ItemData(row) == m_mode)
            return;
        m_database.DeleteOperator(static_cast<int>(m_list->ItemData(row)));
        Fill();
    } else if (m_mode == kCommonAreas) {
        ModifyArea(row);
    } else {
        ModifyService(row);
    }
}

void CConfigListDlg::ModifyService(int row)
{
    const auto kind = m_mode == kClientServices ? CServicePriceDlg::kClientService
                      : IsFeatures()             ? CServicePriceDlg::kFeature
                                                 : CServicePriceDlg::kOptionalService;
    CServicePriceDlg dialog(kind, this);
    dialog.SetService(m_list->ItemText(row, 0), CellMoney(m_list->ItemText(row, 1)),
                      CellRate(m_list->ItemText(row, 2)));
    if (dialog.exec() == QDialog::Accepted) {
        const int id = static_cast<int>(m_list->ItemData(row));
        const int result = kind == CServicePriceDlg::kClientService
                               ? m_database.UpdateClientService(id, dialog.Name(), dialog.Price(), dialog.Vat())
                               : m_database.UpdateRoomService(id, dialog.Name(), dialog.Price(), dialog.Vat());
        if (result != kNoError) {
            LodgixMessageBox(this, kRoomServiceUpdateFailedString, QMessageBox::Critical);
            return;
        }
    }
    Fill();
}

void CConfigListDlg::ModifyArea(int row)
{
    CommonAreaRecord area;
    area.id = static_cast<int>(m_list->ItemData(row));
    area.label = m_list->ItemText(row, 0).left(CommonAreaRecord::kLabelLength + 1);
    area.code = m_list->ItemText(row, 1).left(CommonAreaRecord::kCodeLength);
    area.free = !m_list->ItemText(row, 2).isEmpty();
    CCommonAreaEditDlg dialog(area, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_database.UpdateCommonArea(area.id, area) != kNoError)
        LodgixMessageBox(this, kAreaSaveFailedString, QMessageBox::Critical);
    Fill();
}

void CConfigListDlg::OnLast()
{
    if (m_mode == kCommonAreas) {
        const int row = SelectedRow();
        if (row < 0)
            return;
        const QString question = LoadResString(kDeleteAreaQuestionString) + u' ' + m_list->ItemText(row, 0);
        if (LodgixMessageBox(this, question, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No) ==
            QMessageBox::Yes)
            m_database.DeleteCommonArea(static_cast<int>(m_list->ItemData(row)));
        Fill();
    } else if (IsChoice()) {
        std::vector<int> ticked;
        for (int row = 0; row < m_list->ItemCount(); ++row) {
            if (m_list->topLevelItem(row)->checkState(0) == Qt::Checked)
                ticked.push_back(static_cast<int>(m_list->ItemData(row)));
        }
        // A room keeps at most this many services: more would be lost when the room is stored.
        if (ticked.size() > static_cast<std::size_t>(RoomRecord::kMaxServices)) {
            LodgixMessageBox(this, kTooManyServicesString, QMessageBox::Critical);
            return;
        }
        m_chosen = std::move(ticked);
        accept();
    } else {
        reject();
    }
}

}  // namespace lodgix
