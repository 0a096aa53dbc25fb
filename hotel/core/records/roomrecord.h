#pragma once

#include "pricetable.h"
#include "vatrate.h"

#include <QString>

#include <vector>

namespace lodgix {

// A room of a hotel (RoomConfiguration_<hotel>).
struct RoomRecord {
    static constexpr int kLabelLength = 15;
    static constexpr int kMaxServices = 36;

    QString label;
    int bedrooms = 0;
    int pbx = 0;        // the PBX that serves the room's telephone
    int extension = 0;  // the room's extension on that PBX
    PriceTable prices;
    VatRate vat;
    int quality = 0;  // 1 to 5
    std::vector<int> services;  // ids of RoomServices rows, at most kMaxServices
    int id = 0;

    friend bool operator==(const RoomRecord&, const RoomRecord&) = default;
};

}  // namespace lodgix
