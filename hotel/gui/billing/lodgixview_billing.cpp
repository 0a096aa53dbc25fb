// CLodgixView: the bill, check-out, client service and document commands.
#include "lodgixview.h"

#include "checkoutcommand.h"
#include "checkoutdialoghooks.h"
#include "clientservicesdlg.h"
#include "documentedit.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "lodgixview_desk.h"

namespace {

// The check-out over this view: its selection, its month, its printing, the program's dialogs.
lodgix::CCheckOutCommand ViewCheckOut(CLodgixView& view, lodgix::ViewDeskCommands& desk)
{
    lodgix::CheckOutHooks hooks = lodgix::CheckOutDialogHooks(view.State());
    hooks.printDocuments = [&view](const QStringList& files) { view.Printing().PrintDocuments(files); };
    hooks.printDocument = [&view](const QString& file) { return view.Printing().PrintDocument(file); };
    return lodgix::CCheckOutCommand(view.State(), desk.Desk(), desk.Billing(), desk, std::move(hooks));
}

constexpr int kClientServicesCommand = 32792;

}  // namespace

using namespace lodgix;

void CLodgixView::RegisterBillingCommands()
{
    // Partial bill (32793).
    OnCommand(32793, [this] { OnPartialBill(); });
    OnUpdateCommand(32793, [this] { return CanPartialBill(); });

    // Client services (32792).
    OnCommand(kClientServicesCommand, [this] { OnClientServices(); });
    // Takes the place of the frame's handler of the notice, which it still runs.
    OnMessage(kClientServicesClosedMessage, [this](std::uint64_t, std::int64_t) { OnClientServicesWindowClosed(); });

    // Edit receipt or invoice (32815).
    constexpr int kEditDocumentCommand = 32815;
    OnCommand(kEditDocumentCommand, [this] { OnEditDocument(); });
    // Administrators only: its rule is among the action list's (lodgixview_actions.cpp).

    // Check-out (32790).
    OnCommand(lodgix::CCheckOutCommand::kCommandId, [this] {
        if (!State().database)
            return;
        DeskCommands();
        ViewCheckOut(*this, *m_deskCommands).Run();
    });
    OnUpdateCommand(lodgix::CCheckOutCommand::kCommandId,
                    [this] { return State().database && DeskCommands().CanEditCheckIn(); });
}

void CLodgixView::OnEditDocument()
{
    if (!m_state.database)
        return;
    lodgix::EditIssuedDocument(this, {*m_state.database, m_state.hotelId, m_state.dataFolder,
                              [this](const QString& file) { m_printing->PrintDocument(file); }});
}

void CLodgixView::OnClientServices()
{
    CheckInRecord stay;
    if (!m_state.database || !OnUpdateNoWindowOpen() || !SelectedOccupied(&stay))
        return;
    // The window works on a copy of the stay: the planner's stays are rebuilt while it is open.
    WindowSlots().Open(ModelessWindowSlots::kClientServices,
                       std::make_unique<CClientServicesDlg>(m_state, DeskLinks(), stay, this));
    emit CommandStatesChanged();
}

void CLodgixView::OnClientServicesWindowClosed()
{
    // The month's copy of the stay takes the services the window stored, for the commands that bill it.
    if (auto window = qobject_cast<CClientServicesDlg*>(WindowSlots().At(ModelessWindowSlots::kClientServices))) {
        for (CheckInRecord& stay : m_month.stays) {
            if (stay.checkInId == window->Stay().checkInId)
                stay = window->Stay();
        }
    }
    OnClientServicesClosed();
}
