#pragma once

#include "availabilityrecord.h"
#include "bookingrecord.h"
#include "checkinrecord.h"
#include "deskservices.h"
#include "roomdaystatus.h"

class QWidget;

namespace lodgix {

struct LodgixState;

// What occupies a room on a day, as the front-desk commands read it: the kind (RoomDayKind) and a copy of
// the record found.
struct DeskDay {
    int kind = kRoomFree;
    BookingRecord booking;
    AvailabilityRecord period;
    CheckInRecord stay;
};

// What the commands use of the front-desk view: its selection, its day-status resolution and its rebuild.
class DeskCommandHost {
public:
    // The record a modify command passes over when it checks the days of the record it changes.
    enum class Except { kNone, kBooking, kStay, kUnavailability };

    virtual ~DeskCommandHost() = default;
    virtual int SelectedRoom() const = 0;      // 0: none
    virtual OleDate SelectedDate() const = 0;  // at 00:00
    // The status of the room on the day over the rows given, or over the view's month when null.
    virtual DeskDay RoomDay(int roomId, const OleDate& day, const RoomDayRecords* rows, Except except = Except::kNone,
                            int exceptId = 0) const = 0;
    virtual void RefreshPlanning() = 0;
    virtual QWidget* Window() = 0;
};

// The day status of the room over the records, ignoring one record when asked (the front desk's
// resolution), with a copy of the record found.
DeskDay ResolveDeskDay(int roomId, const OleDate& day, const RoomDayRecords& records, DeskCommandHost::Except except,
                       int exceptId);

// The room's index in the room table when its extension can be switched (the engine linked, its records
// read), else -1.
int SwitchableRoom(const LodgixState& state, int roomId);
// The room's extension as a stay leaves it: outside calls off when outsideCallsOff() says so, then the
// wake-up call off. Nothing for a room that cannot be switched; the PBX's answers are not shown.
void StopRoomExtension(LodgixState& state, int roomId, const std::function<bool()>& outsideCallsOff);

// The front desk's booking, unavailability, check-in, wake-up and access-card commands with their update
// rules. Every write of a room's days is checked again when it is stored (CHotelDatabase's checked
// writes), so that a day another workstation took meanwhile is refused with the command's message.
class CDeskCommands {
public:
    CDeskCommands(LodgixState& state, DeskServices& desk, DeskCommandHost& host);

    bool CanNewBooking() const;
    bool CanEditBooking() const;
    bool CanDeleteBooking() const;
    bool CanNewUnavailability() const;
    bool CanEditUnavailability() const;
    bool CanDeleteUnavailability() const;
    bool CanCheckInNew() const;
    bool CanEditCheckIn() const;  // also the deletion's rule
    bool CanWakeUp() const;
    bool CanCreateCard() const;

    void NewBooking();
    void EditBooking();
    void DeleteBooking();
    void NewUnavailability();
    void EditUnavailability();
    void DeleteUnavailability();
    void CheckInNew();
    void CheckInEdit();
    void CheckInDelete();
    void WakeUp();
    void CreateCard();

    // Stores a new stay of its room checked from `from` to its last night, asking to remove the foreign
    // bookings found, then switches the room's outside calls on when asked. False when nothing was stored.
    bool SaveCheckIn(CheckInRecord& stay, const OleDate& from, bool enableCalls);

private:
    DeskDay Selected() const;
    bool Administrator() const;
    OleDate Today() const { return m_desk.Today(); }
    // The first day of [from, to] whose kind is not free over the rows, or a free day; `freeKinds` are the
    // kinds that count as free besides 0.
    DeskDay FirstTakenDay(int roomId, const OleDate& from, const OleDate& to, const RoomDayRecords& rows,
                          DeskCommandHost::Except except, int exceptId, bool checkedOutIsFree) const;
    CHotelDatabase::DayCheck PeriodFree(int roomId, const OleDate& from, const OleDate& to, DeskCommandHost::Except except,
                                        int exceptId, bool checkedOutIsFree) const;
    // The period check with its question: each booking found may be removed (2101/2102) and the days
    // checked again. The first day still taken, or a free day.
    DeskDay ClearBookings(int roomId, const OleDate& from, const OleDate& to, DeskCommandHost::Except except,
                          int exceptId, bool checkedOutIsFree);
    bool LoadRows(int roomId, const OleDate& from, const OleDate& to, RoomDayRecords& rows) const;
    BookingRecord BookingOfDialog(const class CBookingDlg& dialog, int roomId) const;
    bool ShowAvailabilityDialog(AvailabilityRecord& period);
    void StorePeriod(AvailabilityRecord& period, bool stored);
    void Stop(unsigned stringId);
    bool Ask(const QString& text, int icon);

    LodgixState& m_state;
    DeskServices& m_desk;
    DeskCommandHost& m_host;
};

}  // namespace lodgix
