// CDeskCommands: bookings and unavailable periods of the selected room.
#include "deskcommands.h"

#include "bookingdlg.h"
#include "engineerrorcode.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "stringtable.h"
#include "unavailabilitydlg.h"

namespace lodgix {
namespace {

constexpr unsigned kBookingTakenString = 2097;
constexpr unsigned kDeleteBookingString = 2098;
constexpr unsigned kDeletePeriodString = 2099;
constexpr unsigned kPeriodTakenString = 2103;
constexpr unsigned kBookingOfGroupString = 2283;   // "La prenotazione appartiene al gruppo"
constexpr unsigned kWholeGroupString = 2284;

QString Quoted(const QString& text) { return QStringLiteral(" '") + text + QStringLiteral("'"); }

}  // namespace

DeskDay ResolveDeskDay(int roomId, const OleDate& day, const RoomDayRecords& records, DeskCommandHost::Except except,
                       int exceptId)
{
    using Except = DeskCommandHost::Except;
    RoomDayStatus status;
    switch (except) {
    case Except::kNone: GetRoomDayStatus(roomId, day, status, records); break;
    case Except::kBooking: GetRoomDayStatusExceptBooking(roomId, day, status, records, exceptId); break;
    case Except::kStay: GetRoomDayStatusExceptStay(roomId, day, status, records, exceptId); break;
    case Except::kUnavailability: GetRoomDayStatusExceptUnavailability(roomId, day, status, records, exceptId); break;
    }
    DeskDay result;
    result.kind = status.kind;
    const auto at = [](const auto& rows, int index) { return rows[static_cast<std::size_t>(index)]; };
    if (status.kind == kRoomBooked && status.booking >= 0)
        result.booking = at(records.bookings, status.booking);
    if ((status.kind == kRoomOccupied || status.kind == kRoomCheckedOut) && status.stay >= 0)
        result.stay = at(records.stays, status.stay);
    if (status.kind == kRoomUnavailable && status.unavailability >= 0)
        result.period = at(records.unavailability, status.unavailability);
    return result;
}

CDeskCommands::CDeskCommands(LodgixState& state, DeskServices& desk, DeskCommandHost& host)
    : m_state(state), m_desk(desk), m_host(host)
{
}

DeskDay CDeskCommands::Selected() const
{
    return m_host.RoomDay(m_host.SelectedRoom(), m_host.SelectedDate(), nullptr);
}

bool CDeskCommands::Administrator() const { return m_state.currentOperator.administrator; }

bool CDeskCommands::CanNewBooking() const
{
    return m_host.SelectedRoom() != 0 && Selected().kind == kRoomFree && m_host.SelectedDate() >= Today();
}

bool CDeskCommands::CanEditBooking() const
{
    if (m_host.SelectedRoom() == 0)
        return false;
    const DeskDay day = Selected();
    return day.kind == kRoomBooked && day.booking.endDate >= Today();
}

bool CDeskCommands::CanDeleteBooking() const { return m_host.SelectedRoom() != 0 && Selected().kind == kRoomBooked; }

bool CDeskCommands::CanNewUnavailability() const { return CanNewBooking() && Administrator(); }

bool CDeskCommands::CanEditUnavailability() const
{
    if (m_host.SelectedRoom() == 0 || !Administrator())
        return false;
    const DeskDay day = Selected();
    return day.kind == kRoomUnavailable && day.period.endDate >= Today();
}

bool CDeskCommands::CanDeleteUnavailability() const
{
    return m_host.SelectedRoom() != 0 && Administrator() && Selected().kind == kRoomUnavailable;
}

bool CDeskCommands::LoadRows(int roomId, const OleDate& from, const OleDate& to, RoomDayRecords& rows) const
{
    CHotelDatabase& database = *m_state.database;
    return database.LoadBookings(m_state.hotelId, from, to, roomId, rows.bookings) == kNoError &&
           database.LoadUnavailability(m_state.hotelId, from, to, roomId, rows.unavailability) == kNoError &&
           database.LoadCheckIns(m_state.hotelId, from, to, roomId, rows.stays) == kNoError;
}

DeskDay CDeskCommands::FirstTakenDay(int roomId, const OleDate& from, const OleDate& to, const RoomDayRecords& rows,
                                     DeskCommandHost::Except except, int exceptId, bool checkedOutIsFree) const
{
    const OleDate last(to.Year(), to.Month(), to.Day());
    for (OleDate day(from.Year(), from.Month(), from.Day()); day <= last; day = day.AddDays(1)) {
        const DeskDay status = m_host.RoomDay(roomId, day, &rows, except, exceptId);
        if (status.kind != kRoomFree && !(checkedOutIsFree && status.kind == kRoomCheckedOut))
            return status;
    }
    return {};
}

CHotelDatabase::DayCheck CDeskCommands::PeriodFree(int roomId, const OleDate& from, const OleDate& to,
                                                   DeskCommandHost::Except except, int exceptId,
                                                   bool checkedOutIsFree) const
{
    return [=, this](const RoomDayRecords& rows) {
        return FirstTakenDay(roomId, from, to, rows, except, exceptId, checkedOutIsFree).kind == kRoomFree;
    };
}

DeskDay CDeskCommands::ClearBookings(int roomId, const OleDate& from, const OleDate& to,
                                     DeskCommandHost::Except except, int exceptId, bool checkedOutIsFree)
{
    constexpr unsigned kBookingFoundString = 2101;
    constexpr unsigned kDeleteToGoOnString = 2102;
    for (;;) {
        RoomDayRecords rows;
        if (!LoadRows(roomId, from, to, rows))
            return {};  // the checked write reads them again and refuses what it must
        const DeskDay taken = FirstTakenDay(roomId, from, to, rows, except, exceptId, checkedOutIsFree);
        if (taken.kind != kRoomBooked)
            return taken;
        const QString question = LoadResString(kBookingFoundString) + Quoted(taken.booking.clientName) + u'\n' +
                                 LoadResString(kDeleteToGoOnString);
        if (!Ask(question, QMessageBox::Warning))
            return taken;
        m_state.database->DeleteBookingWithGroup(m_state.hotelId, taken.booking);
    }
}

void CDeskCommands::Stop(unsigned stringId)
{
    LodgixMessageBox(m_host.Window(), stringId, QMessageBox::Critical);
}

bool CDeskCommands::Ask(const QString& text, int icon)
{
    return LodgixMessageBox(m_host.Window(), text, static_cast<QMessageBox::Icon>(icon),
                            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

BookingRecord CDeskCommands::BookingOfDialog(const CBookingDlg& dialog, int roomId) const
{
    BookingRecord booking;
    booking.clientName = dialog.ClientName();
    booking.clientPhone = dialog.Contact();
    booking.clientAnnotation = dialog.Notes();
    booking.treatment = dialog.Treatment();
    booking.startDate = dialog.StartDate();
    booking.endDate = dialog.EndDate();
    booking.roomId = roomId;
    booking.userId = m_state.currentOperator.id;
    booking.groupId = dialog.GroupId();
    for (const ServiceRecord& service : dialog.Services())
        if (service.selected && booking.serviceCount < BookingRecord::kMaxServices)
            booking.services[static_cast<std::size_t>(booking.serviceCount++)] = service.id;
    return booking;
}

void CDeskCommands::NewBooking()
{
    if (!CanNewBooking())
        return;
    const int roomId = m_host.SelectedRoom();
    BookingRecord prepared;
    prepared.roomId = roomId;
    prepared.startDate = prepared.endDate = m_host.SelectedDate();
    CBookingDlg dialog(&prepared, m_desk, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    BookingRecord booking = BookingOfDialog(dialog, roomId);
    const int result = m_state.database->InsertBookingChecked(
        m_state.hotelId, booking, PeriodFree(roomId, booking.startDate, booking.endDate, DeskCommandHost::Except::kNone, 0, false));
    if (result == CHotelDatabase::kDayTaken) {
        Stop(kBookingTakenString);
        return;
    }
    m_host.RefreshPlanning();
}

void CDeskCommands::EditBooking()
{
    const DeskDay day = Selected();
    if (m_host.SelectedRoom() == 0 || day.kind != kRoomBooked)
        return;
    const int roomId = m_host.SelectedRoom();
    CBookingDlg dialog(&day.booking, m_desk, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    BookingRecord booking = BookingOfDialog(dialog, roomId);
    booking.bookingId = day.booking.bookingId;
    const int result = m_state.database->UpdateBookingChecked(
        m_state.hotelId, day.booking.groupId, booking,
        PeriodFree(roomId, booking.startDate, booking.endDate, DeskCommandHost::Except::kBooking, booking.bookingId, false));
    if (result == CHotelDatabase::kDayTaken) {
        Stop(kBookingTakenString);
        return;
    }
    m_host.RefreshPlanning();
}

void CDeskCommands::DeleteBooking()
{
    const DeskDay day = Selected();
    if (m_host.SelectedRoom() == 0 || day.kind != kRoomBooked)
        return;
    if (!Ask(LoadResString(kDeleteBookingString) + Quoted(day.booking.clientName) + QStringLiteral(" ?"),
             QMessageBox::Question))
        return;
    CHotelDatabase& database = *m_state.database;
    GroupRecord group;
    if (day.booking.groupId == 0 || database.LoadGroup(day.booking.groupId, group) != kNoError) {
        database.DeleteBookingWithGroup(m_state.hotelId, day.booking);
        m_host.RefreshPlanning();
        return;
    }
    const QString question = LoadResString(kBookingOfGroupString) + Quoted(group.name) + u'\n' +
                             LoadResString(kWholeGroupString) + u'?';
    const auto answer = LodgixMessageBox(m_host.Window(), question, QMessageBox::Question,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        for (int n = 0; n < group.roomCount; ++n) {
            const DeskDay other = m_host.RoomDay(group.rooms[static_cast<std::size_t>(n)], m_host.SelectedDate(), nullptr);
            if (other.kind == kRoomBooked)
                database.DeleteBookingWithGroup(m_state.hotelId, other.booking);
        }
    } else if (answer == QMessageBox::No) {
        database.DeleteBookingWithGroup(m_state.hotelId, day.booking);
    }
    m_host.RefreshPlanning();
}

bool CDeskCommands::ShowAvailabilityDialog(AvailabilityRecord& period)
{
    CUnavailabilityDlg dialog(&period, m_desk.now, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    period.startDate = dialog.StartDate();
    period.endDate = dialog.EndDate();
    period.reason = dialog.Reason();
    period.roomId = m_host.SelectedRoom();
    period.userId = m_state.currentOperator.id;
    return true;
}

void CDeskCommands::StorePeriod(AvailabilityRecord& period, bool stored)
{
    const auto except = stored ? DeskCommandHost::Except::kUnavailability : DeskCommandHost::Except::kNone;
    const int exceptId = stored ? period.availabilityId : 0;
    if (ClearBookings(period.roomId, period.startDate, period.endDate, except, exceptId, false).kind != kRoomFree) {
        Stop(kPeriodTakenString);
        return;
    }
    const auto isFree = PeriodFree(period.roomId, period.startDate, period.endDate, except, exceptId, false);
    CHotelDatabase& database = *m_state.database;
    const int result = stored ? database.UpdateUnavailabilityChecked(m_state.hotelId, period, isFree)
                              : database.InsertUnavailabilityChecked(m_state.hotelId, period, isFree);
    if (result == CHotelDatabase::kDayTaken) {
        Stop(kPeriodTakenString);
        return;
    }
    m_host.RefreshPlanning();
}

void CDeskCommands::NewUnavailability()
{
    if (!CanNewUnavailability())
        return;
    AvailabilityRecord period;
    period.startDate = period.endDate = m_host.SelectedDate();
    if (ShowAvailabilityDialog(period))
        StorePeriod(period, false);
}

void CDeskCommands::EditUnavailability()
{
    const DeskDay day = Selected();
    if (m_host.SelectedRoom() == 0 || day.kind != kRoomUnavailable)
        return;
    AvailabilityRecord period = day.period;
    if (ShowAvailabilityDialog(period))
        StorePeriod(period, true);
}

void CDeskCommands::DeleteUnavailability()
{
    const DeskDay day = Selected();
    if (m_host.SelectedRoom() == 0 || day.kind != kRoomUnavailable)
        return;
    if (!Ask(LoadResString(kDeletePeriodString) + Quoted(day.period.reason) + QStringLiteral(" ?"), QMessageBox::Question))
        return;
    m_state.database->DeleteUnavailability(m_state.hotelId, day.period.availabilityId);
    m_host.RefreshPlanning();
}

}  // namespace lodgix
