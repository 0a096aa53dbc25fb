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

template <typename Record, typename Accept>
int FindFirst(const OleDate& date, int roomId, const std::vector<Record>& records, Accept accept)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& record = records[i];
        if (record.roomId == roomId && accept(record) && Starts(record) <= date && date <= Ends(record))
            return static_cast<int>(i);
    }
    return -1;
}

constexpr auto kAny = [](const auto&) { return true; };

// The last step of every resolution: a booking, or a free day.
int ResolveBooking(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                   std::optional<int> exceptBookingId)
{
    out.booking = FindBooking(date, roomId, records.bookings);
    const bool booked = out.booking >= 0 && records.bookings[out.booking].bookingId != exceptBookingId;
    out.kind = booked ? kRoomBooked : kRoomFree;
    return out.booking;
}

// The resolution, with an unavailable period or a booking of that id set aside when one is given.
int Resolve(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
            std::optional<int> exceptAvailabilityId, std::optional<int> exceptBookingId);

}  // namespace

std::uint32_t RoomDayColour(int kind)
{
    return kind >= 0 && kind < static_cast<int>(kKindColours.size()) ? kKindColours[kind] : kKindColours[0];
}

int FindBooking(const OleDate& date, int roomId, const std::vector<BookingRecord>& bookings)
{
    return FindFirst(date, roomId, bookings, kAny);
}

int FindUnavailability(const OleDate& date, int roomId, const std::vector<AvailabilityRecord>& periods)
{
    return FindFirst(date, roomId, periods, kAny);
}

int FindOpenStay(const OleDate& date, int roomId, const std::vector<CheckInRecord>& stays)
{
    return FindFirst(date, roomId, stays, [](const CheckInRecord& stay) { return stay.IsOpen(); });
}

int FindClosedStay(const OleDate& date, int roomId, const std::vector<CheckInRecord>& stays)
{
    return FindFirst(date, roomId, stays, [](const CheckInRecord& stay) { return !stay.IsOpen(); });
}

int GetRoomDayStatus(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records)
{
    return Resolve(roomId, date, out, records, std::nullopt, std::nullopt);
}

int GetRoomDayStatusExceptBooking(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                                  int bookingId)
{
    return Resolve(roomId, date, out, records, std::nullopt, bookingId);
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
    return ResolveBooking(roomId, date, out, records, std::nullopt);
}

int GetRoomDayStatusExceptUnavailability(int roomId, const OleDate& date, RoomDayStatus& out,
                                         const RoomDayRecords& records, int availabilityId)
{
    return Resolve(roomId, date, out, records, availabilityId, std::nullopt);
}

namespace {

int Resolve(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
            std::optional<int> exceptAvailabilityId, std::optional<int> exceptBookingId)
{
    out.unavailability = FindUnavailability(date, roomId, records.unavailability);
    if (out.unavailability >= 0 && records.unavailability[out.unavailability].availabilityId != exceptAvailabilityId) {
        out.kind = kRoomUnavailable;
        return out.unavailability;
    }
    out.stay = FindOpenStay(date, roomId, records.stays);
    if (out.stay >= 0) {
        out.kind = kRoomOccupied;
        return out.stay;
    }
    out.stay = FindClosedStay(date, roomId, records.stays);
    if (out.stay >= 0) {
        out.kind = kRoomCheckedOut;
        return out.stay;
    }
    return ResolveBooking(roomId, date, out, records, exceptBookingId);
}

}  // namespace

}  // namespace lodgix
