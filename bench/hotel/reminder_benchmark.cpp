// One rebuild of the front desk's alert lists (the loads, the first guests' names and the five lists)
// against its three loads alone, on SQLite and on PostgreSQL: 1,024 occupied rooms, 2,000 bookings and 500
// messages. The two are warmed and timed in turn (bench/support/pairedtiming.h); each run reports
// milliseconds per rebuild and per load pass. PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST
// (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER); without it that run is skipped.

#include "alertlists.h"
#include "engineerrorcode.h"
#include "hotelbenchsupport.h"
#include "pairedtiming.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "reminderthread.h"
#include "testcatalog.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace {

using hotelbench::kServer;
using lodgix::CHotelDatabase;

constexpr int kRooms = 1024;
constexpr int kBookings = 2000;
constexpr int kMessages = 500;
constexpr int kPasses = 5;  // the catalog is filled once: a fixed number of passes over it
const QDateTime kNow(QDate(2026, 3, 10), QTime(12, 0));
const OleDate kToday(2026, 3, 10);

QString Fill(CHotelDatabase& db, int& hotelId, std::vector<lodgix::RoomRecord>& rooms)
{
    lodgix::HotelRecord hotel;
    hotel.name = QStringLiteral("Reminder");
    if (db.Connect(kServer) != kNoError || lodgix::CreateMasterTables(db) != kNoError ||
        db.EnsureGlobalTable(lodgix::HotelTable::kHotelConfiguration) != kNoError ||
        db.InsertHotel(hotel, kRooms, hotelId) != kNoError || lodgix::CreateHotelTables(db, hotelId) != kNoError ||
        db.RecreateRoomTable(hotelId) != kNoError)
        return QStringLiteral("the hotel could not be made: ") + db.LastError();
    if (db.BeginTransaction() != kNoError)
        return db.LastError();
    std::vector<int> stayIds;
    for (int n = 0; n < kRooms; ++n) {
        lodgix::RoomRecord room;
        room.label = QStringLiteral("%1").arg(100 + n);
        room.quality = 1;
        if (db.InsertRoom(hotelId, room, &room.id) != kNoError)
            return db.LastError();
        rooms.push_back(room);
        lodgix::GuestRecord guest;
        guest.name = QStringLiteral("Ospite %1").arg(n);
        guest.dateOfBirth = QDate(1970, 1, 1).addDays(n);
        lodgix::CheckInRecord stay;
        if (db.InsertGuest(guest, stay.guestIds[0]) != kNoError)
            return db.LastError();
        stay.roomId = room.id;
        // Most stay on; some leave today, some should have left.
        stay.startDate = kToday.AddDays(-3);
        stay.endDate = kToday.AddDays(n % 8 - 2);
        stay.checkInDate = stay.startDate.AddSeconds(15 * 3600);
        stay.notes = n % 4 == 0 ? QStringLiteral("Cliente abituale") : QString();
        if (db.InsertCheckIn(hotelId, stay) != kNoError)
            return db.LastError();
        stayIds.push_back(stay.checkInId);
    }
    for (int n = 0; n < kBookings; ++n) {
        lodgix::BookingRecord booking;
        booking.roomId = rooms[static_cast<std::size_t>(n % kRooms)].id;
        booking.startDate = kToday.AddDays(n % 30 - 10);
        booking.endDate = booking.startDate.AddDays(2);
        booking.clientName = QStringLiteral("Cliente %1").arg(n);
        booking.clientPhone = QStringLiteral("0461 %1").arg(n);
        booking.clientAnnotation = n % 3 == 0 ? QStringLiteral("Arrivo in serata") : QString();
        if (db.InsertBooking(hotelId, booking) != kNoError)
            return db.LastError();
    }
    for (int n = 0; n < kMessages; ++n) {
        lodgix::MessageRecord message;
        message.checkInId = stayIds[static_cast<std::size_t>(n * 7 % kRooms)];
        message.from = QStringLiteral("Reception");
        message.text = QStringLiteral("Richiamare il numero %1").arg(n);
        if (db.InsertMessage(hotelId, message) != kNoError)
            return db.LastError();
    }
    return db.CommitTransaction() == kNoError ? QString() : db.LastError();
}

void ReminderRebuild(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    if (!hotelbench::StartCatalog(catalog, state))
        return;
    CHotelDatabase db(catalog.Parameters());
    int hotel = 0;
    std::vector<lodgix::RoomRecord> rooms;
    const QString failure = Fill(db, hotel, rooms);
    if (!failure.isEmpty()) {
        state.SkipWithError(failure.toStdString().c_str());
        return;
    }

    const auto loads = [&] {
        std::vector<lodgix::CheckInRecord> stays;
        std::vector<lodgix::MessageRecord> messages;
        std::vector<lodgix::BookingRecord> bookings;
        if (db.LoadCheckIns(hotel, CHotelDatabase::kAllRooms, stays) != kNoError ||
            db.LoadMessages(hotel, messages) != kNoError ||
            db.LoadBookings(hotel, CHotelDatabase::kAllRooms, bookings) != kNoError)
            return -1;
        return static_cast<int>(stays.size() + messages.size() + bookings.size());
    };
    qsizetype entries = 0;
    const auto rebuild = [&] {
        lodgix::AlertSources sources;
        sources.rooms = rooms;
        if (lodgix::LoadAlertSources(db, hotel, sources) != kNoError)
            return false;
        const lodgix::AlertLists lists = lodgix::BuildAlertLists(sources, kNow, lodgix::kDefaultDayChangeHour);
        entries = 0;
        for (const QStringList& list : lists.entries)
            entries += list.size();
        return entries > 0;
    };
    benchpairing::PairedSeconds seconds;
    if (!benchpairing::TimeInTurn(state, rebuild, [&] { return loads() == kRooms + kMessages + kBookings; }, seconds))
        return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["rebuild_ms"] = seconds.ours / iterations * 1000;
    state.counters["loads_ms"] = seconds.baseline / iterations * 1000;
}

void ReminderRebuildSqlite(benchmark::State& state) { ReminderRebuild(state, DbBackend::kSqlite); }
void ReminderRebuildPostgres(benchmark::State& state) { ReminderRebuild(state, DbBackend::kPostgres); }

BENCHMARK(ReminderRebuildSqlite)->Iterations(kPasses)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReminderRebuildPostgres)->Iterations(kPasses)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
