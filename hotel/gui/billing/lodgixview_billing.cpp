// CLodgixView: the bill, check-out, client service and document commands.
#include "lodgixview.h"

#include "checkoutcommand.h"
#include "lodgixstate.h"
#include "lodgixprinting.h"
#include "lodgixview_desk.h"

namespace {

// The check-out over this view: its selection, its month, its printing.
lodgix::CCheckOutCommand ViewCheckOut(CLodgixView& view, lodgix::ViewDeskCommands& desk)
{
    lodgix::CheckOutHooks hooks;
    hooks.printDocuments = [&view](const QStringList& files) { view.Printing().PrintDocuments(files); };
    hooks.printDocument = [&view](const QString& file) { return view.Printing().PrintDocument(file); };
    return lodgix::CCheckOutCommand(view.State(), desk.Desk(), desk.Billing(), desk, std::move(hooks));
}

}  // namespace

void CLodgixView::RegisterBillingCommands()
{
    // Partial bill (32793).

    // Client services (32792).

    // Edit receipt or invoice (32815).

    // Check-out (32790).
    OnCommand(lodgix::CCheckOutCommand::kCommandId, [this] {
        if (!State().database)
            return;
        DeskCommands();
        ViewCheckOut(*this, *m_deskCommands).Run();
    });
    OnUpdateCommand(lodgix::CCheckOutCommand::kCommandId, [this] { return State().database && DeskCommands().CanEditCheckIn(); });
}
