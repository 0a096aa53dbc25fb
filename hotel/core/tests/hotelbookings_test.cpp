#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelBookingsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    BookingRecord Booking(int room, const OleDate& start, const OleDate& end, const QString& client = {})
    {
        BookingRecord booking;
        booking.roomId = room;
        booking.userId = 3;
        booking.startDate = start;
        booking.endDate = end;
        booking.clientName = client;
        return booking;
    }

    int Insert(BookingRecord booking)
    {
        EXPECT_EQ(Db().InsertBooking(m_hotel, booking), kNoError) << Db().LastError().toStdString();
        return booking.bookingId;
    }

    // The clients of the bookings a range query returns.
    QStringList Clients(const OleDate& from, const OleDate& to, int room = CHotelDatabase::kAllRooms)
    {
        std::vector<BookingRecord> bookings;
        EXPECT_EQ(Db().LoadBookings(m_hotel, from, to, room, bookings), kNoError);
        QStringList clients;
        for (const BookingRecord& booking : bookings)
            clients << booking.clientName;
        return clients;
    }

    int m_hotel = 0;
};

TEST_P(HotelBookingsTest, OneNightIsStoredAtMidnightAndFoundOnItsDay)
{
    const int id = Insert(Booking(101, OleDate(2027, 3, 10, 15, 30), OleDate(2027, 3, 10, 15, 30), "Rossi"));
    BookingRecord loaded;
    ASSERT_EQ(Db().LoadBooking(m_hotel, id, loaded), kNoError);
    EXPECT_EQ(loaded.startDate, OleDate(2027, 3, 10));
    EXPECT_EQ(loaded.endDate, OleDate(2027, 3, 10));
    EXPECT_EQ(Clients(OleDate(2027, 3, 10), OleDate(2027, 3, 10)), QStringList{"Rossi"});
    EXPECT_EQ(Clients(OleDate(2027, 3, 11), OleDate(2027, 3, 11)), QStringList{});
}

TEST_P(HotelBookingsTest, ARangeFindsWhatStartsEndsOrSpansInsideIt)
{
    Insert(Booking(1, OleDate(2027, 2, 25), OleDate(2027, 3, 5), "ends inside"));
    Insert(Booking(2, OleDate(2027, 3, 28), OleDate(2027, 4, 3), "starts inside"));
    Insert(Booking(3, OleDate(2027, 2, 20), OleDate(2027, 4, 10), "spans"));
    Insert(Booking(4, OleDate(2027, 2, 20), OleDate(2027, 2, 28), "before"));
    EXPECT_EQ(Clients(OleDate(2027, 3, 1), OleDate(2027, 3, 31)),
              (QStringList{"ends inside", "starts inside", "spans"}));
    // Both bounds belong to the range: a last night on the first day counts, a start the day after the last
    // does not.
    EXPECT_EQ(Clients(OleDate(2027, 2, 28), OleDate(2027, 3, 27)), (QStringList{"ends inside", "spans", "before"}));
    EXPECT_EQ(Clients(OleDate(2027, 3, 6), OleDate(2027, 3, 27)), QStringList{"spans"});
    // A room filter takes that room alone; 0xFFFF every room.
    EXPECT_EQ(Clients(OleDate(2027, 3, 1), OleDate(2027, 3, 31), 2), QStringList{"starts inside"});
    EXPECT_EQ(Clients(OleDate(2027, 2, 1), OleDate(2027, 4, 30), 0xFFFF).size(), 4);
    std::vector<BookingRecord> bookings;
    EXPECT_EQ(Db().LoadBookings(m_hotel, OleDate::Invalid(), OleDate(2027, 3, 1), 0xFFFF, bookings),
              kDbRowInsertFailed);
}

TEST_P(HotelBookingsTest, TextsComeBackAsWrittenAndCutToTheirColumns)
{
    const QString annotation = QString(251, u'x') + QStringLiteral("l'ora");  // the whole column
    BookingRecord booking = Booking(7, OleDate(2027, 5, 1), OleDate(2027, 5, 3), QStringLiteral("D'Angelo"));
    booking.clientPhone = QStringLiteral("0039 06 5550123");
    booking.clientAnnotation = annotation + QStringLiteral("beyond");
    booking.treatment = QStringLiteral("Mezza pensione");
    booking.groupId = 9;
    booking.serviceCount = 2;
    booking.services[0] = 70000;
    booking.services[1] = 4;
    booking.services[31] = 12;  // unused slots are stored as the record has them
    const int id = Insert(booking);
    BookingRecord loaded;
    ASSERT_EQ(Db().LoadBooking(m_hotel, id, loaded), kNoError);
    booking.bookingId = id;
    booking.clientAnnotation = annotation;
    EXPECT_EQ(loaded, booking);
    EXPECT_EQ(Db().GetBookingClientName(m_hotel, id), QStringLiteral("D'Angelo"));
    EXPECT_EQ(Db().GetBookingNameAndPhone(m_hotel, id), QStringLiteral("D'Angelo (0039 06 5550123)"));
    EXPECT_EQ(Db().GetBookingNameAndNotes(m_hotel, id), QStringLiteral("D'Angelo - ") + annotation);
    EXPECT_EQ(Db().GetBookingNameAndPhone(m_hotel, id + 1), QString());
}

