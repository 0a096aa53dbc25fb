#pragma once

#include "groupbookingdlg.h"
#include "lodgixstate.h"

#include <vector>

class QWidget;

namespace lodgix {

// The rooms of the table, in table order, that are free on every night of the search (no booking, no
// unavailable period, no stay, checked out or not, touches them) and meet its quality, beds and service
// conditions.
std::vector<RoomRecord> GroupBookingRooms(CHotelDatabase& database, int hotelId, const std::vector<RoomRecord>& rooms,
                                          const GroupSearchRecord& search);
// Whether a value meets a condition of the search (kind 0 or an unknown kind: no condition).
bool MeetsCondition(int value, quint8 comparison, int wanted);
// The wanted services that cost something, in the search's order: a booking's optional services.
std::vector<ServiceRecord> GroupBookingServices(CHotelDatabase& database, const GroupSearchRecord& search);

// What a group booking writes: one booking per room, all in one new booking group named after the client.
// 46 for more rooms than a group holds (nothing written).
int BookGroup(CHotelDatabase& database, int hotelId, int operatorId, const GroupSearchRecord& search,
              const std::vector<RoomRecord>& rooms, const std::vector<ServiceRecord>& services,
              const QString& client, const QString& contact, const QString& notes, const QString& treatment);

// The group booking command: the search, the rooms it finds, their choice and the bookings. True when
// bookings were written (the planner is then refreshed by the caller).
bool RunGroupBooking(QWidget* parent, LodgixState& state);

}  // namespace lodgix
