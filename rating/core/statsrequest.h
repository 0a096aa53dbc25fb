#pragma once

#include "oledate.h"

// What a statistic is asked for: a period, an extension or external line index and the PBX.
struct StatsRequest {
    OleDate start;
    OleDate end;
    int item = 0;  // extension index, or external line index for the line analysis
    int pbx = 0;
};
