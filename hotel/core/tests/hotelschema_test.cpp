#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelSchemaTest : public HotelDbTest {
protected:
    // Every table start-up makes for one hotel, with its columns in order.
    void ExpectAllTables(int hotelId)
    {
        const HotelTable global[] = {HotelTable::kHotelConfiguration, HotelTable::kHotelPeriod,
                                     HotelTable::kGuestConfiguration, HotelTable::kCompanyConfiguration,
                                     HotelTable::kOperators,          HotelTable::kRoomServices,
                                     HotelTable::kClientServices,     HotelTable::kGuestConventions,
                                     HotelTable::kCommonAreas,        HotelTable::kHotelGroups};
        for (const HotelTable table : global)
            EXPECT_EQ(TableColumns(HotelTableName(table)), RunNames(HotelColumns(table))) << HotelTableName(table).toStdString();
        for (const HotelTable table : {HotelTable::kRoomBooking, HotelTable::kRoomAvailability,
                                       HotelTable::kRoomCheckIn, HotelTable::kRoomMessages})
            EXPECT_EQ(TableColumns(HotelTableName(table, hotelId)), RunNames(HotelColumns(table)))
                << HotelTableName(table, hotelId).toStdString();
    }

    void RunStartUp(int& hotelId, SeasonTable& seasons)
    {
        ASSERT_EQ(Db().EnsureGlobalTable(HotelTable::kOperators, CHotelDatabase::kCreate), kNoError);
        ASSERT_EQ(CreateMasterTables(Db()), kNoError) << Db().LastError().toStdString();
        ASSERT_EQ(Db().EnsureGlobalTable(HotelTable::kHotelConfiguration), kNoError);
        CurrentHotel current;
        const int loaded = LoadFirstHotel(Db(), current);
        if (loaded == kDbRecordSelection) {
            HotelRecord hotel;
            hotel.name = QStringLiteral("Aurora");
            ASSERT_EQ(Db().InsertHotel(hotel, 0, current.id), kNoError);
        } else {
            ASSERT_EQ(loaded, kDbStatementFailed);  // the hotel has no room table until the wizard makes one
        }
        std::vector<HotelListEntry> hotels;
        ASSERT_EQ(Db().LoadHotelList(hotels), kNoError);
        ASSERT_EQ(hotels.size(), 1u);
        hotelId = hotels.front().id;
        ASSERT_EQ(CreateHotelTables(Db(), hotelId), kNoError) << Db().LastError().toStdString();
        ASSERT_EQ(LoadOrStoreSeasons(Db(), hotelId, seasons), kNoError);
    }
};

TEST_P(HotelSchemaTest, StartUpMakesEveryTableInOrderAndChangesNothingTheSecondTime)
{
    int hotelId = 0;
    SeasonTable seasons;
    RunStartUp(hotelId, seasons);
    ExpectAllTables(hotelId);
    const QStringList groups = TableColumns(QStringLiteral("HotelGroups"));
    ASSERT_EQ(groups.size(), 263);
    EXPECT_EQ(groups.at(261), QStringLiteral("room256"));
    EXPECT_EQ(groups.at(262), QStringLiteral("bookinggroup"));
    EXPECT_EQ(TableColumns(HotelTableName(HotelTable::kRoomCheckIn, hotelId)).size(), 242);
    EXPECT_EQ(TableColumns(HotelTableName(HotelTable::kRoomBooking, hotelId)).size(), 44);
    EXPECT_EQ(seasons, SeasonTable::Defaults());
    EXPECT_EQ(Db().GetClientServicePrice(1).Text(), QStringLiteral("1.00"));
    EXPECT_EQ(Db().GetClientServiceVat(1).Text(), QStringLiteral("20.00"));

    // Features deleted after the first start stay deleted: the table existed.
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("UPDATE RoomServices SET IsVisible = 0 WHERE IDRoomService = 1")), kNoError);
    int again = 0;
    SeasonTable seasonsAgain;
    RunStartUp(again, seasonsAgain);
    EXPECT_EQ(again, hotelId);
    ExpectAllTables(hotelId);
    EXPECT_EQ(seasonsAgain, SeasonTable::Defaults());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM RoomServices")), 9);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM RoomServices WHERE IsVisible = 1")), 8);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM ClientServices")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM HotelPeriod")), 1);
    EXPECT_EQ(Db().GetRoomServiceName(1), QStringLiteral("Televisore"));
}

