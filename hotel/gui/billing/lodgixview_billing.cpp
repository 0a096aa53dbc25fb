// CLodgixView: the bill, check-out, client service and document commands.
#include "lodgixview.h"

#include "documentedit.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"

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
}

void CLodgixView::OnEditDocument()
{
    if (!m_state.database)
        return;
    lodgix::EditIssuedDocument(this, {*m_state.database, m_state.hotelId, m_state.dataFolder,
                              [this](const QString& file) { m_printing->PrintDocument(file); }});
}
