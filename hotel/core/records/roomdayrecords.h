#pragma once

#include "availabilityrecord.h"
#include "bookingrecord.h"
#include "checkinrecord.h"

#include <vector>

namespace lodgix {

// The rows a day-status search of one room runs over: its bookings, unavailable periods and stays of a
// run of days, as a command loads them for the period it checks.
struct RoomDayRecords {
    std::vector<BookingRecord> bookings;
    std::vector<AvailabilityRecord> unavailability;
    std::vector<CheckInRecord> stays;
};

}  // namespace lodgix
