// The reminder thread on a hotel database of each backend: rebuilds on request from its own connection,
// hands over copies, tells the window when the day or an extension state changed, and stops at once.
#include "hoteldbtest.h"
#include "language.h"
#include "messagetarget.h"
#include "reminderthread.h"

#include <condition_variable>

namespace lodgix {
namespace {

// A clock the test sets; read from the reminder's thread.
class ManualClock : public ReminderClock {
public:
    explicit ManualClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime Now() const override
    {
        std::lock_guard lock(m_mutex);
        return m_now;
    }
    std::chrono::milliseconds Ticks() const override
    {
        std::lock_guard lock(m_mutex);
        return m_ticks;
    }
    void Advance(std::chrono::milliseconds step)
    {
        std::lock_guard lock(m_mutex);
        m_ticks += step;
        m_now = m_now.addMSecs(step.count());
    }

private:
    mutable std::mutex m_mutex;
    QDateTime m_now;
    std::chrono::milliseconds m_ticks{1000000};
};

// The window's side: the posted flags, in order.
class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override
    {
        std::lock_guard lock(m_mutex);
        if (message == CReminderThread::kListsReady)
            m_flags.push_back(wParam);
        m_posted.notify_all();
    }
    // The flags of the n-th post (from 1); fails the test when it does not come.
    std::uint64_t WaitFor(std::size_t n)
    {
        std::unique_lock lock(m_mutex);
        const bool came = m_posted.wait_for(lock, std::chrono::seconds(30), [&] { return m_flags.size() >= n; });
        EXPECT_TRUE(came) << "rebuild " << n << " did not come";
        return came ? m_flags[n - 1] : ~0ULL;
    }
    std::size_t Count()
    {
        std::lock_guard lock(m_mutex);
        return m_flags.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::vector<std::uint64_t> m_flags;
};

// Stands in for the extension tables' refresh.
class CountingRefresh {
public:
    bool operator()(CHotelDatabase& database)
    {
        EXPECT_TRUE(database.IsOpen());
        ++calls;
        return changed;
    }
    std::atomic<int> calls{0};
    std::atomic<bool> changed{false};
};

class ReminderThreadTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        m_hotel = PrepareHotel();
        RoomRecord room;
        room.label = QStringLiteral("101");
        room.quality = 1;
        int id = 0;
        ASSERT_EQ(Db().InsertRoom(m_hotel, room, &id), kNoError);
        room.id = id;
        m_rooms = {room};
    }

    CReminderThread::Setup ReminderSetup()
    {
        CReminderThread::Setup setup;
        setup.database = Parameters();
        setup.serverName = kServer;
        setup.hotelId = m_hotel;
        setup.rooms = m_rooms;
        setup.target = &m_target;
        setup.refreshExtensionStates = [this](CHotelDatabase& database) { return m_extensions(database); };
        setup.clock = m_clock;
        return setup;
    }

    int m_hotel = 0;
    std::vector<RoomRecord> m_rooms;
    RecordingTarget m_target;
    CountingRefresh m_extensions;
    std::shared_ptr<ManualClock> m_clock = std::make_shared<ManualClock>(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
};

TEST_P(ReminderThreadTest, RefreshRebuildsAtOnceFromItsOwnConnection)
{
    GuestRecord guest;
    guest.name = QStringLiteral("Mario Rossi");
    guest.dateOfBirth = QDate(1970, 5, 1);
    int guestId = 0;
    ASSERT_EQ(Db().InsertGuest(guest, guestId), kNoError);
    CheckInRecord stay;
    stay.roomId = m_rooms[0].id;
    stay.guestIds = {guestId, 0, 0, 0};
    stay.startDate = OleDate(2026, 3, 8);
    stay.endDate = OleDate(2026, 3, 11);
    stay.checkInDate = OleDate(2026, 3, 8, 15, 0, 0);
    ASSERT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError);
    for (int i = 0; i < 3; ++i) {
        MessageRecord message;
        message.checkInId = stay.checkInId;
        message.text = QStringLiteral("Richiamare");
        ASSERT_EQ(Db().InsertMessage(m_hotel, message), kNoError);
    }
    BookingRecord booking;
    booking.roomId = m_rooms[0].id;
    booking.startDate = OleDate(2026, 3, 10);
    booking.endDate = OleDate(2026, 3, 10);
    booking.clientName = QString(63, u'n');
    booking.clientPhone = QString(63, u'p');
    booking.clientAnnotation = QString(255, u'a');
    ASSERT_EQ(Db().InsertBooking(m_hotel, booking), kNoError);

