#pragma once

#include "ratingconfiguration.h"
#include "ratingconfigurationfile.h"

#include <QString>

namespace lodgix {

// The rating program's configuration as the hotel prices calls with it: the current file, or the older
// one with its tariff variations at zero. False when the file is missing, damaged or of another version.
bool LoadHotelRatingConfiguration(RatingConfiguration& configuration, const QString& path = RatingConfigurationPath());

}  // namespace lodgix
