#include "hoteltablesetup.h"

#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "stringtable.h"

namespace lodgix {

namespace {

constexpr unsigned kFirstDefaultFeatureString = 4000;
constexpr unsigned kDefaultFeatureCount = 9;
constexpr Money kInternetAccessPrice = Money::FromCents(100);
constexpr VatRate kInternetAccessVat = VatRate::FromHundredths(2000);

int CreateRoomServices(CHotelDatabase& database)
{
    int result = database.EnsureGlobalTable(HotelTable::kRoomServices, CHotelDatabase::kTestOnly);
    if (result != kDbRecordSelection)
        return result;
    // Only a table made now gets the default features: features deleted later stay deleted.
    result = database.EnsureGlobalTable(HotelTable::kRoomServices, CHotelDatabase::kCreate);
    for (unsigned i = 0; i < kDefaultFeatureCount && result == kNoError; ++i) {
        int id = 0;
        result = database.InsertRoomService(LoadResString(kFirstDefaultFeatureString + i), Money(), VatRate(), id);
    }
    return result;
}

}  // namespace

int CreateMasterTables(CHotelDatabase& database)
{
    int result = database.EnsureGlobalTable(HotelTable::kGuestConfiguration);
    if (result != kNoError)
        return result;
    // The column, the client services and the conventions are extras an older catalog may lack: a
    // failure there does not stop the start (the sale of internet access needs the client services).
    database.AddConventionNameColumn();
    result = database.EnsureCommonAreasTable(CHotelDatabase::kCreate);
    if (result == kNoError)
        result = database.EnsureGlobalTable(HotelTable::kCompanyConfiguration);
    if (result == kNoError)
        result = CreateRoomServices(database);
    if (result != kNoError)
        return result;
    database.EnsureGlobalTable(HotelTable::kClientServices);
    int id = 0;
    // Refused when it is there already: that is what this step wants.
    const int inserted = database.InsertClientService(QString::fromLatin1(kInternetAccessService),
                                                      kInternetAccessPrice, kInternetAccessVat, id);
    if (inserted != kNoError && inserted != kDbStatementFailed)
        return inserted;
    database.EnsureGuestConventionsTable(CHotelDatabase::kCreate);
    return kNoError;
}

int LoadFirstHotel(CHotelDatabase& database, CurrentHotel& current)
{
    std::vector<HotelListEntry> hotels;
    int result = database.LoadHotelList(hotels);
    if (result != kNoError)
        return result;
    if (hotels.empty())
        return kDbRecordSelection;
    CurrentHotel loaded;
    loaded.id = hotels.front().id;
    result = database.LoadHotel(loaded.hotel, loaded.roomCount, loaded.id);
    if (result == kNoError)
        result = database.LoadRooms(loaded.id, loaded.rooms);
    if (result != kNoError)
        return result;
    current = std::move(loaded);
    return kNoError;
}

int CreateHotelTables(CHotelDatabase& database, int hotelId)
{
    int result = database.EnsureHotelTable(HotelTable::kRoomBooking, hotelId);
    if (result == kNoError)
        result = database.AddRoomBookingColumns(hotelId);
    if (result == kNoError)
        result = database.EnsureHotelTable(HotelTable::kRoomAvailability, hotelId);
    if (result == kNoError)
        result = database.EnsureHotelTable(HotelTable::kRoomCheckIn, hotelId);
    if (result == kNoError)
        result = database.AddCheckInColumns(hotelId);
    if (result == kNoError)
        result = database.EnsureHotelTable(HotelTable::kRoomMessages, hotelId);
    if (result == kNoError)
        result = database.EnsureGlobalTable(HotelTable::kHotelPeriod);
    if (result == kNoError)
        result = database.CreateHotelGroupsTable();
    if (result == kNoError)
        result = database.AddBookingGroupColumn();
    return result;
}

int LoadOrStoreSeasons(CHotelDatabase& database, int hotelId, SeasonTable& seasons)
{
    const int result = database.LoadHotelPeriods(hotelId, seasons);
    if (result != kDbRecordSelection)
        return result;
    const SeasonTable defaults = SeasonTable::Defaults();
    const int saved = database.SaveHotelPeriods(hotelId, defaults);
    if (saved == kNoError)
        seasons = defaults;
    return saved;
}

}  // namespace lodgix
