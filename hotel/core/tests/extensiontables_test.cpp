#include "extensiontables.h"

#include "hotelpbxtest.h"

#include <atomic>
#include <thread>

namespace lodgix {
namespace {

class ExtensionTablesTest : public HotelPbxTest {
protected:
    static std::vector<RoomRecord> Rooms(int count, int pbx)
    {
        std::vector<RoomRecord> rooms(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            rooms[static_cast<std::size_t>(i)].pbx = pbx;
            rooms[static_cast<std::size_t>(i)].extension = i;
        }
        return rooms;
    }
};

TEST_P(ExtensionTablesTest, TheSmallestCapacityOfTheReadablePbxsCutsTheRoomCount)
{
    struct Case {
        const char* name;
        quint8 capacity;
        bool unreadable;
        int expected;
        int limit;
    };
    const Case cases[] = {
        {"capacity 8", 8, false, 8, 8},
        {"no limit", ExtensionTables::kNoCapacityLimit, false, 12, 100},
        {"initialization unreadable", 8, true, 12, 100},
    };
    ListPbxs(2);
    SavePbx(0, 100);  // a readable PBX that limits less than the rooms' count
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SavePbx(1, c.capacity);
        if (c.unreadable) {
            ASSERT_TRUE(Catalog().Execute(QStringLiteral("DELETE FROM Initialization_PBX1")));
        }
        ExtensionTables tables;
        EXPECT_EQ(tables.RoomLimit(), ExtensionTables::kMaxRooms) << "nothing read yet";
        EXPECT_EQ(tables.LoadPbxTables(Hotel(), 12), c.expected);
        EXPECT_EQ(tables.RoomLimit(), c.limit) << "the smallest capacity of the readable PBXs";
        ASSERT_EQ(tables.PbxCount(), 2);
        EXPECT_TRUE(tables.PbxAt(0).valid);
        EXPECT_EQ(tables.PbxAt(1).valid, !c.unreadable);
        if (!c.unreadable) {
            EXPECT_EQ(tables.PbxAt(1).initialization.size(), 77);
            EXPECT_EQ(tables.PbxAt(1).systemConfiguration.size(), 26);
        }
    }
}

TEST_P(ExtensionTablesTest, RoomsWithoutRecordsAreNotValidAndARefreshReportsChangedStates)
{
    ListPbxs(1);
    SavePbx(0, 100);
    std::vector<RoomRecord> rooms = Rooms(3, 0);
    rooms[2].extension = 40;  // no such extension
    ExtensionTables tables;
    tables.LoadPbxTables(Hotel(), 3);
    tables.LoadExtensionStates(Hotel(), rooms);
    ASSERT_EQ(tables.RoomCount(), 3);
    EXPECT_TRUE(tables.RoomAt(0).valid);
    EXPECT_EQ(tables.RoomAt(0).programming.size(), 50);
    EXPECT_EQ(tables.RoomAt(1).state, QByteArray("\x01\0\0\0\0", 5));
    EXPECT_FALSE(tables.RoomAt(2).valid);
    EXPECT_FALSE(tables.RoomAt(7).valid);
    EXPECT_EQ(GetExtensionDisplayName(Hotel(), tables, 1), QStringLiteral("INT. 202"));
    ASSERT_EQ(Hotel().SaveDerivedLabel(0, 1, QStringLiteral("Suite blu")), kNoError);
    EXPECT_EQ(GetExtensionDisplayName(Hotel(), tables, 1), QStringLiteral("Suite blu"));

    // The reminder thread's own connection sees the wake-up the engine wrote.
    auto reminder = Connect();
    EXPECT_EQ(tables.RefreshExtensionStates(*reminder), 0);
    const char wakeUp[] = {1, 2, 7, 30, 0};
    ASSERT_EQ(Hotel().UpdateWakeUp(0, QByteArray(wakeUp, 5)), kNoError);
    EXPECT_EQ(tables.RefreshExtensionStates(*reminder), 1);
    EXPECT_EQ(tables.RoomAt(1).state, QByteArray(wakeUp, 5));
    EXPECT_EQ(tables.RefreshExtensionStates(*reminder), 0);
}

TEST_P(ExtensionTablesTest, AReaderNeverSeesAStateHalfWritten)
{
    ListPbxs(1);
    SavePbx(0, 100);
    ExtensionTables tables;
    tables.LoadExtensionStates(Hotel(), Rooms(1, 0));
    const QByteArray a(5, '\x01'), b(5, '\x02');
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        for (int i = 0; !stop; ++i)
            tables.SetState(0, i % 2 ? a : b);
    });
    const QByteArray loaded = tables.RoomAt(0).state;
    int torn = 0;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray state = tables.RoomAt(0).state;
        torn += state == a || state == b || state == loaded ? 0 : 1;
    }
    EXPECT_EQ(torn, 0);
    stop = true;
    writer.join();
}

INSTANTIATE_DB_TEST(ExtensionTablesTest);

}  // namespace
}  // namespace lodgix
