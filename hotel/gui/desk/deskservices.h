#pragma once

#include "guestrecord.h"
#include "hoteldatabase.h"
#include "roomrecord.h"
#include "servicerecord.h"
#include "staybilling.h"

#include <functional>
#include <vector>

class QWidget;

namespace lodgix {

// What the booking and check-in dialogs use of the program: the database, the hotel and its room table,
// the prices and the clock. The guest data and room services windows belong to the administration and
// come as callbacks, so that these dialogs do not depend on them.
struct DeskServices {
    CHotelDatabase& database;
    int hotelId = 0;
    const std::vector<RoomRecord>& rooms;
    const StayBilling& billing;
    std::function<OleDate()> now;
    // Shows the guest in the guest data dialog; true when it closed with OK, the guest then edited.
    std::function<bool(GuestRecord& guest, QWidget* parent)> editGuest;
    // Shows the room services dialog over the list; true when it closed with OK, the ticks then changed.
    std::function<bool(std::vector<ServiceRecord>& services, QWidget* parent)> editServices;

    // The current date at 00:00, taken afresh.
    OleDate Today() const
    {
        const OleDate moment = now ? now() : OleDate::Now();
        return OleDate(moment.Year(), moment.Month(), moment.Day());
    }
    // The room with that id, or null.
    const RoomRecord* Room(int roomId) const
    {
        const quint16 index = FindRoomIndex(roomId, rooms);
        return index == kNoRoom ? nullptr : &rooms[index];
    }
};

}  // namespace lodgix
