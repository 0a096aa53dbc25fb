#include "roomdaystatus.h"

#include <array>
#include <optional>

namespace lodgix {

namespace {

constexpr std::array<std::uint32_t, 5> kKindColours = {
    0xFFFFFF,  // free: white
    0x00FFFF,  // booked: yellow
    0x0000FF,  // occupied: red
    0x00FF00,  // checked out: green
    0xFF0000,  // unavailable: blue
};

const OleDate& Starts(const BookingRecord& r) { return r.startDate; }
const OleDate& Ends(const BookingRecord& r) { return r.endDate; }
const OleDate& Starts(const AvailabilityRecord& r) { return r.startDate; }
const OleDate& Ends(const AvailabilityRecord& r) { return r.endDate; }
const OleDate& Starts(const CheckInRecord& r) { return r.startDate; }
const OleDate& Ends(const CheckInRecord& r) { return r.endDate; }

// The first record of the room holding the date among those listed, or among all when no list is given.
template <typename Record, typename Accept>
int FindFirst(const OleDate& date, int roomId, const std::vector<Record>& records, const std::vector<int>* listed,
              Accept accept)
{
    const auto matches = [&](std::size_t i) {
        const Record& record = records[i];
        return record.roomId == roomId && accept(record) && Starts(record) <= date && date <= Ends(record);
    };
    if (listed) {
        for (const int i : *listed)
            if (matches(static_cast<std::size_t>(i)))
                return i;
        return -1;
    }
    for (std::size_t i = 0; i < records.size(); ++i)
        if (matches(i))
            return static_cast<int>(i);
    return -1;
}

constexpr auto kAny = [](const auto&) { return true; };
constexpr auto kOpen = [](const CheckInRecord& stay) { return stay.IsOpen(); };
constexpr auto kClosed = [](const CheckInRecord& stay) { return !stay.IsOpen(); };

// The last step of every resolution: a booking, or a free day.
int ResolveBooking(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                   const RoomDayIndex* index, std::optional<int> exceptBookingId)
{
    out.booking = FindFirst(date, roomId, records.bookings, index ? &index->bookings : nullptr, kAny);
    const bool booked = out.booking >= 0 && records.bookings[out.booking].bookingId != exceptBookingId;
    out.kind = booked ? kRoomBooked : kRoomFree;
    return out.booking;
}

// The resolution, with an unavailable period or a booking of that id set aside when one is given.
int Resolve(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
            const RoomDayIndex* index, std::optional<int> exceptAvailabilityId, std::optional<int> exceptBookingId);

}  // namespace

std::uint32_t RoomDayColour(int kind)
{
    return kind >= 0 && kind < static_cast<int>(kKindColours.size()) ? kKindColours[kind] : kKindColours[0];
}

int FindBooking(const OleDate& date, int roomId, const std::vector<BookingRecord>& bookings)
{
    return FindFirst(date, roomId, bookings, nullptr, kAny);
}

int FindUnavailability(const OleDate& date, int roomId, const std::vector<AvailabilityRecord>& periods)
{
    return FindFirst(date, roomId, periods, nullptr, kAny);
}

int FindOpenStay(const OleDate& date, int roomId, const std::vector<CheckInRecord>& stays)
{
    return FindFirst(date, roomId, stays, nullptr, kOpen);
}

int FindClosedStay(const OleDate& date, int roomId, const std::vector<CheckInRecord>& stays)
{
    return FindFirst(date, roomId, stays, nullptr, kClosed);
}

int GetRoomDayStatus(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records)
{
    return Resolve(roomId, date, out, records, nullptr, std::nullopt, std::nullopt);
}

int GetRoomDayStatus(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                     const RoomDayIndex& roomRecords)
{
    return Resolve(roomId, date, out, records, &roomRecords, std::nullopt, std::nullopt);
}

std::unordered_map<int, RoomDayIndex> IndexByRoom(const RoomDayRecords& records)
{
    std::unordered_map<int, RoomDayIndex> rooms;
    for (std::size_t i = 0; i < records.bookings.size(); ++i)
        rooms[records.bookings[i].roomId].bookings.push_back(static_cast<int>(i));
    for (std::size_t i = 0; i < records.unavailability.size(); ++i)
        rooms[records.unavailability[i].roomId].unavailability.push_back(static_cast<int>(i));
    for (std::size_t i = 0; i < records.stays.size(); ++i)
        rooms[records.stays[i].roomId].stays.push_back(static_cast<int>(i));
    return rooms;
}

int GetRoomDayStatusExceptBooking(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                                  int bookingId)
{
    return Resolve(roomId, date, out, records, nullptr, std::nullopt, bookingId);
}

int GetRoomDayStatusExceptStay(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                               int checkInId)
{
    out.unavailability = FindUnavailability(date, roomId, records.unavailability);
    if (out.unavailability >= 0) {
        out.kind = kRoomUnavailable;
        return out.unavailability;
    }
    out.stay = FindOpenStay(date, roomId, records.stays);
    if (out.stay >= 0 && records.stays[out.stay].checkInId != checkInId) {
        out.kind = kRoomOccupied;
        return out.stay;
    }
    return ResolveBooking(roomId, date, out, records, nullptr, std::nullopt);
}

int GetRoomDayStatusExceptUnavailability(int roomId, const OleDate& date, RoomDayStatus& out,
                                         const RoomDayRecords& records, int availabilityId)
{
    return Resolve(roomId, date, out, records, nullptr, availabilityId, std::nullopt);
}

namespace {

int Resolve(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
            const RoomDayIndex* index, std::optional<int> exceptAvailabilityId, std::optional<int> exceptBookingId)
{
    out.unavailability = FindFirst(date, roomId, records.unavailability, index ? &index->unavailability : nullptr, kAny);
    if (out.unavailability >= 0 && records.unavailability[out.unavailability].availabilityId != exceptAvailabilityId) {
        out.kind = kRoomUnavailable;
        return out.unavailability;
    }
    const std::vector<int>* stays = index ? &index->stays : nullptr;
    out.stay = FindFirst(date, roomId, records.stays, stays, kOpen);
    if (out.stay >= 0) {
        out.kind = kRoomOccupied;
        return out.stay;
    }
    out.stay = FindFirst(date, roomId, records.stays, stays, kClosed);
    if (out.stay >= 0) {
        out.kind = kRoomCheckedOut;
        return out.stay;
    }
    return ResolveBooking(roomId, date, out, records, index, exceptBookingId);
}

}  // namespace

}  // namespace lodgix
