#pragma once

#include "oledate.h"

#include <QString>

#include <array>

namespace lodgix {

// A room promised to a client for a run of nights (RoomBooking_<hotel>). The start is the first night, the
// end the last night (not the departure day); both are stored at midnight.
struct BookingRecord {
    static constexpr int kMaxServices = 32;  // optional services of a booking

    int roomId = 0;
    int userId = 0;   // the operator who wrote it
    int groupId = 0;  // 0: no group
    OleDate startDate;
    OleDate endDate;
    QString clientName;
    QString clientPhone;
    QString clientAnnotation;
    int bookingId = 0;  // 0 for a booking not yet stored
    QString treatment;  // TipoTrattamento
    int serviceCount = 0;  // NumOptionalServices: how many of the services are used
    std::array<int, kMaxServices> services{};  // ids of RoomServices rows; all are stored

    friend bool operator==(const BookingRecord&, const BookingRecord&) = default;
};

}  // namespace lodgix
