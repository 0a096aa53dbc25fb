#pragma once

#include "availabilityrecord.h"
#include "bookingrecord.h"
#include "checkinrecord.h"

#include <vector>

namespace lodgix {

// The records a day-status resolution searches: a month's, a day's, or a command's own period (the rows
// a checked write loads for its day check).
struct RoomDayRecords {
    std::vector<BookingRecord> bookings;
    std::vector<AvailabilityRecord> unavailability;
    std::vector<CheckInRecord> stays;
};

}  // namespace lodgix