TEST_P(HotelBookingsTest, AHiddenBookingIsLoadedByKeyAndShownAgainByAnUpdate)
{
    BookingRecord booking = Booking(5, OleDate(2027, 6, 1), OleDate(2027, 6, 2), "Bianchi");
    booking.bookingId = Insert(booking);
    ASSERT_EQ(Db().DeleteBooking(m_hotel, booking.bookingId), kNoError);
    std::vector<BookingRecord> visible;
    ASSERT_EQ(Db().LoadBookings(m_hotel, 0xFFFF, visible), kNoError);
    EXPECT_TRUE(visible.empty());
    BookingRecord loaded;
    EXPECT_EQ(Db().LoadBooking(m_hotel, booking.bookingId, loaded), kNoError);
    EXPECT_EQ(Db().LoadBooking(m_hotel, booking.bookingId + 1, loaded), kDbRecordSelection);

    booking.endDate = OleDate(2027, 6, 4, 9, 15);
    ASSERT_EQ(Db().UpdateBooking(m_hotel, booking), kNoError);
    ASSERT_EQ(Db().LoadBookings(m_hotel, 5, visible), kNoError);
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_EQ(visible[0].endDate, OleDate(2027, 6, 4));
    ASSERT_EQ(Db().LoadBookings(m_hotel, 6, visible), kNoError);
    EXPECT_TRUE(visible.empty());
}

TEST_P(HotelBookingsTest, CountsBeyondTheirSlotsAreRefused)
{
    BookingRecord booking = Booking(5, OleDate(2027, 6, 1), OleDate(2027, 6, 2), "Verdi");
    booking.serviceCount = 33;
    EXPECT_EQ(Db().InsertBooking(m_hotel, booking), kDbRecordSelection);
    booking.serviceCount = 1;
    const int id = Insert(booking);
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("UPDATE RoomBooking_%1 SET NumOptionalServices = 33").arg(m_hotel)),
              kNoError);
    Db().CloseRecordset();
    BookingRecord loaded;
    EXPECT_EQ(Db().LoadBooking(m_hotel, id, loaded), kDbRecordSelection);
    std::vector<BookingRecord> bookings(1);
    EXPECT_EQ(Db().LoadBookings(m_hotel, 0xFFFF, bookings), kDbRecordSelection);
    EXPECT_EQ(bookings.size(), 1u);  // as the caller had it
}

TEST_P(HotelBookingsTest, UnavailabilityPeriods)
{
    AvailabilityRecord period;
    period.roomId = 12;
    period.userId = 2;
    period.startDate = OleDate(2027, 3, 1, 10, 0);
    period.endDate = OleDate(2027, 3, 3, 18, 0);
    period.reason = QStringLiteral("Lavori all'impianto");
    ASSERT_EQ(Db().InsertUnavailability(m_hotel, period), kNoError);
    EXPECT_GT(period.availabilityId, 0);
    std::vector<AvailabilityRecord> periods;
    ASSERT_EQ(Db().LoadUnavailability(m_hotel, OleDate(2027, 3, 3), OleDate(2027, 3, 9), 0xFFFF, periods), kNoError);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].startDate, OleDate(2027, 3, 1));
    EXPECT_EQ(periods[0].endDate, OleDate(2027, 3, 3));
    EXPECT_EQ(periods[0].reason, period.reason);

    period.endDate = OleDate(2027, 3, 2);
    ASSERT_EQ(Db().UpdateUnavailability(m_hotel, period), kNoError);
    ASSERT_EQ(Db().LoadUnavailability(m_hotel, OleDate(2027, 3, 3), OleDate(2027, 3, 9), 0xFFFF, periods), kNoError);
    EXPECT_TRUE(periods.empty());
    ASSERT_EQ(Db().LoadUnavailability(m_hotel, OleDate(2027, 3, 2), OleDate(2027, 3, 2), 12, periods), kNoError);
    EXPECT_EQ(periods.size(), 1u);
    ASSERT_EQ(Db().DeleteUnavailability(m_hotel, period.availabilityId), kNoError);
    ASSERT_EQ(Db().LoadUnavailability(m_hotel, OleDate(2027, 3, 2), OleDate(2027, 3, 2), 12, periods), kNoError);
    EXPECT_TRUE(periods.empty());
}

INSTANTIATE_DB_TEST(HotelBookingsTest);

}  // namespace
}  // namespace lodgix
