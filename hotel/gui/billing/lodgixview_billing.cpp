// CLodgixView: the bill, check-out, client service and document commands.
#include "lodgixview.h"

void CLodgixView::RegisterBillingCommands()
{
    // Partial bill (32793).
    OnCommand(32793, [this] { OnPartialBill(); });
    OnUpdateCommand(32793, [this] { return CanPartialBill(); });

    // Client services (32792).

    // Edit receipt or invoice (32815).

    // Check-out (32790).
}