    CReminderThread reminder(ReminderSetup());
    reminder.Start();
    reminder.Refresh();
    EXPECT_EQ(m_target.WaitFor(1), 0u);
    EXPECT_EQ(reminder.LastError(), kNoError);
    const AlertLists lists = reminder.Lists();
    EXPECT_EQ(lists.entries[AlertLists::kOccupied], QStringList{QStringLiteral("Camera 101, Mario Rossi")});
    EXPECT_EQ(lists.entries[AlertLists::kMessages], QStringList{QStringLiteral("Camera 101, 3 messaggi.")});
    EXPECT_EQ(lists.entries[AlertLists::kArriving],
              QStringList{QStringLiteral("Camera 101: Il cliente ") + booking.clientName + QStringLiteral(" (") +
                          booking.clientPhone + QStringLiteral(") è atteso alla camera.\nAnnotazioni: ") +
                          booking.clientAnnotation + u'.'});

    // A change and another refresh: the next rebuild sees it.
    ASSERT_EQ(Db().DeleteStayMessages(m_hotel, stay.checkInId), kNoError);
    reminder.Refresh();
    m_target.WaitFor(2);
    EXPECT_TRUE(reminder.Lists().entries[AlertLists::kMessages].isEmpty());
    reminder.Stop();
    EXPECT_FALSE(reminder.IsRunning());
}

TEST_P(ReminderThreadTest, DayChangeAndExtensionRefreshAskForThePlanner)
{
    CReminderThread reminder(ReminderSetup());
    reminder.Start();
    reminder.Refresh();
    EXPECT_EQ(m_target.WaitFor(1), 0u);  // same day, extension states read less than 3 minutes ago

    m_clock->Advance(std::chrono::hours(16));  // past midnight
    reminder.Refresh();
    EXPECT_EQ(m_target.WaitFor(2), CReminderThread::kRefreshPlanner);
    EXPECT_EQ(m_extensions.calls, 0);  // the day change comes first

    m_clock->Advance(std::chrono::minutes(1));
    reminder.Refresh();
    EXPECT_EQ(m_target.WaitFor(3), 0u);  // more than 3 minutes, nothing changed
    EXPECT_EQ(m_extensions.calls, 1);

    m_extensions.changed = true;
    m_clock->Advance(CReminderThread::kExtensionRefreshInterval);
    reminder.Refresh();
    EXPECT_EQ(m_target.WaitFor(4), 0u);  // exactly 3 minutes: not yet
    m_clock->Advance(std::chrono::milliseconds(1));
    reminder.Refresh();
    EXPECT_EQ(m_target.WaitFor(5), CReminderThread::kRefreshPlanner);
    EXPECT_EQ(m_extensions.calls, 2);
}

TEST_P(ReminderThreadTest, StopWhileWaitingJoinsAtOnce)
{
    CReminderThread reminder(ReminderSetup());  // waits a minute between rebuilds
    reminder.Start();
    reminder.Refresh();
    m_target.WaitFor(1);
    reminder.Stop();
    EXPECT_FALSE(reminder.IsRunning());
    EXPECT_EQ(m_target.Count(), 1u);
    reminder.Stop();  // twice is harmless
}

TEST_P(ReminderThreadTest, TheWaitEndsInARebuild)
{
    CReminderThread::Setup setup = ReminderSetup();
    setup.wait = std::chrono::milliseconds(1);
    CReminderThread reminder(std::move(setup));
    reminder.Start();
    m_target.WaitFor(2);
    reminder.Stop();
    EXPECT_GE(reminder.Rebuilds(), 2);
}

TEST_P(ReminderThreadTest, GuestNamesOfManyIdsInOneCall)
{
    std::vector<int> ids;
    for (const char* name : {"Anna", "Bruno", "Carla"}) {
        GuestRecord guest;
        guest.name = QString::fromLatin1(name);
        guest.dateOfBirth = QDate(1980, 1, 1);
        int id = 0;
        ASSERT_EQ(Db().InsertGuest(guest, id), kNoError);
        ids.push_back(id);
    }
    ASSERT_EQ(Db().DeleteGuest(ids[2]), kNoError);  // a stay keeps its guest's name
    std::vector<int> asked;
    for (int i = 0; i < 1200; ++i)  // more than one slice, with repeats and ids of nobody
        asked.push_back(i % 2 == 0 ? ids[static_cast<std::size_t>(i % 3)] : 100000 + i);
    std::unordered_map<int, QString> names;
    ASSERT_EQ(Db().LoadGuestNames(asked, names), kNoError);
    EXPECT_EQ(names, (std::unordered_map<int, QString>{
                         {ids[0], QStringLiteral("Anna")}, {ids[1], QStringLiteral("Bruno")}, {ids[2], QStringLiteral("Carla")}}));
}

INSTANTIATE_DB_TEST(ReminderThreadTest);

}  // namespace
}  // namespace lodgix
