#include "hotelrating.h"

namespace lodgix {

bool LoadHotelRatingConfiguration(RatingConfiguration& configuration, const QString& path)
{
    return LoadRatingConfiguration(path, kRatingFileOlderTag, kRatingFileTag, configuration) == RatingFileResult::Ok;
}

}  // namespace lodgix
