#include "groupmembers.h"
#include "hoteldbtest.h"

#include <latch>
#include <thread>

namespace lodgix {
namespace {

GroupRecord GroupOf(std::initializer_list<int> rooms)
{
    GroupRecord group;
    for (const int room : rooms)
        group.rooms[static_cast<std::size_t>(group.roomCount++)] = room;
    return group;
}

TEST(GroupMembers, AddFindAndRemove)
{
    GroupRecord group = GroupOf({5, 7, 9});
    EXPECT_EQ(FindRoomInGroup(7, group), 1);
    EXPECT_EQ(FindRoomInGroup(8, group), -1);
    AddRoomToGroup(7, group);  // present already
    EXPECT_EQ(group.roomCount, 3);
    RemoveRoomFromGroup(5, group);
    EXPECT_EQ(group.roomCount, 2);
    EXPECT_EQ(group.rooms[0], 7);
    EXPECT_EQ(group.rooms[1], 9);
    RemoveRoomFromGroup(5, group);
    EXPECT_EQ(group.roomCount, 2);
    AddRoomToGroup(40000, group);
    EXPECT_EQ(FindRoomInGroup(40000, group), 2);

    // Slots after the count are no members.
    group.rooms[10] = 77;
    EXPECT_EQ(FindRoomInGroup(77, group), -1);

    GroupRecord full;
    for (int room = 1; room <= GroupRecord::kMaxRooms; ++room)
        AddRoomToGroup(room, full);
    const GroupRecord before = full;
    AddRoomToGroup(1000, full);
    EXPECT_EQ(full.roomCount, GroupRecord::kMaxRooms);
    EXPECT_EQ(full.rooms, before.rooms);
}

class HotelMembershipTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    int NewGroup(std::initializer_list<int> rooms)
    {
        GroupRecord group = GroupOf(rooms);
        group.name = QStringLiteral("Gruppo");
        group.hotelId = m_hotel;
        group.creationDate = OleDate(2027, 1, 2, 3, 4, 5);
        EXPECT_EQ(Db().InsertGroup(1, group), kNoError);
        return group.id;
    }

    std::vector<int> Rooms(int groupId)
    {
        GroupRecord group;
        EXPECT_EQ(Db().LoadGroup(groupId, group), kNoError);
        return {group.rooms.begin(), group.rooms.begin() + group.roomCount};
    }

    bool Visible(int groupId)
    {
        std::vector<GroupListEntry> groups;
        EXPECT_EQ(Db().LoadGroups(m_hotel, 1, groups), kNoError);
        return std::any_of(groups.begin(), groups.end(), [&](const GroupListEntry& entry) { return entry.id == groupId; });
    }

    CheckInRecord Stay(int room, int group)
    {
        CheckInRecord stay;
        stay.roomId = room;
        stay.groupId = group;
        stay.startDate = OleDate(2027, 3, 1);
        stay.endDate = OleDate(2027, 3, 3);
        stay.checkInDate = OleDate(2027, 3, 1, 15, 0);
        EXPECT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError);
        stay.checkOutDate = OleDate(2027, 3, 4, 10, 0);
        return stay;
    }

    int m_hotel = 0;
};

TEST_P(HotelMembershipTest, BookingsMoveTheirRoomBetweenGroups)
{
    const int three = NewGroup({1, 2});
    const int four = NewGroup({8});
    BookingRecord booking;
    booking.roomId = 5;
    booking.groupId = three;
    booking.startDate = booking.endDate = OleDate(2027, 3, 1);
    ASSERT_EQ(Db().InsertBookingWithGroup(m_hotel, booking), kNoError);
    EXPECT_GT(booking.bookingId, 0);
    EXPECT_EQ(Rooms(three), (std::vector<int>{1, 2, 5}));

    // From a group to itself: the group is not even written.
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("UPDATE HotelGroups SET GroupName = 'kept' WHERE ID = ?"), {three}),
              kNoError);
    Db().CloseRecordset();
    ASSERT_EQ(Db().UpdateBookingWithGroup(m_hotel, three, booking), kNoError);
    GroupRecord group;
    ASSERT_EQ(Db().LoadGroup(three, group), kNoError);
    EXPECT_EQ(group.name, QStringLiteral("kept"));

    booking.groupId = four;
    ASSERT_EQ(Db().UpdateBookingWithGroup(m_hotel, three, booking), kNoError);
    EXPECT_EQ(Rooms(three), (std::vector<int>{1, 2}));
    EXPECT_EQ(Rooms(four), (std::vector<int>{8, 5}));

    // The last room leaving hides the group.
    const int alone = NewGroup({5});
    booking.groupId = alone;
    ASSERT_EQ(Db().UpdateBookingWithGroup(m_hotel, four, booking), kNoError);
    ASSERT_EQ(Db().DeleteBookingWithGroup(m_hotel, booking), kNoError);
    EXPECT_TRUE(Rooms(alone).empty());
    EXPECT_FALSE(Visible(alone));
    EXPECT_TRUE(Visible(three));
    std::vector<BookingRecord> bookings;
    ASSERT_EQ(Db().LoadBookings(m_hotel, 0xFFFF, bookings), kNoError);
    EXPECT_TRUE(bookings.empty());

    // A group that is not there is passed over.
    booking.groupId = alone + 50;
    ASSERT_EQ(Db().InsertBookingWithGroup(m_hotel, booking), kNoError);
}

