#include "checkoutdialoghooks.h"

#include "checkoutdlg.h"
#include "lodgixstate.h"
#include "roombilldlg.h"

namespace lodgix {

CheckOutHooks CheckOutDialogHooks(LodgixState& state)
{
    CheckOutHooks hooks;
    hooks.documentData = [&state](CheckOutDocumentData& data, QWidget* parent) {
        CCheckOutDlg dialog(data.document, data.documents, data.guestIds, *state.database, parent);
        dialog.SetNextNumbers(data.nextReceipt, data.nextInvoice);
        dialog.SetDates(data.stayStart, data.lastNight);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (data.document == 1)
            data.lastNight = dialog.EndDate();  // only the first document's date can change
        data.file = dialog.FileName();
        data.paymentType = dialog.PaymentText();
        data.payerId = dialog.ClientId();
        data.disableCalls = dialog.DisableOutsideCalls();
        data.nextReceipt = dialog.NextReceipt();
        data.nextInvoice = dialog.NextInvoice();
        return true;
    };
    hooks.roomBill = [&state](std::vector<BillLine>& lines, DocumentLineCounts& counts, const CheckInRecord& stay,
                              QWidget* parent) {
        CRoomBillDlg dialog(CRoomBillDlg::kCheckOut, lines, counts, stay, *state.database, state.rooms, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    return hooks;
}

}  // namespace lodgix
