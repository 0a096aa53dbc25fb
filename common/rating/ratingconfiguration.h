#pragma once

#include "prefixgrouptable.h"
#include "printsettings.h"
#include "ruletable.h"
#include "tarifftable.h"
#include "tariffvariations.h"
#include "viewstate.h"

// Everything the rating program's user edits, its page layout and the remembered view, as one object the
// program loads at start, edits in place and stores at exit. Empty (no tariffs) until loaded or built.
struct RatingConfiguration {
    PrefixGroupTable prefixGroups;
    TariffTable tariffs;
    RuleTable rules;
    PrintSettings printSettings;
    ViewState viewState;
    TariffVariations variations;
    bool restoreDefaults = false;  // set by the restore-defaults command: the exit step deletes the file
};
