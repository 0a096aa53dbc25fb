// CLodgixView: the partial bill, the selected room's open stay's bill so far in the room bill dialog.
#include "lodgixview.h"

#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "roombilldlg.h"
#include "staybilling.h"

#include <algorithm>

using namespace lodgix;

bool CLodgixView::CanPartialBill() const
{
    return m_state.database && SelectedOccupied();
}

void CLodgixView::OnPartialBill()
{
    CheckInRecord stay;
    if (!CanPartialBill() || !SelectedOccupied(&stay))
        return;
    StayBilling billing(*m_state.database, m_state.rooms, m_state.seasons, m_state.rating, m_state.hotelSettings);
    billing.SetClock([this] { return OleDate::FromDateTime(Now()); });
    const auto ask = [this](unsigned stringId) {
        return LodgixMessageBox(this, stringId, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    // The nights and calls so far, as a new bill; nothing of it is stored.
    std::vector<BillLine> lines;
    if (!billing.BuildStayBill(stay, lines, false, true, ask))
        return;
    DocumentLineCounts counts;
    counts.lines[0] = static_cast<quint16>(std::min<std::size_t>(lines.size(), 0xFFFF));
    CRoomBillDlg dialog(CRoomBillDlg::kView, lines, counts, stay, *m_state.database, m_state.rooms, this);
    dialog.exec();
}
