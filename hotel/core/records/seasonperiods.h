#pragma once

#include "seasontable.h"

#include <QString>

#include <array>
#include <optional>

namespace lodgix {

// The settings dialog's texts of the season periods: each bound "ggmm" (day, then month), "0000" for a
// bound not in use.
QString PeriodBoundText(quint16 bound);
// A bound's value (month * 256 + day), 0 for "0000"; none for a text that is no day of the leap year 2004
// (so 29 February is a day) or not exactly four characters.
std::optional<quint16> ParsePeriodBound(const QString& text);

// The twenty bounds as the dialog lists them: the low season's five periods (start, end), then the high
// season's.
using SeasonBoundTexts = std::array<QString, 4 * SeasonTable::kRanges>;
SeasonBoundTexts SeasonTexts(const SeasonTable& seasons);
// The table the texts describe; none when a bound is not valid or a season's periods are not filled from the
// first, each ending on or after its start and each starting on or after the previous end (so no period
// runs over the year's end).
std::optional<SeasonTable> ParseSeasonTexts(const SeasonBoundTexts& texts);

}  // namespace lodgix
