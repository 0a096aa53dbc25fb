#pragma once

#include "oledate.h"
#include "ratingconfiguration.h"
#include "ratingconfigurationfile.h"

#include <QString>

#include <functional>

// Asks the user for the local area code among the prefixes of the Italian area-code group and returns
// the chosen index (the rating program shows its dialog here).
using LocalAreaCodeChooser = std::function<int(const PrefixGroup& areaCodes)>;

// The first run, when no usable configuration file exists: the default prefix groups with the chosen
// local area code (an index outside the list, as a cancelled choice gives, keeps the first code), the
// default tariffs and rules, the default print settings and view state; then the file is written to
// `path` with the current tag. Returns the result of that save; the configuration is built either way.
RatingFileResult RunRatingFirstRun(RatingConfiguration& configuration, const QString& path,
                                   const LocalAreaCodeChooser& chooseLocalAreaCode,
                                   const OleDate& now = OleDate::Now());

// The exit step: nothing when no configuration was loaded or built (no tariffs); the file deleted when
// defaults were requested, so that the next start runs the first run again; otherwise the configuration
// saved with the current tag.
RatingFileResult StoreRatingConfigurationAtExit(const RatingConfiguration& configuration, const QString& path);