TEST_P(HotelMembershipTest, AFailedTableOperationLeavesTheGroupsAsTheyWere)
{
    const int from = NewGroup({1, 2});
    const int to = NewGroup({3});
    CheckInRecord stay = Stay(2, from);
    ASSERT_EQ(Db().CloseCheckIn(m_hotel, stay), kNoError);
    stay.groupId = to;
    EXPECT_EQ(Db().UpdateCheckInWithGroup(m_hotel, from, stay), kDbRecordSelection);  // closed: no edit
    EXPECT_EQ(Rooms(from), (std::vector<int>{1, 2}));
    EXPECT_EQ(Rooms(to), std::vector<int>{3});

    CheckInRecord missing = Stay(1, from);
    missing.checkInId += 100;
    EXPECT_EQ(Db().CheckOutWithGroup(m_hotel, missing), kDbRecordSelection);
    EXPECT_EQ(Rooms(from), (std::vector<int>{1, 2}));

    BookingRecord undated;
    undated.roomId = 9;
    undated.groupId = to;
    undated.startDate = OleDate::Invalid();
    EXPECT_EQ(Db().InsertBookingWithGroup(m_hotel, undated), kDbRowInsertFailed);
    EXPECT_EQ(Rooms(to), std::vector<int>{3});
}

TEST_P(HotelMembershipTest, StaysLeaveTheirGroupOnCheckOutAndDelete)
{
    const int group = NewGroup({1, 2, 3});
    CheckInRecord first = Stay(1, group);
    CheckInRecord second = Stay(2, group);
    ASSERT_EQ(Db().CheckOutWithGroup(m_hotel, first), kNoError);
    ASSERT_EQ(Db().DeleteCheckInWithGroup(m_hotel, second), kNoError);
    EXPECT_EQ(Rooms(group), std::vector<int>{3});
    std::vector<CheckInRecord> open;
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, 0xFFFF, open), kNoError);
    EXPECT_TRUE(open.empty());

    CheckInRecord third = Stay(3, group);
    third.groupId = 0;
    ASSERT_EQ(Db().UpdateCheckInWithGroup(m_hotel, group, third), kNoError);
    EXPECT_FALSE(Visible(group));
}

TEST_P(HotelMembershipTest, StaysCheckedOutTogetherCloseAllOrNone)
{
    const int group = NewGroup({1, 2, 3});
    std::vector<CheckInRecord> stays{Stay(1, group), Stay(2, group), Stay(3, group)};
    std::vector<CheckInRecord> open;

    // One stay closed elsewhere meanwhile, one that is not there: nothing closes, the group keeps its rooms.
    CheckInRecord missing = stays[1];
    missing.checkInId += 100;
    for (const auto& refused : {std::vector<CheckInRecord>{stays[0], missing, stays[2]},
                                std::vector<CheckInRecord>{stays[0], stays[1], stays[2], stays[0]}}) {
        EXPECT_EQ(Db().CheckOutStays(m_hotel, refused), kDbRecordSelection);
        ASSERT_EQ(Db().LoadCheckIns(m_hotel, 0xFFFF, open), kNoError);
        EXPECT_EQ(open.size(), 3u);
        EXPECT_EQ(Rooms(group), (std::vector<int>{1, 2, 3}));
    }

    stays[0].documents[0].file = QStringLiteral("Recv202700001.psx");
    stays[0].documents[0].total = Money::FromCents(12345);
    ASSERT_EQ(Db().CheckOutStays(m_hotel, stays), kNoError);
    ASSERT_EQ(Db().LoadCheckIns(m_hotel, 0xFFFF, open), kNoError);
    EXPECT_TRUE(open.empty());
    EXPECT_FALSE(Visible(group));
    std::vector<CheckInRecord> closed;
    ASSERT_EQ(Db().LoadClosedStays(m_hotel, OleDate(2027, 3, 1), OleDate(2027, 3, 3), 0xFFFF, CHotelDatabase::kAnyGuest, closed),
              kNoError);
    ASSERT_EQ(closed.size(), 3u);
    EXPECT_EQ(closed[0].documents[0], stays[0].documents[0]);
    EXPECT_EQ(closed[0].checkOutDate, stays[0].checkOutDate);
}

TEST_P(HotelMembershipTest, TwoCheckOutsOfOneGroupAtOnceBothLeaveIt)
{
    constexpr int kRooms = 8;
    std::vector<int> rooms(kRooms);
    for (int n = 0; n < kRooms; ++n)
        rooms[static_cast<std::size_t>(n)] = n + 1;
    GroupRecord group;
    group.name = QStringLiteral("Convegno");
    group.hotelId = m_hotel;
    group.creationDate = OleDate(2027, 1, 1);
    for (const int room : rooms)
        AddRoomToGroup(room, group);
    ASSERT_EQ(Db().InsertGroup(1, group), kNoError);
    std::vector<CheckInRecord> stays;
    for (const int room : rooms)
        stays.push_back(Stay(room, group.id));

    int failures = 0;
    std::latch start(2);
    const auto checkOut = [&](int side) {
        CHotelDatabase database(Parameters());
        if (database.Connect(kServer) != kNoError) {
            ++failures;
            return;
        }
        start.arrive_and_wait();
        for (std::size_t n = static_cast<std::size_t>(side); n < stays.size(); n += 2)
            if (database.CheckOutWithGroup(m_hotel, stays[n]) != kNoError)
                ++failures;
    };
    std::thread left(checkOut, 0);
    std::thread right(checkOut, 1);
    left.join();
    right.join();
    EXPECT_EQ(failures, 0);
    EXPECT_FALSE(Visible(group.id));
    EXPECT_TRUE(Rooms(group.id).empty());
}

INSTANTIATE_DB_TEST(HotelMembershipTest);

}  // namespace
}  // namespace lodgix
