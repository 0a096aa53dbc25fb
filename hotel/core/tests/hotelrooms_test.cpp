#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelRoomsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    static RoomRecord Room(const QString& label, int services = 0)
    {
        RoomRecord room;
        room.label = label;
        room.bedrooms = 2;
        room.pbx = 1;
        room.extension = 200;
        for (int i = 0; i < PriceTable::kCount; ++i)
            room.prices.prices[static_cast<std::size_t>(i)] = Money::FromCents(1000 * (i + 1) + i);
        room.vat = VatRate::FromHundredths(1000);
        room.quality = 4;
        for (int s = 0; s < services; ++s)
            room.services.push_back(40000 + s);  // ids beyond a 16-bit number
        return room;
    }

    int m_hotel = 0;
};

TEST_P(HotelRoomsTest, HotelNamesAreUniqueWithoutCaseAndKeepTheirQuotes)
{
    HotelRecord aurora;
    aurora.name = QStringLiteral("L'Aurora");
    aurora.city = QStringLiteral("Sant'Angelo");
    int id = 0;
    ASSERT_EQ(Db().InsertHotel(aurora, 12, id), kNoError);
    HotelRecord loaded;
    int rooms = 0;
    ASSERT_EQ(Db().LoadHotel(loaded, rooms, id), kNoError);
    EXPECT_EQ(loaded, aurora);
    EXPECT_EQ(rooms, 12);

    HotelRecord copy;
    copy.name = QStringLiteral("l'aurora");
    int other = 0;
    EXPECT_EQ(Db().InsertHotel(copy, 1, other), kDbStatementFailed);
    EXPECT_EQ(Db().UpdateHotel(id, aurora, 14), kNoError);  // its own name
    ASSERT_EQ(Db().LoadHotel(loaded, rooms, id), kNoError);
    EXPECT_EQ(rooms, 14);
    // Another hotel may not take the name; nothing changes.
    HotelRecord first;
    ASSERT_EQ(Db().LoadHotel(first, rooms, 1), kNoError);
    EXPECT_EQ(Db().UpdateHotel(1, aurora, 99), kDbStatementFailed);
    ASSERT_EQ(Db().LoadHotel(loaded, rooms, 1), kNoError);
    EXPECT_EQ(loaded, first);
    EXPECT_EQ(Db().LoadHotel(loaded, rooms, 999), kDbStatementFailed);
}

TEST_P(HotelRoomsTest, SeasonsAreInsertedOnceThenUpdated)
{
    SeasonTable seasons;
    EXPECT_EQ(Db().LoadHotelPeriods(m_hotel, seasons), kDbRecordSelection);
    seasons.low[4] = {SeasonTable::Day(3, 1), SeasonTable::Day(3, 31)};
    seasons.high[4] = {SeasonTable::Day(12, 24), SeasonTable::Day(12, 26)};
    ASSERT_EQ(Db().SaveHotelPeriods(m_hotel, seasons), kNoError);
    SeasonTable loaded;
    ASSERT_EQ(Db().LoadHotelPeriods(m_hotel, loaded), kNoError);
    EXPECT_EQ(loaded, seasons);
    EXPECT_EQ(Count(QStringLiteral("SELECT BassaStagione5Fine AS n FROM HotelPeriod")), 3 * 256 + 31);
    ASSERT_EQ(Db().SaveHotelPeriods(m_hotel, SeasonTable::Defaults()), kNoError);
    ASSERT_EQ(Db().LoadHotelPeriods(m_hotel, loaded), kNoError);
    EXPECT_EQ(loaded, SeasonTable::Defaults());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM HotelPeriod")), 1);
}

TEST_P(HotelRoomsTest, RoomPricesGoToTheirColumnsByNameAndComeBackExact)
{
    RoomRecord room = Room(QStringLiteral("101"), 3);
    room.prices.Price(Season::kLow, Treatment::kHalfBoard) = Money::FromCents(4444);
    room.prices.Price(Season::kMedium, Treatment::kBedAndBreakfast) = Money::FromCents(123456789);
    room.prices.Price(Season::kHigh, Treatment::kFullBoard) = Money::FromCents(1);
    int id = 0;
    ASSERT_EQ(Db().InsertRoom(m_hotel, room, &id), kNoError);
    room.id = id;
    const QString table = HotelTableName(HotelTable::kRoomConfiguration, m_hotel);
    const auto cents = [&](const char* column) {
        EXPECT_EQ(Db().OpenRecordset(QStringLiteral("SELECT %1 FROM %2").arg(QLatin1String(column), table)), kNoError);
        QString text;
        double number = 0;
        Db().GetFieldValue(QLatin1String(column), text, number);
        Db().CloseRecordset();
        Money money;
        EXPECT_TRUE(Money::FromText(text, money)) << text.toStdString();
        return money.Cents();
    };
    EXPECT_EQ(cents("HBPriceLow"), 4444);
    EXPECT_EQ(cents("BBPriceMed"), 123456789);
    EXPECT_EQ(cents("FBPriceHigh"), 1);
    EXPECT_EQ(cents("OBPriceLow"), 1000);

    std::vector<RoomRecord> rooms;
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 1u);
    EXPECT_EQ(rooms[0], room);

    room.label = QStringLiteral("A label longer than fifteen");
    room.services = {7};
    ASSERT_EQ(Db().UpdateRoom(m_hotel, room), kNoError);
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    EXPECT_EQ(rooms[0].label, QStringLiteral("A label longer "));
    EXPECT_EQ(rooms[0].services, std::vector<int>{7});
    ASSERT_EQ(Db().DeleteRoom(m_hotel, room), kNoError);
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    EXPECT_TRUE(rooms.empty());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(table)), 1);  // hidden, not deleted
}

