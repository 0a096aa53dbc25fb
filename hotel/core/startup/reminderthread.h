#pragma once

#include "alertlists.h"
#include "dbparameters.h"
#include "event.h"
#include "reminderclock.h"
#include "roomrecord.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class MessageTarget;

namespace lodgix {

class CHotelDatabase;

// What a rebuild reads, on the caller's connection, into `sources` (whose rooms the caller has set): the
// hotel's open stays, its visible messages and bookings, and the names of the stays' first guests.
// 0, or the code of the first load that failed (what was read is kept).
int LoadAlertSources(CHotelDatabase& database, int hotelId, AlertSources& sources);

// The front desk's reminder: a thread that rebuilds the five alert lists from the database at least once
// a minute, or at once when asked, on a connection of its own opened in the thread. After each rebuild it
// keeps a copy of the lists for the window and posts kListsReady; wParam has kRefreshPlanner set when the
// day changed or an extension state changed, so the window redraws its planner too. Every three minutes
// it re-reads the extension states. Stop ends the thread and joins it, whatever it is doing.
class CReminderThread {
public:
    static constexpr std::uint32_t kListsReady = 0x0400 + 0x107;  // WM_USER + 0x107
    static constexpr std::uint64_t kRefreshPlanner = 1;
    static constexpr std::chrono::milliseconds kWait{60000};
    static constexpr std::chrono::milliseconds kExtensionRefreshInterval{180000};

    struct Setup {
        DbParameters database;
        QString serverName;
        int hotelId = 0;
        std::vector<RoomRecord> rooms;
        int dayChangeHour = kDefaultDayChangeHour;
        MessageTarget* target = nullptr;
        // Re-reads the rooms' extension states on the thread's connection (ExtensionTables, whose lock
        // keeps the window's reads whole); true when one changed. None: nothing to refresh.
        std::function<bool(CHotelDatabase&)> refreshExtensionStates;
        std::shared_ptr<const ReminderClock> clock;   // none: the system's
        std::chrono::milliseconds wait = kWait;
    };

    explicit CReminderThread(Setup setup);
    ~CReminderThread();  // stops
    CReminderThread(const CReminderThread&) = delete;
    CReminderThread& operator=(const CReminderThread&) = delete;

    void Start();
    // Sets the stop event and joins the thread.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }
    // Rebuild now (after a change made at the front desk).
    void Refresh() { m_refresh.Set(); }

    // A copy of the lists of the last rebuild.
    AlertLists Lists() const;
    // How many rebuilds have ended, and the code of the last database failure (0: none).
    int Rebuilds() const;
    int LastError() const;
    // The rooms the next rebuild uses (after the window changed them).
    void SetRooms(std::vector<RoomRecord> rooms);
    void SetDayChangeHour(int hour);

private:
    void Run();
    // One rebuild: the lists and, by the Part's rules, the day or extension check; the flags to post.
    std::uint64_t Rebuild(CHotelDatabase& database, std::chrono::milliseconds& lastExtensionRefresh);

    Setup m_setup;
    Event m_stop{Event::Reset::Manual};
    Event m_refresh{Event::Reset::Automatic};
    mutable std::mutex m_mutex;  // guards what the window reads or changes: lists, counters, rooms, hour
    AlertLists m_lists;
    int m_rebuilds = 0;
    int m_lastError = 0;
    QDate m_day;  // the day of the last rebuild that saw the day change
    std::thread m_thread;
};

}  // namespace lodgix
