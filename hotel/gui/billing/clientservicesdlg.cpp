#include "clientservicesdlg.h"

#include "admincontrols.h"
#include "engineerrorcode.h"
#include "gridlines.h"
#include "hoteltablesetup.h"
#include "internetgateway.h"
#include "lodgixmessagebox.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "oledatetext.h"
#include "serviceeditdlg.h"
#include "sortlistctrl.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace lodgix {
namespace {

constexpr unsigned kTitleString = 6018;             // "Lista servizi richiesti"
constexpr unsigned kServiceNameString = 2025;       // "Nome servizio"
constexpr unsigned kNewServiceString = 2027;        // "Nuovo servizio"
constexpr unsigned kRoomString = 2033;              // "Camera"
constexpr unsigned kVatString = 2034;               // "IVA (%)"
constexpr unsigned kUserNameString = 2045;          // "Username"
constexpr unsigned kDeleteString = 2059;            // "Elimina"
constexpr unsigned kModifyString = 2079;            // "Modifica"
constexpr unsigned kAddFailedString = 2120;         // "Errore nell'aggiunta del servizio cliente"
constexpr unsigned kPriceString = 2121;             // "Prezzo (€)"
constexpr unsigned kDateString = 2122;              // "Data"
constexpr unsigned kOperatorString = 2123;          // "Operatore"
constexpr unsigned kDeleteQuestionString = 2124;    // "Confermi l'eliminazione del servizio"
constexpr unsigned kDeleteAccessString = 2319;      // "Confermi l'eliminazione del servizio e del codice ..."
constexpr unsigned kDeleteAnywayString = 2320;      // "L'eliminazione del codice dalla board non è andata ..."
constexpr unsigned kAccessCodeString = 2322;        // "Codice di accesso"
constexpr unsigned kLongestConnectionString = 2323; // "Durata massima della connessione"
constexpr unsigned kHoursString = 2324;             // "ore"
constexpr unsigned kTooManyServicesString = 49150;  // "Il soggiorno ha posto soltanto per altri %1 servizi."

// The list's width when the window opens: its columns share it in elevenths, less the frame.
constexpr int kListWidth = 780;
constexpr int kListHeight = 260;
constexpr int kFrame = 4;
constexpr int kShares = 11;

const QString kAccessOpening = QString::fromLatin1(kInternetAccessService) + QStringLiteral(" (");

bool IsYes(QWidget* parent, unsigned question)
{
    return LodgixMessageBox(parent, question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace

CClientServicesDlg::CClientServicesDlg(LodgixState& state, DeskWindowLinks links, const CheckInRecord& stay,
                                       QWidget* parent)
    : CLodgixDialog(parent), m_state(state), m_links(std::move(links)), m_stay(stay),
      m_list(new CSortListCtrl(this)), m_ticket(new CSortListCtrl(this)),
      m_new(new QPushButton(LoadResString(kNewServiceString), this)),
      m_modify(new QPushButton(LoadResString(kModifyString), this)),
      m_delete(new QPushButton(LoadResString(kDeleteString), this))
{
    setObjectName(Id(kDialogId));
    setWindowTitle(LoadResString(kTitleString));
    m_list->setObjectName(Id(kServiceList));
    m_list->setMinimumSize(kListWidth, kListHeight);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    ShowGridLines(*m_list);
    SetServiceColumns();
    // The ticket is what the print of a sold access shows; the window has no room to show it as well.
    m_ticket->setObjectName(Id(kTicketList));
    m_ticket->setHeaderHidden(true);
    m_ticket->InsertColumn(0, QString(), CSortListCtrl::kText, Qt::AlignLeft, kListWidth / 2);
    m_ticket->InsertColumn(1, QString(), CSortListCtrl::kText, Qt::AlignHCenter, kListWidth / 2);
    m_ticket->hide();
    const std::pair<QPushButton*, int> buttons[] = {{m_new, kNewService}, {m_modify, kModifyService},
                                                    {m_delete, kDeleteService}};
    for (const auto& [button, id] : buttons) {
        button->setObjectName(Id(id));
        button->setAutoDefault(false);
    }
    connect(m_new, &QPushButton::clicked, this, &CClientServicesDlg::OnNewService);
    connect(m_modify, &QPushButton::clicked, this, &CClientServicesDlg::OnModifyService);
    connect(m_delete, &QPushButton::clicked, this, &CClientServicesDlg::OnDeleteService);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CClientServicesDlg::UpdateButtons);

    auto row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_new);
    row->addWidget(m_modify);
    row->addWidget(m_delete);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_ticket);
    layout->addLayout(row);
    FillServiceList();
}

