#pragma once

#include "oledate.h"

#include <QString>

namespace lodgix {

// A room out of service from its start day to its end day, both included (RoomAvailability_<hotel>).
struct AvailabilityRecord {
    int roomId = 0;
    int userId = 0;
    OleDate startDate;
    OleDate endDate;
    QString reason;
    int availabilityId = 0;

    friend bool operator==(const AvailabilityRecord&, const AvailabilityRecord&) = default;
};

}  // namespace lodgix
