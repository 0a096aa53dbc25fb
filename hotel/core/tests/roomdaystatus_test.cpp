// What occupies a room on a day: the order of the searches, the index fields each writes, the records a
// variant sets aside, and the planner's rows built from them.
#include "plannermonth.h"
#include "roomdaystatus.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

constexpr int kRoom = 7;
constexpr int kOtherRoom = 8;

BookingRecord Booking(int room, OleDate start, OleDate end, int id)
{
    BookingRecord booking;
    booking.roomId = room;
    booking.startDate = start;
    booking.endDate = end;
    booking.bookingId = id;
    return booking;
}

AvailabilityRecord Period(int room, OleDate start, OleDate end, int id)
{
    AvailabilityRecord period;
    period.roomId = room;
    period.startDate = start;
    period.endDate = end;
    period.availabilityId = id;
    return period;
}

CheckInRecord Stay(int room, OleDate start, OleDate end, int id, bool closed)
{
    CheckInRecord stay;
    stay.roomId = room;
    stay.startDate = start;
    stay.endDate = end;
    stay.checkInId = id;
    if (closed)
        stay.checkOutDate = end.AddDays(1).AddSeconds(10 * 3600);
    return stay;
}

OleDate Day(int day)
{
    return OleDate(2024, 3, day);
}

// Room 7 in March 2024: booked 1-5 (id 11, a second booking 4-6 id 12 after it), unavailable 4-4 (id 21),
// an open stay 8-10 (id 31) over a booking 8-9 (id 13), a closed stay 12-14 (id 32), another room's
// booking 20-22.
RoomDayRecords March()
{
    RoomDayRecords records;
    records.bookings = {Booking(kRoom, Day(1), Day(5), 11), Booking(kRoom, Day(4), Day(6), 12),
                        Booking(kRoom, Day(8), Day(9), 13), Booking(kOtherRoom, Day(20), Day(22), 14)};
    records.unavailability = {Period(kRoom, Day(4), Day(4), 21)};
    records.stays = {Stay(kRoom, Day(8), Day(10), 31, false), Stay(kRoom, Day(12), Day(14), 32, true)};
    return records;
}

TEST(RoomDayStatusTest, ResolvesInOrderAndReportsTheIndexes)
{
    struct Case {
        int day;
        RoomDayStatus expected;
        int result;
    };
    const Case cases[] = {
        {1, {kRoomBooked, 0, -1, -1}, 0},           // first day of the period
        {5, {kRoomBooked, 0, -1, -1}, 0},           // last day: the first booking in load order wins
        {6, {kRoomBooked, 1, -1, -1}, 1},
        {4, {kRoomUnavailable, -1, 0, -1}, 0},      // unavailable beats booked: blue
        {8, {kRoomOccupied, -1, -1, 0}, 0},         // occupied beats booked: red
        {13, {kRoomCheckedOut, -1, -1, 1}, 1},      // a closed stay: green
        {20, {kRoomFree, -1, -1, -1}, -1},          // another room's booking
        {31, {kRoomFree, -1, -1, -1}, -1},
    };
    const RoomDayRecords records = March();
    for (const Case& c : cases) {
        RoomDayStatus status;
        EXPECT_EQ(GetRoomDayStatus(kRoom, Day(c.day), status, records), c.result) << c.day;
        EXPECT_EQ(status, c.expected) << c.day;
    }
}

TEST(RoomDayStatusTest, SearchesNotReachedKeepTheirFields)
{
    const RoomDayRecords records = March();
    RoomDayStatus status{kRoomFree, 5, 6, 7};
    GetRoomDayStatus(kRoom, Day(4), status, records);
    EXPECT_EQ(status, (RoomDayStatus{kRoomUnavailable, 5, 0, 7}));  // only the first search ran
    status = {kRoomFree, 5, 6, 7};
    GetRoomDayStatus(kRoom, Day(8), status, records);
    EXPECT_EQ(status, (RoomDayStatus{kRoomOccupied, 5, -1, 0}));
}

TEST(RoomDayStatusTest, ClosedStayCountsAfterItsCheckOutDay)
{
    RoomDayRecords records;
    // Checked out early: the stay still holds its booked nights, and they stay green.
    CheckInRecord stay = Stay(kRoom, Day(10), Day(20), 40, true);
    stay.checkOutDate = OleDate(2024, 3, 12, 10, 0, 0);
    records.stays = {stay};
    RoomDayStatus status;
    GetRoomDayStatus(kRoom, Day(18), status, records);
    EXPECT_EQ(status.kind, kRoomCheckedOut);
    EXPECT_EQ(RoomDayColour(status.kind), 0x00FF00u);
}

TEST(RoomDayStatusTest, VariantsSetOneRecordAside)
{
    const RoomDayRecords records = March();
    RoomDayStatus status;
    // Its own booking leaves the day free; only the first booking of the day is looked at.
    EXPECT_EQ(GetRoomDayStatusExceptBooking(kRoom, Day(2), status, records, 11), 0);
    EXPECT_EQ(status.kind, kRoomFree);
    EXPECT_EQ(status.booking, 0);
    GetRoomDayStatusExceptBooking(kRoom, Day(2), status, records, 12);
    EXPECT_EQ(status.kind, kRoomBooked);
    GetRoomDayStatusExceptBooking(kRoom, Day(13), status, records, 11);
    EXPECT_EQ(status.kind, kRoomCheckedOut);

    // Its own open stay does not count, the booking under it does; closed stays are not searched.
    GetRoomDayStatusExceptStay(kRoom, Day(8), status, records, 31);
    EXPECT_EQ(status.kind, kRoomBooked);
    GetRoomDayStatusExceptStay(kRoom, Day(8), status, records, 99);
    EXPECT_EQ(status.kind, kRoomOccupied);
    GetRoomDayStatusExceptStay(kRoom, Day(13), status, records, 31);
    EXPECT_EQ(status.kind, kRoomFree);

    // Its own unavailable period does not count: the booking under it shows.
    GetRoomDayStatusExceptUnavailability(kRoom, Day(4), status, records, 21);
    EXPECT_EQ(status.kind, kRoomBooked);
    GetRoomDayStatusExceptUnavailability(kRoom, Day(4), status, records, 22);
    EXPECT_EQ(status.kind, kRoomUnavailable);
}

