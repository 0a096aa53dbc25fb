// CHotelDatabase: the front desk's writes of a room's period, checked against what is stored at the moment
// of writing.
#include "hoteldatabase.h"

#include "engineerrorcode.h"

namespace lodgix {

int CHotelDatabase::CheckedWrite(int hotelId, int roomId, const OleDate& from, const OleDate& to,
                                 const DayCheck& isFree, const std::function<int()>& write,
                                 const std::function<int()>& before)
{
    return InTransaction([&] {
        // Always in this order, the groups first as the membership wrappers take them, so that two
        // workstations never wait for each other's second lock.
        const std::pair<HotelTable, int> tables[] = {{HotelTable::kHotelGroups, 0},
                                                    {HotelTable::kRoomBooking, hotelId},
                                                    {HotelTable::kRoomAvailability, hotelId},
                                                    {HotelTable::kRoomCheckIn, hotelId}};
        for (const auto& [table, owner] : tables) {
            const QString lock = Dialect().LockTableForWrite(HotelTableName(table, owner));
            if (!lock.isEmpty() && Execute(lock) != kNoError)
                return static_cast<int>(kDbStatementFailed);
        }
        if (before) {
            const int result = before();
            if (result != kNoError)
                return result;
        }
        RoomDayRecords rows;
        int result = LoadBookings(hotelId, from, to, roomId, rows.bookings);
        if (result == kNoError)
            result = LoadUnavailability(hotelId, from, to, roomId, rows.unavailability);
        if (result == kNoError)
            result = LoadCheckIns(hotelId, from, to, roomId, rows.stays);
        if (result != kNoError)
            return result;
        return isFree(rows) ? write() : kDayTaken;
    });
}

int CHotelDatabase::InsertBookingChecked(int hotelId, BookingRecord& booking, const DayCheck& isFree)
{
    return CheckedWrite(hotelId, booking.roomId, booking.startDate, booking.endDate, isFree,
                        [&] { return InsertBookingWithGroup(hotelId, booking); });
}

int CHotelDatabase::UpdateBookingChecked(int hotelId, int oldGroupId, const BookingRecord& booking,
                                         const DayCheck& isFree)
{
    return CheckedWrite(hotelId, booking.roomId, booking.startDate, booking.endDate, isFree,
                        [&] { return UpdateBookingWithGroup(hotelId, oldGroupId, booking); });
}

int CHotelDatabase::InsertUnavailabilityChecked(int hotelId, AvailabilityRecord& period, const DayCheck& isFree)
{
    return CheckedWrite(hotelId, period.roomId, period.startDate, period.endDate, isFree,
                        [&] { return InsertUnavailability(hotelId, period); });
}

int CHotelDatabase::UpdateUnavailabilityChecked(int hotelId, const AvailabilityRecord& period,
                                                const DayCheck& isFree)
{
    return CheckedWrite(hotelId, period.roomId, period.startDate, period.endDate, isFree,
                        [&] { return UpdateUnavailability(hotelId, period); });
}

int CHotelDatabase::InsertCheckInChecked(int hotelId, CheckInRecord& stay, const OleDate& from,
                                         const DayCheck& isFree)
{
    CheckInRecord stored = stay;
    const auto hideBooking = [&] {
        if (stay.bookingId == 0)
            return static_cast<int>(kNoError);
        BookingRecord booking;
        const int result = LoadBooking(hotelId, stay.bookingId, booking);
        // A booking that is gone has nothing left to hide.
        if (result == kDbRecordSelection)
            return static_cast<int>(kNoError);
        return result == kNoError ? DeleteBookingWithGroup(hotelId, booking) : result;
    };
    const int result = CheckedWrite(
        hotelId, stay.roomId, from, stay.endDate, isFree,
        [&] {
            const int inserted = InsertCheckIn(hotelId, stored);
            // A room already in the group (a group check-in copies the booking group's rooms) stays once.
            return inserted == kNoError ? UpdateGroupMembership(0, stay.groupId, stay.roomId) : inserted;
        },
        hideBooking);
    if (result == kNoError)
        stay.checkInId = stored.checkInId;
    return result;
}

int CHotelDatabase::UpdateCheckInChecked(int hotelId, int oldGroupId, const CheckInRecord& stay, const OleDate& from,
                                         const DayCheck& isFree)
{
    return CheckedWrite(hotelId, stay.roomId, from, stay.endDate, isFree,
                        [&] { return UpdateCheckInWithGroup(hotelId, oldGroupId, stay); });
}

}  // namespace lodgix
