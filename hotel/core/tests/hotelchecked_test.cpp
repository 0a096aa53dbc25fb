// The front desk's checked writes: the check sees the room's rows of the period as stored when writing,
// a refusal writes nothing, and two workstations cannot both take one night.
#include "hoteldbtest.h"

#include <atomic>
#include <latch>
#include <thread>

namespace lodgix {
namespace {

const OleDate kFirst(2027, 5, 10);
const OleDate kLast(2027, 5, 12);
constexpr int kRoom = 3;

// The check of a new booking or stay: nothing of the room stored in the period.
bool NothingStored(const RoomDayRecords& rows)
{
    return rows.bookings.empty() && rows.unavailability.empty() && rows.stays.empty();
}

class HotelCheckedTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    static BookingRecord Booking(int room, const OleDate& first, const OleDate& last)
    {
        BookingRecord booking;
        booking.roomId = room;
        booking.startDate = first;
        booking.endDate = last;
        booking.clientName = QStringLiteral("Rossi");
        return booking;
    }

    static CheckInRecord Stay(const OleDate& first, const OleDate& last)
    {
        CheckInRecord stay;
        stay.roomId = kRoom;
        stay.startDate = first;
        stay.endDate = last;
        stay.checkInDate = OleDate(first.Year(), first.Month(), first.Day(), 15, 0);
        return stay;
    }

    int StoredBookings(int room)
    {
        std::vector<BookingRecord> bookings;
        EXPECT_EQ(Db().LoadBookings(m_hotel, room, bookings), kNoError);
        return static_cast<int>(bookings.size());
    }

    int StoredStays()
    {
        std::vector<CheckInRecord> stays;
        EXPECT_EQ(Db().LoadCheckIns(m_hotel, kRoom, stays), kNoError);
        return static_cast<int>(stays.size());
    }

    int m_hotel = 0;
};

TEST_P(HotelCheckedTest, TheCheckSeesTheRoomsRowsOfThePeriodAndARefusalWritesNothing)
{
    BookingRecord other = Booking(kRoom + 1, kFirst, kLast);  // another room: never seen
    ASSERT_EQ(Db().InsertBooking(m_hotel, other), kNoError);
    BookingRecord before = Booking(kRoom, OleDate(2027, 5, 1), OleDate(2027, 5, 9));  // ends the day before
    ASSERT_EQ(Db().InsertBooking(m_hotel, before), kNoError);

    BookingRecord first = Booking(kRoom, kFirst, kLast);
    ASSERT_EQ(Db().InsertBookingChecked(m_hotel, first, NothingStored), kNoError);
    EXPECT_GT(first.bookingId, 0);

    // The last night taken: refused, nothing stored.
    BookingRecord second = Booking(kRoom, OleDate(2027, 5, 8), kFirst);
    RoomDayRecords seen;
    EXPECT_EQ(Db().InsertBookingChecked(m_hotel, second,
                                        [&](const RoomDayRecords& rows) {
                                            seen = rows;
                                            return NothingStored(rows);
                                        }),
              CHotelDatabase::kDayTaken);
    EXPECT_EQ(second.bookingId, 0);
    EXPECT_EQ(StoredBookings(kRoom), 2);
    ASSERT_EQ(seen.bookings.size(), 2u);  // both bookings of the room touch 8-10 May
    EXPECT_TRUE(seen.unavailability.empty());

    // Onto its own days, its own row passed over by the check: stored.
    first.endDate = OleDate(2027, 5, 14);
    const auto exceptFirst = [&](const RoomDayRecords& rows) {
        return std::all_of(rows.bookings.begin(), rows.bookings.end(),
                           [&](const BookingRecord& row) { return row.bookingId == first.bookingId; });
    };
    EXPECT_EQ(Db().UpdateBookingChecked(m_hotel, 0, first, exceptFirst), kNoError);
    // Onto the other booking's days: refused, the stored row unchanged.
    BookingRecord moved = first;
    moved.startDate = OleDate(2027, 5, 9);
    EXPECT_EQ(Db().UpdateBookingChecked(m_hotel, 0, moved, exceptFirst), CHotelDatabase::kDayTaken);
    BookingRecord stored;
    ASSERT_EQ(Db().LoadBooking(m_hotel, first.bookingId, stored), kNoError);
    EXPECT_EQ(stored.startDate, kFirst);
    EXPECT_EQ(stored.endDate, OleDate(2027, 5, 14));

    // Periods: refused over a booking, stored on free days, rewritten.
    AvailabilityRecord period;
    period.roomId = kRoom;
    period.startDate = OleDate(2027, 5, 14);
    period.endDate = OleDate(2027, 5, 20);
    period.reason = QStringLiteral("Lavori");
    EXPECT_EQ(Db().InsertUnavailabilityChecked(m_hotel, period, NothingStored), CHotelDatabase::kDayTaken);
    EXPECT_EQ(period.availabilityId, 0);
    period.startDate = OleDate(2027, 5, 15);
    ASSERT_EQ(Db().InsertUnavailabilityChecked(m_hotel, period, NothingStored), kNoError);
    EXPECT_GT(period.availabilityId, 0);
    period.endDate = OleDate(2027, 5, 21);
    EXPECT_EQ(Db().UpdateUnavailabilityChecked(m_hotel, period, [](const RoomDayRecords& rows) {
        return rows.bookings.empty() && rows.unavailability.size() == 1;
    }), kNoError);
    std::vector<AvailabilityRecord> periods;
    ASSERT_EQ(Db().LoadUnavailability(m_hotel, kFirst, OleDate(2027, 6, 1), kRoom, periods), kNoError);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].endDate, OleDate(2027, 5, 21));
}

