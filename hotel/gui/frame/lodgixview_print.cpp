// CLodgixView: printing (the print steps of the preview, the queue of documents, the print options), the
// reopening of issued documents, the front desk's list and statistics windows and the group booking.
#include "lodgixview.h"

#include "clientservicesdlg.h"
#include "documentfiles.h"
#include "frontdesklistdlg.h"
#include "groupbookingcommand.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "messageeditdlg.h"
#include "printpreview.h"
#include "printsettingsdlg.h"
#include "roomdaystatus.h"
#include "sortlistctrl.h"
#include "settingsfile.h"
#include "staydocumentchoice.h"
#include "statisticsdlg.h"

using namespace lodgix;

namespace {

constexpr int kOpenDocumentCommand = 32794;
constexpr int kPrintOptionsCommand = 32796;
constexpr int kCheckInListCommand = 32798;
constexpr int kCheckOutListCommand = 32800;
constexpr int kNewPoliceFormCommand = 32801;
constexpr int kPoliceFormListCommand = 32802;
constexpr int kBookingListCommand = 32808;
constexpr int kGroupBookingCommand = 32811;
constexpr int kStatisticsCommand = 32812;
constexpr int kPrintPreviewCommand = 57609;
constexpr int kPrintSetupCommand = 57606;

}  // namespace

void CLodgixView::RegisterPrintCommands()
{
    m_printing = std::make_unique<CLodgixPrinting>(
        m_state.printSettings, m_state.dataFolder,
        [this] { LoadSettings(m_state.settingsFile, m_state.printSettings, m_state.hotelSettings); },
        [this] { PostCommand(kPrintPreviewCommand); });
    OnCommand(kPrintPreviewCommand, [this] { OnPrintPreview(); });
    OnCommand(kPrintSetupCommand, [this] { ShowPrinterSetup(*m_printing, this); });
    OnCommand(kPrintOptionsCommand, [this] { OnPrintOptions(); });
    OnCommand(kOpenDocumentCommand, [this] { OnOpenDocument(); });
    OnUpdateCommand(kOpenDocumentCommand, [this] {
        return m_selectedRoom != 0 && SelectedStatus().kind == kRoomCheckedOut;
    });
    OnMessage(kPrintListedStayMessage, [this](std::uint64_t row, std::int64_t) { OnPrintListedStay(row); });

    const std::pair<int, CFrontDeskListDlg::Mode> lists[] = {
        {kCheckInListCommand, CFrontDeskListDlg::kCheckInList},
        {kCheckOutListCommand, CFrontDeskListDlg::kCheckOutList},
        {kNewPoliceFormCommand, CFrontDeskListDlg::kNewPoliceForm},
        {kPoliceFormListCommand, CFrontDeskListDlg::kPoliceFormList},
        {kBookingListCommand, CFrontDeskListDlg::kBookingList},
    };
    for (const auto& [command, mode] : lists)
        OnCommand(command, [this, mode = mode] { OpenListWindow(mode); });
    OnCommand(kStatisticsCommand, [this] {
        if (!WindowSlots().AnyOpen())
            WindowSlots().Open(ModelessWindowSlots::kStatistics,
                               std::make_unique<CStatisticsDlg>(m_state, DeskLinks(), this));
    });
    OnCommand(kGroupBookingCommand, [this] {
        if (RunGroupBooking(this, m_state))
            RefreshPlanning();
    });
}

DeskWindowLinks CLodgixView::DeskLinks()
{
    DeskWindowLinks links;
    links.owner = &m_target;
    links.print = &m_printing->Request();
    links.exportList = m_exportList;
    return links;
}

void CLodgixView::OpenListWindow(int mode)
{
    if (WindowSlots().AnyOpen())
        return;
    const int number = NextPoliceFormNumber(m_state.dataFolder);
    auto window = std::make_unique<CFrontDeskListDlg>(m_state, DeskLinks(), static_cast<CFrontDeskListDlg::Mode>(mode),
                                                      number, this);
    window->SetMessageEditor([](QWidget* parent, QString& from, QString& text) {
        CMessageEditDlg dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        from = dialog.From();
        text = dialog.Text();
        return true;
    });
    WindowSlots().Open(ModelessWindowSlots::kList, std::move(window));
}

void CLodgixView::OnPrintPreview()
{
    // A list prints only while its window is open: a request left by a window since closed prints nothing.
    PrintRequest& request = m_printing->Request();
    auto listWindow = qobject_cast<CFrontDeskListDlg*>(WindowSlots().At(ModelessWindowSlots::kList));
    auto statistics = qobject_cast<CStatisticsDlg*>(WindowSlots().At(ModelessWindowSlots::kStatistics));
    const QTreeWidget* list = request.list;
    auto services = qobject_cast<CClientServicesDlg*>(WindowSlots().At(ModelessWindowSlots::kClientServices));
    const bool listOpen = (listWindow && list == &listWindow->List()) || (statistics && list == &statistics->List()) ||
                          (services && list == &services->TicketList());
    if (request.kind != kPrintDocument && !listOpen)
        request.list = nullptr;
    if (request.kind == kPrintPoliceForm)
        request.policeForm = listWindow ? listWindow->ShownForm() : std::nullopt;
    ShowPrintPreview(*m_printing, this);
}

void CLodgixView::OnPrintOptions()
{
    CPrintSettingsDlg dialog(m_state.printSettings, PrintSettingsForm::Hotel(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_state.printSettings = dialog.Record();
    SaveSettings(m_state.settingsFile, m_state.printSettings, m_state.hotelSettings);
}

void CLodgixView::OnOpenDocument()
{
    std::vector<CheckInRecord> stays;
    LoadCheckIns(SelectedDate(), SelectedDate(), stays, m_selectedRoom);
    if (const std::optional<QString> file = ChooseStayDocument(this, StayDocumentRows(stays)))
        m_printing->PrintDocument(*file);
}

void CLodgixView::OnPrintListedStay(std::uint64_t row)
{
    auto listWindow = qobject_cast<CFrontDeskListDlg*>(WindowSlots().At(ModelessWindowSlots::kList));
    if (!listWindow || row >= listWindow->Stays().size())
        return;
    if (const std::optional<QString> file = ChooseStayDocument(this, StayDocumentRows({listWindow->Stays()[row]})))
        m_printing->PrintDocument(*file);
}
