#pragma once

#include "bookingrecord.h"
#include "roomrecord.h"
#include "servicerecord.h"

#include <QString>

#include <vector>

namespace lodgix {

class CHotelDatabase;

// The treatments as the front desk lists them: 0 overnight only .. 3 full board, 4 "Altro" (a price typed
// by hand).
inline constexpr int kOtherTreatment = 4;
inline constexpr int kTreatmentChoices = 5;
// The text of a treatment in the running language.
QString TreatmentText(int index);
// The index of a stored treatment text: one of the four named treatments of the running language, compared
// exactly, else kOtherTreatment.
int TreatmentIndex(const QString& text);

// The optional services the room offers, in the stored order (by name), none selected. False when they
// cannot be read or the room offers none.
bool LoadRoomOptionalServices(CHotelDatabase& database, const RoomRecord& room, std::vector<ServiceRecord>& services);
// Selects every service among the booking's optional ones.
void SelectBookingServices(const BookingRecord& booking, std::vector<ServiceRecord>& services);

}  // namespace lodgix
