#pragma once

#include "oledate.h"

#include <QString>

#include <vector>

// One row of the switchboard's call log (LogCallsSwNew) as the counting queries read it.
struct CallLogEntry {
    int line = 0;       // IndiceEsterna: 1 internal, 2 external
    int pulses = 0;     // Scatti
    int direction = 0;  // Uscente: 1 in, 2 out, 3 missed
    int extension = 0;  // IndiceDerivato
    OleDate start;      // DataInizio
    OleDate duration;   // Durata: a time of day on the date type's day zero
    QString number;     // NumeroChiamato
};