void CClientServicesDlg::SetServiceColumns()
{
    struct Column {
        unsigned heading;
        int share;
        int sortType;
        Qt::Alignment alignment;
    };
    const Column columns[] = {
        {kServiceNameString, 3, CSortListCtrl::kText, Qt::AlignLeft},
        {kPriceString, 2, CSortListCtrl::kNumber, Qt::AlignHCenter},
        {kVatString, 1, CSortListCtrl::kNumber, Qt::AlignHCenter},
        {kDateString, 3, CSortListCtrl::kDate, Qt::AlignHCenter},
        {kOperatorString, 2, CSortListCtrl::kText, Qt::AlignHCenter},
    };
    const int width = kListWidth - kFrame;
    for (const Column& column : columns)
        m_list->InsertColumn(m_list->columnCount(), LoadResString(column.heading), column.sortType, column.alignment,
                             width * column.share / kShares);
}

void CClientServicesDlg::FillServiceList()
{
    m_list->DeleteAllItems();
    for (int slot = 0; slot < m_stay.serviceCount; ++slot) {
        const StayService& service = m_stay.services[static_cast<std::size_t>(slot)];
        if (service.price.IsZero())
            continue;  // a deleted service keeps its slot
        const int row = m_list->InsertItem(m_list->ItemCount(), service.name, slot);
        m_list->SetItemText(row, 1, service.price.Text());
        m_list->SetItemText(row, 2, service.vat.Text());
        m_list->SetItemText(row, 3, FormatOleDate(service.date, QLocale()));
        if (service.date.IsValid())
            m_list->SetSortValue(row, 3, service.date.ToDateTime());
        m_list->SetItemText(row, 4, m_state.database->GetOperatorName(service.userId));
    }
    ShowWholeTextsAsTips(*m_list);  // names run to 63 characters
    m_list->clearSelection();
    UpdateButtons();
}

void CClientServicesDlg::UpdateButtons()
{
    const bool selected = SelectedSlot() >= 0;
    m_modify->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_new->setEnabled(m_stay.serviceCount < CheckInRecord::kMaxServices);
}

int CClientServicesDlg::SelectedSlot() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return -1;
    return static_cast<int>(m_list->ItemData(m_list->indexOfTopLevelItem(selected.first())));
}

void CClientServicesDlg::StoreSlot(int slot, const QString& name, Money price, VatRate vat)
{
    StayService& service = m_stay.services[static_cast<std::size_t>(slot)];
    service.name = name;
    service.price = price;
    service.vat = vat;
    service.userId = m_state.currentOperator.id;
    service.date = OleDate::Now();
}

void CClientServicesDlg::OnNewService()
{
    CServiceEditDlg dialog(CServiceEditDlg::kClientServices, m_stay.guestIds[0], *m_state.database, this);
    if (m_link)
        dialog.SetGatewayLink(*m_link);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Each unit takes a slot: a quantity the stay cannot hold whole is not stored at all.
    const int free = CheckInRecord::kMaxServices - m_stay.serviceCount;
    if (dialog.Quantity() > free) {
        LodgixMessageBox(this, LoadResString(kTooManyServicesString).arg(free), QMessageBox::Critical);
        return;
    }
    for (int unit = 0; unit < dialog.Quantity(); ++unit) {
        if (m_state.database->AddStayService(m_state.hotelId, m_stay.checkInId, dialog.Description(), dialog.Price(),
                                             dialog.Vat(), m_state.currentOperator.id) != kNoError) {
            LodgixMessageBox(this, kAddFailedString, QMessageBox::Critical);
            // An access the stay does not charge must not stay open on the gateway.
            if (dialog.Sold())
                RemoveGatewayUser(dialog.Description());
            FillServiceList();
            return;
        }
        StoreSlot(m_stay.serviceCount++, dialog.Description(), dialog.Price(), dialog.Vat());
    }
    if (dialog.Sold())
        PrintTicket(dialog.GuestName(), dialog.Hours(), dialog.AccessCode(), dialog.Price());
    FillServiceList();
}

