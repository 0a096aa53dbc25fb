#pragma once

#include "checkoutcommand.h"

namespace lodgix {

// The check-out's hooks on the program's own check-out data dialog (CCheckOutDlg) and room bill dialog
// (CRoomBillDlg at check-out), over the state's database and room table; printing is left to the caller.
CheckOutHooks CheckOutDialogHooks(LodgixState& state);

}  // namespace lodgix
