#pragma once

#include "oledate.h"

#include <QString>

#include <array>

namespace lodgix {

// A named set of rooms of one hotel (HotelGroups). Only the first roomCount room ids belong to the group;
// the slots after them keep whatever was stored there.
struct GroupRecord {
    static constexpr int kNameLength = 63;
    static constexpr int kMaxRooms = 256;

    QString name;
    int id = 0;
    int hotelId = 0;
    int roomCount = 0;
    std::array<int, kMaxRooms> rooms{};
    OleDate creationDate = OleDate::Invalid();
};

// One line of a group list.
struct GroupListEntry {
    QString name;
    int id = 0;
    friend bool operator==(const GroupListEntry&, const GroupListEntry&) = default;
};

}  // namespace lodgix
