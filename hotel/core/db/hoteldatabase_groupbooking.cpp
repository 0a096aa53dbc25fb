#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "groupmembers.h"

namespace lodgix {

int CHotelDatabase::InsertGroupBooking(int hotelId, GroupRecord& group, const std::vector<int>& roomIds,
                                       BookingRecord& booking, std::vector<int>* bookingIds)
{
    // A group keeps 256 rooms: a larger booking would leave rooms booked outside their group.
    if (roomIds.size() > static_cast<std::size_t>(GroupRecord::kMaxRooms))
        return kDbRecordSelection;
    GroupRecord stored = group;
    stored.roomCount = 0;
    for (int room : roomIds)
        AddRoomToGroup(room, stored);
    std::vector<int> ids;
    BookingRecord written = booking;
    const int result = InTransaction([&] {
        const int inserted = InsertGroup(1, stored);
        if (inserted != kNoError)
            return inserted;
        written.groupId = stored.id;
        for (int room : roomIds) {
            written.roomId = room;
            written.bookingId = 0;
            const int booked = InsertBooking(hotelId, written);
            if (booked != kNoError)
                return booked;
            ids.push_back(written.bookingId);
        }
        return static_cast<int>(kNoError);
    });
    if (result != kNoError)
        return result;
    group = stored;
    booking = written;
    if (bookingIds)
        *bookingIds = std::move(ids);
    return result;
}

}  // namespace lodgix
