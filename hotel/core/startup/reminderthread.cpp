#include "reminderthread.h"

#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "messagetarget.h"

#include <array>

namespace lodgix {

CReminderThread::CReminderThread(Setup setup) : m_setup(std::move(setup))
{
    if (!m_setup.clock)
        m_setup.clock = std::make_shared<SystemReminderClock>();
}

CReminderThread::~CReminderThread()
{
    Stop();
}

void CReminderThread::Start()
{
    if (m_thread.joinable())
        return;
    m_stop.ResetSignal();
    m_day = m_setup.clock->Now().date();
    m_thread = std::thread([this] { Run(); });
}

void CReminderThread::Stop()
{
    m_stop.Set();
    if (m_thread.joinable())
        m_thread.join();
}

AlertLists CReminderThread::Lists() const
{
    std::lock_guard lock(m_mutex);
    return m_lists;
}

int CReminderThread::Rebuilds() const
{
    std::lock_guard lock(m_mutex);
    return m_rebuilds;
}

int CReminderThread::LastError() const
{
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

void CReminderThread::SetRooms(std::vector<RoomRecord> rooms)
{
    std::lock_guard lock(m_mutex);
    m_setup.rooms = std::move(rooms);
}

void CReminderThread::SetDayChangeHour(int hour)
{
    std::lock_guard lock(m_mutex);
    m_setup.dayChangeHour = hour;
}

void CReminderThread::Run()
{
    // QtSql ties a connection to the thread that opened it: this one is opened, used and closed here.
    CHotelDatabase database(m_setup.database);
    std::chrono::milliseconds lastExtensionRefresh = m_setup.clock->Ticks();
    std::array<Event*, 2> events = {&m_stop, &m_refresh};
    while (Event::WaitAny(events, m_setup.wait) != 0) {
        const std::uint64_t flags = Rebuild(database, lastExtensionRefresh);
        if (m_setup.target)
            m_setup.target->Post(kListsReady, flags, 0);
    }
    database.Close();
}

int LoadAlertSources(CHotelDatabase& database, int hotelId, AlertSources& sources)
{
    int result = database.LoadCheckIns(hotelId, CHotelDatabase::kAllRooms, sources.openStays);
    if (result == kNoError)
        result = database.LoadMessages(hotelId, sources.messages);
    if (result == kNoError)
        result = database.LoadBookings(hotelId, CHotelDatabase::kAllRooms, sources.bookings);
    std::vector<int> guestIds;
    for (const CheckInRecord& stay : sources.openStays) {
        if (stay.guestIds[0] != 0)
            guestIds.push_back(stay.guestIds[0]);
    }
    const int named = database.LoadGuestNames(guestIds, sources.guestNames);
    return result == kNoError ? named : result;
}

std::uint64_t CReminderThread::Rebuild(CHotelDatabase& database, std::chrono::milliseconds& lastExtensionRefresh)
{
    AlertSources sources;
    int dayChangeHour = kDefaultDayChangeHour;
    {
        std::lock_guard lock(m_mutex);
        sources.rooms = m_setup.rooms;
        dayChangeHour = m_setup.dayChangeHour;
    }
    // A connection lost or never made is tried again at each rebuild.
    int loaded = database.IsOpen() ? kNoError : database.Connect(m_setup.serverName);
    if (loaded == kNoError)
        loaded = LoadAlertSources(database, m_setup.hotelId, sources);
    const QDateTime now = m_setup.clock->Now();
    AlertLists lists = BuildAlertLists(sources, now, dayChangeHour);

    std::uint64_t flags = 0;
    if (now.date() != m_day) {
        m_day = now.date();
        flags |= kRefreshPlanner;
    } else if (m_setup.clock->Ticks() - lastExtensionRefresh > kExtensionRefreshInterval) {
        lastExtensionRefresh = m_setup.clock->Ticks();
        if (m_setup.refreshExtensionStates && database.IsOpen() && m_setup.refreshExtensionStates(database))
            flags |= kRefreshPlanner;
    }

    std::lock_guard lock(m_mutex);
    m_lists = std::move(lists);
    m_lastError = loaded;
    ++m_rebuilds;
    return flags;
}

}  // namespace lodgix
