#include "lodgixtestsuite.h"

#include "defaultprefixgroups.h"
#include "defaulttariffs.h"
#include "defaultrules.h"
#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "ratingconfigurationfile.h"

#include <memory>

namespace lodgix {

namespace {

const QString kServer = QStringLiteral("localhost");

}  // namespace

bool WriteDefaultRating(const QString& path)
{
    auto configuration = std::make_unique<RatingConfiguration>();
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), configuration->prefixGroups);
    BuildDefaultTariffs(configuration->tariffs, configuration->variations);
    BuildDefaultRules(configuration->rules, configuration->prefixGroups);
    return SaveRatingConfiguration(path, kRatingFileTag, *configuration) == RatingFileResult::Ok;
}

bool AddOperator(const DbParameters& catalog, const QString& userName, const QString& password)
{
    CHotelDatabase db(catalog);
    int id = 0;
    return db.Connect(kServer) == kNoError && db.EnsureGlobalTable(HotelTable::kOperators) == kNoError &&
           db.InsertOperator(userName, password, false, id) == kNoError;
}

bool AddHotel(const DbParameters& catalog, const QString& name)
{
    CHotelDatabase db(catalog);
    HotelRecord hotel;
    hotel.name = name;
    int id = 0;
    return db.Connect(kServer) == kNoError && db.EnsureGlobalTable(HotelTable::kHotelConfiguration) == kNoError &&
           db.InsertHotel(hotel, 0, id) == kNoError && db.RecreateRoomTable(id) == kNoError;
}

}  // namespace lodgix