TEST(RoomDayStatusTest, ARoomsIndexFindsWhatTheWholeSearchFinds)
{
    RoomDayRecords records = March();
    // A second unavailable period over the first, later in load order: the first still wins.
    records.unavailability.push_back(Period(kRoom, Day(3), Day(5), 22));
    const auto byRoom = IndexByRoom(records);
    for (const int room : {kRoom, kOtherRoom}) {
        for (int day = 1; day <= 31; ++day) {
            RoomDayStatus whole;
            RoomDayStatus indexed;
            const int found = GetRoomDayStatus(room, Day(day), whole, records);
            EXPECT_EQ(GetRoomDayStatus(room, Day(day), indexed, records, byRoom.at(room)), found) << room << " " << day;
            EXPECT_EQ(indexed, whole) << room << " " << day;
        }
    }
}

TEST(PlannerMonthTest, LabelHasBedsAndStars)
{
    RoomRecord room;
    room.label = QStringLiteral("101");
    room.bedrooms = 2;
    room.quality = 3;
    EXPECT_EQ(PlannerRoomLabel(room), QStringLiteral("101 \u25AC\u25AC \u2605\u2605\u2605"));
    EXPECT_EQ(PlanningGlyph(kMessageCode), QChar(0x2709));
    EXPECT_EQ(PlanningGlyph(kWakeUpCode), QChar(0x263C));
}

TEST(PlannerMonthTest, DaysInMonth)
{
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 12), 31);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
}

TEST(PlannerMonthTest, WakeUpMarks)
{
    const QDate today(2024, 3, 10);
    const WakeUpSetting single = WakeUpFromState(true, QByteArray("\x05\x02\x07\x00\x00", 5));
    const WakeUpSetting daily = WakeUpFromState(true, QByteArray("\x05\x01\x07\x00\x00", 5));
    struct Case {
        WakeUpSetting wakeUp;
        QTime now;
        QDate day;
        bool marked;
    };
    const Case cases[] = {
        {single, QTime(6, 0), today, true},                // 07:00 still to come: today
        {single, QTime(6, 0), today.addDays(1), false},
        {single, QTime(8, 0), today, false},               // gone: tomorrow
        {single, QTime(8, 0), today.addDays(1), true},
        {daily, QTime(8, 0), today.addDays(-3), true},     // every occupied day
        {daily, QTime(8, 0), today.addDays(5), true},
        {WakeUpFromState(false, QByteArray("\x05\x01\x07\x00\x00", 5)), QTime(6, 0), today, false},  // not read
        {WakeUpFromState(true, QByteArray("\x05\x00\x07\x00\x00", 5)), QTime(6, 0), today, false},   // no call
    };
    for (const Case& c : cases)
        EXPECT_EQ(WakeUpMarksDay(c.wakeUp, c.day, QDateTime(today, c.now)), c.marked)
            << c.now.toString().toStdString() << " " << c.day.toString().toStdString();
}

TEST(PlannerMonthTest, RowsCarryColoursAndMarks)
{
    const RoomDayRecords records = March();
    std::vector<RoomRecord> rooms(2);
    rooms[0].id = kRoom;
    rooms[0].label = QStringLiteral("7");
    rooms[1].id = kOtherRoom;
    rooms[1].label = QStringLiteral("8");
    const std::vector<MessageRecord> messages = {MessageRecord{1, 31, 0, {}, {}, OleDate::Invalid()}};
    PlannerSources sources;
    sources.year = 2024;
    sources.month = 3;
    sources.days = 31;
    sources.rooms = &rooms;
    sources.monthRecords = &records;
    sources.referenceDay = &records;
    sources.referenceDate = Day(8);
    sources.messages = &messages;
    sources.wakeUps = {WakeUpFromState(true, QByteArray("\x05\x02\x07\x00\x00", 5))};
    sources.now = QDateTime(QDate(2024, 3, 9), QTime(6, 0));
    const std::vector<PlannerRow> rows = BuildPlannerRows(sources);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].labelColour, 0x0000FFu);  // occupied on the reference date
    EXPECT_EQ(rows[1].labelColour, 0xFFFFFFu);
    ASSERT_EQ(rows[0].cells.size(), 31u);
    const QString message(PlanningGlyph(kMessageCode));
    const QString wakeUp(PlanningGlyph(kWakeUpCode));
    EXPECT_EQ(rows[0].cells[7], (PlannerCell{0x0000FF, message}));
    EXPECT_EQ(rows[0].cells[8], (PlannerCell{0x0000FF, message + wakeUp}));  // today, the call still to come
    EXPECT_EQ(rows[0].cells[9], (PlannerCell{0x0000FF, message}));
    EXPECT_EQ(rows[0].cells[3], (PlannerCell{0xFF0000, {}}));
    EXPECT_EQ(rows[0].cells[0], (PlannerCell{0x00FFFF, {}}));
    EXPECT_EQ(rows[0].cells[12], (PlannerCell{0x00FF00, {}}));
    EXPECT_EQ(rows[1].cells[20], (PlannerCell{0x00FFFF, {}}));
}

}  // namespace
}  // namespace lodgix