void CClientServicesDlg::PrintTicket(const QString& guestName, int hours, const QString& code, Money price)
{
    const quint16 room = FindRoomIndex(m_stay.roomId, m_state.rooms);
    const std::pair<unsigned, QString> rows[] = {
        {kUserNameString, guestName},
        {kRoomString, room == kNoRoom ? QString() : m_state.rooms[room].label},
        {kDateString, FormatOleDate(OleDate::Now(), QLocale())},
        {kAccessCodeString, code},
        {kLongestConnectionString, QStringLiteral("%1 %2").arg(hours).arg(LoadResString(kHoursString))},
        {kPriceString, price.Text()},
    };
    m_ticket->DeleteAllItems();
    for (const auto& [label, value] : rows)
        m_ticket->SetItemText(m_ticket->InsertItem(m_ticket->ItemCount(), LoadResString(label)), 1, value);
    m_links.PrintList(kPrintInternetAccess, *m_ticket);
}

void CClientServicesDlg::OnModifyService()
{
    const int slot = SelectedSlot();
    if (slot < 0)
        return;
    const StayService& service = m_stay.services[static_cast<std::size_t>(slot)];
    CServiceEditDlg dialog(CServiceEditDlg::kClientServices, 0, *m_state.database, this);
    dialog.SetDescription(service.name);
    dialog.SetPrice(service.price);
    dialog.SetVat(service.vat);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_state.database->UpdateStayService(m_state.hotelId, m_stay.checkInId, slot, dialog.Description(),
                                            dialog.Price(), dialog.Vat(), m_state.currentOperator.id) != kNoError)
        LodgixMessageBox(this, kAddFailedString, QMessageBox::Critical);
    else
        StoreSlot(slot, dialog.Description(), dialog.Price(), dialog.Vat());
    FillServiceList();
}

void CClientServicesDlg::OnDeleteService()
{
    const int slot = SelectedSlot();
    if (slot < 0)
        return;
    const QString name = m_stay.services[static_cast<std::size_t>(slot)].name;
    if (name.startsWith(QLatin1String(kInternetAccessService))) {
        if (!IsYes(this, kDeleteAccessString) || (!RemoveGatewayUser(name) && !IsYes(this, kDeleteAnywayString))) {
            FillServiceList();
            return;
        }
    } else if (!IsYes(this, kDeleteQuestionString)) {
        return;
    }
    // A deleted service keeps its slot, priced 0.
    if (m_state.database->UpdateStayService(m_state.hotelId, m_stay.checkInId, slot, name, Money(), VatRate(),
                                            m_state.currentOperator.id) != kNoError) {
        LodgixMessageBox(this, kAddFailedString, QMessageBox::Critical);
    } else {
        StayService& service = m_stay.services[static_cast<std::size_t>(slot)];
        service.price = Money();
        service.vat = VatRate();
    }
    FillServiceList();
}

bool CClientServicesDlg::RemoveGatewayUser(const QString& name)
{
    // "Internet access (code)": the code lies between the opening and the closing bracket.
    QString code = name.mid(kAccessOpening.size());
    code.chop(1);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CInternetGateway gateway(m_link.value_or(GatewayLink::FromRegistry()));
    const bool removed = gateway.DeleteUser(code) == 1;
    QApplication::restoreOverrideCursor();
    return removed;
}

void CClientServicesDlg::reject()
{
    // The view owns this window: it closes and deletes it on the notice.
    m_links.Notify(kClosedMessage);
}

}  // namespace lodgix
