#pragma once

#include "oledate.h"

#include <QString>

#include <cstdint>

// One outgoing call of the call log, as the rating and hotel programs read it.
struct LoggedCall {
    std::uint16_t extension = 0;     // IndiceDerivato
    std::uint8_t externalLine = 0;   // IndiceEsterna
    std::int32_t billed = 0;         // Fatturato, 0 or 1
    OleDate start;                   // DataInizio
    OleDate duration;                // Durata: a time of day on 30/12/1899
    double pulses = 0.0;             // Scatti: pulses counted, or seconds for a PBX that times calls
    QString dialledNumber;           // NumeroChiamato
};
