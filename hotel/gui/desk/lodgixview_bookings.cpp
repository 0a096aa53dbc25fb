// CLodgixView: the booking and unavailability commands, and the front desk's commands' link to the view.
#include "lodgixview.h"

#include "guestdatadlg.h"
#include "lodgixstate.h"
#include "lodgixview_desk.h"
#include "roomservicesdlg.h"

namespace lodgix {

namespace {

// The registry's own guest data dialog; on OK the guest takes what was entered.
std::function<bool(GuestRecord&, QWidget*)> EditGuest(CHotelDatabase& database)
{
    return [&database](GuestRecord& guest, QWidget* parent) {
        CGuestDataDlg dialog(guest, database, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        guest = dialog.Record();
        return true;
    };
}

bool EditServices(std::vector<ServiceRecord>& services, QWidget* parent)
{
    CRoomServicesDlg dialog(services, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

ViewDeskCommands::ViewDeskCommands(CLodgixView& view)
    : m_view(view),
      m_billing(*view.State().database, view.State().rooms, view.State().seasons, view.State().rating,
                view.State().hotelSettings),
      m_desk{*view.State().database, view.State().hotelId, view.State().rooms, m_billing,
             [&view] { return OleDate::FromDateTime(view.Now()); }, EditGuest(*view.State().database), EditServices},
      m_commands(view.State(), m_desk, *this)
{
    m_billing.SetClock([&view] { return OleDate::FromDateTime(view.Now()); });
}

int ViewDeskCommands::SelectedRoom() const { return m_view.SelectedRoom(); }
OleDate ViewDeskCommands::SelectedDate() const { return m_view.SelectedDate(); }
void ViewDeskCommands::RefreshPlanning() { m_view.RefreshPlanning(); }
QWidget* ViewDeskCommands::Window() { return &m_view; }

DeskDay ViewDeskCommands::RoomDay(int roomId, const OleDate& day, const RoomDayRecords* rows, Except except,
                                  int exceptId) const
{
    return ResolveDeskDay(roomId, day, rows ? *rows : m_view.MonthRecords(), except, exceptId);
}

}  // namespace lodgix

lodgix::CDeskCommands& CLodgixView::DeskCommands()
{
    if (!m_deskCommands)
        m_deskCommands = std::make_shared<lodgix::ViewDeskCommands>(*this);
    return m_deskCommands->Commands();
}

void CLodgixView::RegisterBookingCommands()
{
    using lodgix::CDeskCommands;
    struct Entry {
        int command;
        void (CDeskCommands::*run)();
        bool (CDeskCommands::*enabled)() const;
    };
    static constexpr Entry kEntries[] = {
        {32782, &CDeskCommands::NewBooking, &CDeskCommands::CanNewBooking},
        {32783, &CDeskCommands::EditBooking, &CDeskCommands::CanEditBooking},
        {32784, &CDeskCommands::DeleteBooking, &CDeskCommands::CanDeleteBooking},
        {32785, &CDeskCommands::NewUnavailability, &CDeskCommands::CanNewUnavailability},
        {32786, &CDeskCommands::EditUnavailability, &CDeskCommands::CanEditUnavailability},
        {32787, &CDeskCommands::DeleteUnavailability, &CDeskCommands::CanDeleteUnavailability},
    };
    for (const Entry& entry : kEntries)
        RegisterDeskCommand(entry.command, entry.run, entry.enabled);
}

void CLodgixView::RegisterDeskCommand(int command, void (lodgix::CDeskCommands::*run)(),
                                      bool (lodgix::CDeskCommands::*enabled)() const)
{
    // A view without a database (its frame alone) has no front desk to run.
    OnCommand(command, [this, run] {
        if (State().database)
            (DeskCommands().*run)();
    });
    OnUpdateCommand(command, [this, enabled] { return State().database && (DeskCommands().*enabled)(); });
}
