// A group booking: the group and its bookings written together, on each backend.
#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelGroupBookingTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    GroupRecord Group() const
    {
        GroupRecord group;
        group.name = QStringLiteral("Gita Rossi");
        group.hotelId = m_hotel;
        group.creationDate = OleDate(2026, 12, 10, 9, 0, 0);
        return group;
    }

    static BookingRecord Booking()
    {
        BookingRecord booking;
        booking.clientName = QStringLiteral("Rossi");
        booking.clientPhone = QStringLiteral("333 1234567");
        booking.startDate = OleDate(2027, 1, 5, 0, 0, 0);
        booking.endDate = OleDate(2027, 1, 7, 0, 0, 0);
        booking.treatment = QStringLiteral("Mezza pensione");
        booking.serviceCount = 1;
        booking.services[0] = 3;
        return booking;
    }

    std::vector<BookingRecord> Bookings()
    {
        std::vector<BookingRecord> bookings;
        EXPECT_EQ(Db().LoadBookings(m_hotel, CHotelDatabase::kAllRooms, bookings), kNoError);
        return bookings;
    }

    int Groups() { return Count(QStringLiteral("SELECT COUNT(*) AS n FROM HotelGroups")); }

    int m_hotel = 0;
};

TEST_P(HotelGroupBookingTest, GroupAndOneBookingPerRoom)
{
    GroupRecord group = Group();
    BookingRecord booking = Booking();
    std::vector<int> ids;
    ASSERT_EQ(Db().InsertGroupBooking(m_hotel, group, {4, 9}, booking, &ids), kNoError)
        << Db().LastError().toStdString();
    ASSERT_GT(group.id, 0);
    ASSERT_EQ(ids.size(), 2u);

    GroupRecord stored;
    ASSERT_EQ(Db().LoadGroup(group.id, stored), kNoError);
    EXPECT_EQ(stored.roomCount, 2);
    EXPECT_EQ(stored.rooms[0], 4);
    EXPECT_EQ(stored.rooms[1], 9);
    EXPECT_EQ(Count(QStringLiteral("SELECT BookingGroup AS n FROM HotelGroups WHERE ID = ?"), {group.id}), 1);

    const std::vector<BookingRecord> bookings = Bookings();
    ASSERT_EQ(bookings.size(), 2u);
    for (std::size_t i = 0; i < bookings.size(); ++i) {
        EXPECT_EQ(bookings[i].roomId, i == 0 ? 4 : 9);
        EXPECT_EQ(bookings[i].groupId, group.id);
        EXPECT_EQ(bookings[i].clientName, QStringLiteral("Rossi"));
        EXPECT_EQ(bookings[i].serviceCount, 1);
        EXPECT_EQ(bookings[i].services[0], 3);
    }
}

TEST_P(HotelGroupBookingTest, TooManyRoomsOrAFailedBookingWriteNothing)
{
    std::vector<int> many;
    for (int room = 1; room <= GroupRecord::kMaxRooms + 1; ++room)
        many.push_back(room);
    GroupRecord group = Group();
    BookingRecord booking = Booking();
    EXPECT_EQ(Db().InsertGroupBooking(m_hotel, group, many, booking), kDbRecordSelection);

    // The bookings fail after the group was written: the group goes with them.
    BookingRecord broken = Booking();
    broken.startDate = OleDate::Invalid();
    EXPECT_NE(Db().InsertGroupBooking(m_hotel, group, {1, 2}, broken), kNoError);
    EXPECT_EQ(group.id, 0);
    EXPECT_EQ(Groups(), 0);
    EXPECT_TRUE(Bookings().empty());

    many.pop_back();  // exactly a full group
    ASSERT_EQ(Db().InsertGroupBooking(m_hotel, group, many, booking), kNoError);
    EXPECT_EQ(Bookings().size(), static_cast<std::size_t>(GroupRecord::kMaxRooms));
}

INSTANTIATE_DB_TEST(HotelGroupBookingTest);

}  // namespace
}  // namespace lodgix
