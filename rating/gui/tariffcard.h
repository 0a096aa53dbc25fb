#pragma once

#include "tariffrecord.h"

#include <QSize>

class CardImageList;

// The picture of a tariff: its name, its kind, its answer charge, and one row per kind of day with the
// day's bands drawn to scale (24 hours over 264 pixels) and each band's price per minute, estimated on
// a five-minute call.
inline constexpr QSize kTariffCardSize(301, 175);
constexpr int kTariffCardSlots = 256;

// Draws tariff `index` into its slot of the tariff pictures; nothing outside the list.
void DrawTariffCard(CardImageList& pictures, int index, const TariffRecord& tariff, double variation);

// The price a band shows: for the PBX pulse tariff (slot 0) its pulse cost in euro cents per pulse, for
// every other tariff the cost per minute in euro cents of a five-minute call that starts at the band's
// start on the reference date of `day` (2 to 8 April 2007, Monday to Sunday).
QString TariffCardPrice(int index, const TariffRecord& tariff, double variation, int day, const TariffBand& band);

// The pixel column of a time of day (seconds) on a card's day row.
int TariffCardX(double secondOfDay);