TEST_P(HotelSchemaTest, TestOnlyFormTellsMissingFromPresent)
{
    for (const HotelTable table : {HotelTable::kOperators, HotelTable::kRoomServices, HotelTable::kClientServices,
                                   HotelTable::kGuestConventions, HotelTable::kCommonAreas}) {
        EXPECT_EQ(Db().EnsureGlobalTable(table, CHotelDatabase::kTestOnly), kDbRecordSelection);
        EXPECT_EQ(Db().EnsureGlobalTable(table, CHotelDatabase::kCreate), kNoError);
        EXPECT_EQ(Db().EnsureGlobalTable(table, CHotelDatabase::kTestOnly), kNoError);
    }
    EXPECT_EQ(Db().EnsureGuestConventionsTable(CHotelDatabase::kTestOnly), kNoError);
    EXPECT_EQ(Db().EnsureCommonAreasTable(CHotelDatabase::kTestOnly), kNoError);
    Db().Close();
    EXPECT_NE(Db().EnsureGlobalTable(HotelTable::kOperators, CHotelDatabase::kTestOnly), kNoError);
    EXPECT_NE(Db().EnsureGlobalTable(HotelTable::kOperators, CHotelDatabase::kTestOnly), kDbRecordSelection);
}

TEST_P(HotelSchemaTest, TablesOfOlderVersionsGainTheirMissingColumnsInOrder)
{
    struct OldTable {
        HotelTable table;
        int hotelId;
        std::size_t columns;  // what the older version made
    };
    const OldTable old[] = {
        {HotelTable::kRoomBooking, 1, 9},          // up to IsVisible
        {HotelTable::kRoomCheckIn, 1, 221},        // up to Service40IVA
        {HotelTable::kGuestConfiguration, 0, 19},  // without ConventionName
        {HotelTable::kHotelGroups, 0, 262},        // without BookingGroup
    };
    for (const OldTable& table : old)
        ASSERT_EQ(Db().CreateTable(CSqlDatabase::kSharedTable, HotelTableName(table.table, table.hotelId),
                                   HotelColumns(table.table).first(table.columns)),
                  kNoError);
    ASSERT_EQ(Db().AddConventionNameColumn(), kNoError);
    ASSERT_EQ(CreateHotelTables(Db(), 1), kNoError) << Db().LastError().toStdString();
    for (const OldTable& table : old)
        EXPECT_EQ(TableColumns(HotelTableName(table.table, table.hotelId)), RunNames(HotelColumns(table.table)))
            << HotelTableName(table.table, table.hotelId).toStdString();
    const QStringList checkIn = TableColumns(QStringLiteral("RoomCheckIn_1"));
    EXPECT_EQ(checkIn.mid(221, 3), (QStringList{"service40userid", "service40date", "groupid"}));
    EXPECT_EQ(checkIn.last(), QStringLiteral("cardid5"));
}

TEST_P(HotelSchemaTest, AnUpgradeThatCannotBeMadeIsReported)
{
    // No such table: the column cannot be added, and the caller hears of it.
    EXPECT_NE(Db().AddRoomBookingColumns(7), kNoError);
    EXPECT_NE(Db().AddCheckInColumns(7), kNoError);
    EXPECT_EQ(Db().EnsureHotelTable(HotelTable::kRoomBooking, 0), kDbTableCreationFailed);
    EXPECT_EQ(Db().EnsureGlobalTable(HotelTable::kRoomBooking), kDbTableCreationFailed);
}

TEST_P(HotelSchemaTest, HotelIdsBeyondAByteNameTheirTables)
{
    ASSERT_EQ(Db().EnsureGlobalTable(HotelTable::kHotelConfiguration), kNoError);
    constexpr int kHotels = 300;
    ASSERT_EQ(Db().BeginTransaction(), kNoError);
    for (int i = 1; i <= kHotels; ++i) {
        HotelRecord hotel;
        hotel.name = QStringLiteral("Hotel %1").arg(i, 3, 10, QLatin1Char('0'));
        int id = 0;
        ASSERT_EQ(Db().InsertHotel(hotel, i, id), kNoError);
        ASSERT_EQ(id, i);
    }
    ASSERT_EQ(Db().CommitTransaction(), kNoError);
    std::vector<HotelListEntry> hotels;
    ASSERT_EQ(Db().LoadHotelList(hotels), kNoError);
    ASSERT_EQ(hotels.size(), static_cast<std::size_t>(kHotels));
    for (int i = 0; i < kHotels; ++i) {
        EXPECT_EQ(hotels[static_cast<std::size_t>(i)].id, i + 1);
        EXPECT_EQ(hotels[static_cast<std::size_t>(i)].name, QStringLiteral("Hotel %1").arg(i + 1, 3, 10, QLatin1Char('0')));
    }
    ASSERT_EQ(CreateHotelTables(Db(), 256), kNoError);
    bool exists = false;
    ASSERT_EQ(Db().TableExists(QStringLiteral("RoomBooking_256"), exists), kNoError);
    EXPECT_TRUE(exists);
    ASSERT_EQ(Db().TableExists(QStringLiteral("RoomBooking_0"), exists), kNoError);
    EXPECT_FALSE(exists);
    HotelRecord hotel;
    int rooms = 0;
    ASSERT_EQ(Db().LoadHotel(hotel, rooms, 256), kNoError);
    EXPECT_EQ(hotel.name, QStringLiteral("Hotel 256"));
    EXPECT_EQ(rooms, 256);  // a room count is no byte either
}

INSTANTIATE_DB_TEST(HotelSchemaTest);

}  // namespace
}  // namespace lodgix
