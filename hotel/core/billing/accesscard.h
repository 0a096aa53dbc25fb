#pragma once

#include "checkinrecord.h"
#include "itcrecordbuilder.h"

namespace lodgix {

// A new access card of a stay: the first of its five card slots that is free (empty), or -1.
int FirstFreeCardSlot(const CheckInRecord& stay);
// The card's departure: noon of the day after the stay's last night.
OleDate CardDeparture(const CheckInRecord& stay);

// Composes the key-card check-in record of the card (arrival the stay's check-in moment) and puts the
// card code into the stay's first free slot. False, with the stay unchanged, when there is no free slot,
// composing fails, or the code does not fit its slot (15 characters at most).
bool ComposeAccessCard(CItcRecordBuilder& builder, const QString& roomLabel, const QString& guest,
                       const QString& zoneCodes, CheckInRecord& stay);

}  // namespace lodgix
