// CLodgixView: the bill, check-out, client service and document commands.
#include "lodgixview.h"

#include "checkoutcommand.h"
#include "checkoutdialoghooks.h"
#include "documentedit.h"
#include "lodgixstate.h"
#include "lodgixprinting.h"
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

}  // namespace

void CLodgixView::RegisterBillingCommands()
{
    // Partial bill (32793).
    OnCommand(32793, [this] { OnPartialBill(); });
    OnUpdateCommand(32793, [this] { return CanPartialBill(); });

    // Client services (32792).

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
