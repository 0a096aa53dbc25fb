// CHotelDatabase: keeping the room lists of groups in step with the bookings and stays of their rooms.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "groupmembers.h"

namespace lodgix {

int CHotelDatabase::UpdateGroupMembership(int oldGroupId, int newGroupId, int roomId)
{
    if (oldGroupId == newGroupId)
        return kNoError;
    // Load, change and store under the groups' write lock: two workstations changing one group at once
    // would otherwise each store their own copy, and one change would be lost.
    return WithTableLock(HotelTable::kHotelGroups, [&] {
        GroupRecord group;
        if (oldGroupId != 0) {
            int result = LoadGroup(oldGroupId, group);
            if (result == kNoError) {
                RemoveRoomFromGroup(roomId, group);
                result = UpdateGroup(group);
                // A group left without rooms is hidden, its room list emptied first.
                if (result == kNoError && group.roomCount == 0)
                    result = DeleteGroup(oldGroupId);
            }
            if (result != kNoError && result != kDbRecordSelection)
                return result;
        }
        if (newGroupId != 0) {
            int result = LoadGroup(newGroupId, group);
            if (result == kNoError) {
                AddRoomToGroup(roomId, group);
                result = UpdateGroup(group);
            }
            if (result != kNoError && result != kDbRecordSelection)
                return result;
        }
        return static_cast<int>(kNoError);
    });
}

int CHotelDatabase::InsertBookingWithGroup(int hotelId, BookingRecord& booking)
{
    BookingRecord stored = booking;
    const int result = InTransaction([&] {
        const int moved = UpdateGroupMembership(0, booking.groupId, booking.roomId);
        return moved == kNoError ? InsertBooking(hotelId, stored) : moved;
    });
    if (result == kNoError)
        booking.bookingId = stored.bookingId;
    return result;
}

int CHotelDatabase::UpdateBookingWithGroup(int hotelId, int oldGroupId, const BookingRecord& booking)
{
    return InTransaction([&] {
        const int moved = UpdateGroupMembership(oldGroupId, booking.groupId, booking.roomId);
        return moved == kNoError ? UpdateBooking(hotelId, booking) : moved;
    });
}

int CHotelDatabase::DeleteBookingWithGroup(int hotelId, const BookingRecord& booking)
{
    return InTransaction([&] {
        const int moved = UpdateGroupMembership(booking.groupId, 0, booking.roomId);
        return moved == kNoError ? DeleteBooking(hotelId, booking.bookingId) : moved;
    });
}

int CHotelDatabase::UpdateCheckInWithGroup(int hotelId, int oldGroupId, const CheckInRecord& stay)
{
    return InTransaction([&] {
        const int moved = UpdateGroupMembership(oldGroupId, stay.groupId, stay.roomId);
        return moved == kNoError ? UpdateCheckIn(hotelId, stay) : moved;
    });
}

int CHotelDatabase::DeleteCheckInWithGroup(int hotelId, const CheckInRecord& stay)
{
    return InTransaction([&] {
        const int moved = UpdateGroupMembership(stay.groupId, 0, stay.roomId);
        return moved == kNoError ? DeleteCheckIn(hotelId, stay.checkInId) : moved;
    });
}

int CHotelDatabase::CheckOutWithGroup(int hotelId, const CheckInRecord& stay)
{
    return InTransaction([&] {
        const int moved = UpdateGroupMembership(stay.groupId, 0, stay.roomId);
        return moved == kNoError ? CloseCheckIn(hotelId, stay) : moved;
    });
}

}  // namespace lodgix