TEST_P(HotelCheckedTest, AStayHidesItsBookingOnlyWhenItIsStored)
{
    BookingRecord booking = Booking(kRoom, kFirst, kLast);
    ASSERT_EQ(Db().InsertBooking(m_hotel, booking), kNoError);
    BookingRecord foreign = Booking(kRoom, OleDate(2027, 5, 13), OleDate(2027, 5, 13));
    foreign.clientName = QStringLiteral("Bianchi");
    ASSERT_EQ(Db().InsertBooking(m_hotel, foreign), kNoError);

    // A stay of the booking running into the foreign booking's night: refused, and its own booking stays.
    CheckInRecord stay = Stay(kFirst, OleDate(2027, 5, 13));
    stay.bookingId = booking.bookingId;
    EXPECT_EQ(Db().InsertCheckInChecked(m_hotel, stay, kFirst, NothingStored), CHotelDatabase::kDayTaken);
    EXPECT_EQ(stay.checkInId, 0);
    EXPECT_EQ(StoredBookings(kRoom), 2);
    EXPECT_EQ(StoredStays(), 0);

    // Within the booking's nights: the booking is gone from the check's rows, and hidden once stored.
    stay.endDate = kLast;
    ASSERT_EQ(Db().InsertCheckInChecked(m_hotel, stay, kFirst, NothingStored), kNoError);
    EXPECT_GT(stay.checkInId, 0);
    EXPECT_EQ(StoredBookings(kRoom), 1);
    EXPECT_EQ(StoredStays(), 1);

    // The stay lengthened over the foreign night: refused, then stored once that booking is passed over.
    CheckInRecord longer = stay;
    longer.endDate = OleDate(2027, 5, 13);
    const auto otherThanStay = [&](const RoomDayRecords& rows) {
        return rows.bookings.empty() && std::all_of(rows.stays.begin(), rows.stays.end(), [&](const CheckInRecord& row) {
                   return row.checkInId == stay.checkInId;
               });
    };
    EXPECT_EQ(Db().UpdateCheckInChecked(m_hotel, 0, longer, kFirst, otherThanStay), CHotelDatabase::kDayTaken);
    ASSERT_EQ(Db().DeleteBooking(m_hotel, foreign.bookingId), kNoError);
    EXPECT_EQ(Db().UpdateCheckInChecked(m_hotel, 0, longer, kFirst, otherThanStay), kNoError);
    std::vector<CheckInRecord> stays;
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, kRoom, stays), kNoError);
    ASSERT_EQ(stays.size(), 1u);
    EXPECT_EQ(stays[0].endDate, OleDate(2027, 5, 13));
}

TEST_P(HotelCheckedTest, AStayJoinsItsGroupOnce)
{
    GroupRecord group;
    group.name = QStringLiteral("Convegno");
    group.hotelId = m_hotel;
    group.creationDate = OleDate(2027, 5, 1);
    group.rooms[0] = kRoom;
    group.roomCount = 1;
    ASSERT_EQ(Db().InsertGroup(0, group), kNoError);
    CheckInRecord stay = Stay(kFirst, kLast);
    stay.groupId = group.id;
    ASSERT_EQ(Db().InsertCheckInChecked(m_hotel, stay, kFirst, NothingStored), kNoError);
    CheckInRecord next = Stay(OleDate(2027, 5, 13), OleDate(2027, 5, 13));
    next.roomId = kRoom + 1;
    next.groupId = group.id;
    ASSERT_EQ(Db().InsertCheckInChecked(m_hotel, next, next.startDate, NothingStored), kNoError);
    GroupRecord stored;
    ASSERT_EQ(Db().LoadGroup(group.id, stored), kNoError);
    EXPECT_EQ(std::vector<int>(stored.rooms.begin(), stored.rooms.begin() + stored.roomCount),
              (std::vector<int>{kRoom, kRoom + 1}));
}

// Two workstations, each with its own connection, book or check in the one room for the same night at
// once: one is stored, the other is told the day is taken.
TEST_P(HotelCheckedTest, TwoWorkstationsCannotTakeOneNight)
{
    for (const bool stays : {false, true}) {
        std::atomic<int> stored{0};
        std::atomic<int> refused{0};
        std::atomic<int> failed{0};
        std::latch start(2);
        const OleDate night = stays ? OleDate(2027, 6, 2) : OleDate(2027, 6, 1);
        const auto take = [&] {
            CHotelDatabase database(Parameters());
            if (database.Connect(kServer) != kNoError) {
                ++failed;
                start.count_down();
                return;
            }
            start.arrive_and_wait();
            int result = 0;
            if (stays) {
                CheckInRecord stay = Stay(night, night);
                result = database.InsertCheckInChecked(m_hotel, stay, night, NothingStored);
            } else {
                BookingRecord booking = Booking(kRoom, night, night);
                result = database.InsertBookingChecked(m_hotel, booking, NothingStored);
            }
            if (result == kNoError)
                ++stored;
            else if (result == CHotelDatabase::kDayTaken)
                ++refused;
            else
                ++failed;
        };
        std::thread left(take);
        std::thread right(take);
        left.join();
        right.join();
        EXPECT_EQ(failed.load(), 0) << stays;
        EXPECT_EQ(stored.load(), 1) << stays;
        EXPECT_EQ(refused.load(), 1) << stays;
    }
    EXPECT_EQ(StoredBookings(kRoom), 1);
    EXPECT_EQ(StoredStays(), 1);
}

INSTANTIATE_DB_TEST(HotelCheckedTest);

}  // namespace
}  // namespace lodgix
