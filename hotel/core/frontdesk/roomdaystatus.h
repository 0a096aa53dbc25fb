#pragma once

#include "availabilityrecord.h"
#include "bookingrecord.h"
#include "checkinrecord.h"
#include "oledate.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lodgix {

// What occupies a room on a day; the order of the values is not the order of precedence (that is
// unavailable, occupied, checked out, booked, free).
enum RoomDayKind : int { kRoomFree = 0, kRoomBooked = 1, kRoomOccupied = 2, kRoomCheckedOut = 3, kRoomUnavailable = 4 };

// The planner's colour of each kind (COLORREF, 0x00BBGGRR).
std::uint32_t RoomDayColour(int kind);

// A resolved day: the kind and the index of the record found in each array searched (-1: none).
struct RoomDayStatus {
    int kind = kRoomFree;
    int booking = -1;
    int unavailability = -1;
    int stay = -1;

    friend bool operator==(const RoomDayStatus&, const RoomDayStatus&) = default;
};

// The records a resolution searches: a month's, a day's or a command's own period.
struct RoomDayRecords {
    std::vector<BookingRecord> bookings;
    std::vector<AvailabilityRecord> unavailability;
    std::vector<CheckInRecord> stays;
};

// The records of one room, as their indexes into the arrays in load order: a resolution over them finds
// what a search of the whole arrays finds, without reading the other rooms' records.
struct RoomDayIndex {
    std::vector<int> bookings;
    std::vector<int> unavailability;
    std::vector<int> stays;
};
// Each room's indexes, by room id.
std::unordered_map<int, RoomDayIndex> IndexByRoom(const RoomDayRecords& records);

// The index of the first record of the room whose period holds the date (both ends included), -1 when none.
// Stays: FindOpenStay takes only those without a check-out, FindClosedStay only those with one.
int FindBooking(const OleDate& date, int roomId, const std::vector<BookingRecord>& bookings);
int FindUnavailability(const OleDate& date, int roomId, const std::vector<AvailabilityRecord>& periods);
int FindOpenStay(const OleDate& date, int roomId, const std::vector<CheckInRecord>& stays);
int FindClosedStay(const OleDate& date, int roomId, const std::vector<CheckInRecord>& stays);

// The room's status on the date, the first match winning: unavailable, open stay, closed stay, booking,
// free. Each search writes its own index into `out`; the fields of searches not reached keep what they
// held. The result is the index found (for free and booked days the booking search's).
int GetRoomDayStatus(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records);
// The same over the room's indexes (from IndexByRoom of the same records).
int GetRoomDayStatus(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                     const RoomDayIndex& roomRecords);
// The same resolution with one record set aside, so that a command can check a record it modifies against
// the others: the booking with that id leaves its day free; the open stay with that id does not count and
// closed stays are not searched; the unavailable period with that id does not count.
int GetRoomDayStatusExceptBooking(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                                  int bookingId);
int GetRoomDayStatusExceptStay(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords& records,
                               int checkInId);
int GetRoomDayStatusExceptUnavailability(int roomId, const OleDate& date, RoomDayStatus& out,
                                         const RoomDayRecords& records, int availabilityId);

}  // namespace lodgix