TEST_P(HotelRoomsTest, ManyRoomsLoadInOnePassOrderedByLabelAsText)
{
    ASSERT_EQ(Db().BeginTransaction(), kNoError);
    for (int n = 300; n >= 1; --n)
        ASSERT_EQ(Db().InsertRoom(m_hotel, Room(QString::number(n))), kNoError);
    ASSERT_EQ(Db().CommitTransaction(), kNoError);
    std::vector<RoomRecord> rooms;
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 300u);
    EXPECT_EQ(rooms[0].label, QStringLiteral("1"));
    EXPECT_EQ(rooms[1].label, QStringLiteral("10"));
    EXPECT_EQ(rooms[2].label, QStringLiteral("100"));
    EXPECT_EQ(rooms.back().label, QStringLiteral("99"));
}

TEST_P(HotelRoomsTest, AStoredServiceCountBeyondItsSlotsIsRefused)
{
    EXPECT_EQ(Db().InsertRoom(m_hotel, Room(QStringLiteral("1"), RoomRecord::kMaxServices + 1)), kDbRecordSelection);
    ASSERT_EQ(Db().InsertRoom(m_hotel, Room(QStringLiteral("1"), RoomRecord::kMaxServices)), kNoError);
    std::vector<RoomRecord> rooms;
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 1u);
    EXPECT_EQ(rooms[0].services.size(), static_cast<std::size_t>(RoomRecord::kMaxServices));
    const QString table = HotelTableName(HotelTable::kRoomConfiguration, m_hotel);
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("UPDATE %1 SET NumServices = 37").arg(table)), kNoError);
    EXPECT_EQ(Db().LoadRooms(m_hotel, rooms), kDbRecordSelection);
    EXPECT_EQ(rooms.size(), 1u);  // what the caller had stays
}

TEST_P(HotelRoomsTest, ReplacedRoomsStartTheirIdsAgainAndAFailureKeepsTheOldOnes)
{
    for (const char* label : {"1", "2", "3"})
        ASSERT_EQ(Db().InsertRoom(m_hotel, Room(QLatin1String(label))), kNoError);
    ASSERT_EQ(Db().ReplaceRooms(m_hotel, {Room(QStringLiteral("A")), Room(QStringLiteral("B"))}), kNoError);
    std::vector<RoomRecord> rooms;
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_EQ(rooms[0].id, 1);
    EXPECT_EQ(rooms[1].id, 2);

    // The second room cannot be stored: the table and its rooms stay as they were.
    EXPECT_NE(Db().ReplaceRooms(m_hotel, {Room(QStringLiteral("X")), Room(QStringLiteral("Y"), 37)}), kNoError);
    ASSERT_EQ(Db().LoadRooms(m_hotel, rooms), kNoError);
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_EQ(rooms[0].label, QStringLiteral("A"));
    EXPECT_EQ(rooms[1].label, QStringLiteral("B"));
}

TEST_P(HotelRoomsTest, AHotelCreatedWithAFailingRoomLeavesNothingAndCanBeSavedAgain)
{
    HotelRecord hotel;
    hotel.name = QStringLiteral("Hotel Nuovo");
    std::vector<RoomRecord> rooms = {Room(QStringLiteral("1")), Room(QStringLiteral("2")),
                                     Room(QStringLiteral("3"), RoomRecord::kMaxServices + 1)};
    int id = -1;
    EXPECT_NE(Db().CreateHotel(hotel, rooms, id), kNoError);
    EXPECT_EQ(id, -1);
    std::vector<HotelListEntry> hotels;
    ASSERT_EQ(Db().LoadHotelList(hotels), kNoError);
    ASSERT_EQ(hotels.size(), 1u) << "only the fixture's hotel";

    rooms[2].services.resize(RoomRecord::kMaxServices);
    ASSERT_EQ(Db().CreateHotel(hotel, rooms, id), kNoError) << Db().LastError().toStdString();
    EXPECT_NE(id, m_hotel);
    HotelRecord stored;
    int roomCount = 0;
    ASSERT_EQ(Db().LoadHotel(stored, roomCount, id), kNoError);
    EXPECT_EQ(stored.name, hotel.name);
    EXPECT_EQ(roomCount, 3);
    std::vector<RoomRecord> loaded;
    ASSERT_EQ(Db().LoadRooms(id, loaded), kNoError);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[2].services.size(), static_cast<std::size_t>(RoomRecord::kMaxServices));
}

INSTANTIATE_DB_TEST(HotelRoomsTest);

}  // namespace
}  // namespace lodgix
