// The front desk's planner rebuild of a 31-day month split in its two halves, on SQLite and on PostgreSQL:
// the loads (the month's bookings, unavailable periods and stays, every message, the reference date's
// records) and the building of the rows (one day status per room and day, the labels, the marks), over
// 1,024 rooms, 10,000 bookings and 10,000 stays. The two halves are timed in turn
// (bench/support/pairedtiming.h); each run reports milliseconds per pass of each. PostgreSQL runs on the
// cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER); without it that run is
// skipped.

#include "engineerrorcode.h"
#include "hotelbenchsupport.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "pairedtiming.h"
#include "plannermonth.h"
#include "testcatalog.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using hotelbench::kServer;
using lodgix::CHotelDatabase;

constexpr int kRooms = 1024;
constexpr int kBookings = 10000;
constexpr int kStays = 10000;
constexpr int kMessages = 500;
constexpr int kPasses = 5;
constexpr int kYear = 2026;
constexpr int kMonth = 3;
const OleDate kFirst(kYear, kMonth, 1);
const OleDate kLast(kYear, kMonth, 31);
const OleDate kToday(kYear, kMonth, 10);
const QDateTime kNow(QDate(kYear, kMonth, 10), QTime(9, 0));

// A hotel whose month is full: every room has about ten bookings and ten stays touching it.
struct FrontDeskCatalog {
    explicit FrontDeskCatalog(DbBackend backend) : catalog(backend) {}
    TestCatalog catalog;
    std::unique_ptr<CHotelDatabase> database;
    int hotel = 0;
    std::vector<lodgix::RoomRecord> rooms;
    QString failure;
};

QString Fill(FrontDeskCatalog& data)
{
    if (!data.catalog.SkipReason().isEmpty())
        return data.catalog.SkipReason();
    {
        CSqlDatabase engine(data.catalog.Parameters());
        if (engine.ConnectAndCreateSchema(kServer) != kNoError)
            return QStringLiteral("the catalog could not be made");
    }
    data.database = std::make_unique<CHotelDatabase>(data.catalog.Parameters());
    CHotelDatabase& db = *data.database;
    lodgix::HotelRecord hotel;
    hotel.name = QStringLiteral("Planner");
    if (db.Connect(kServer) != kNoError || lodgix::CreateMasterTables(db) != kNoError ||
        db.EnsureGlobalTable(lodgix::HotelTable::kHotelConfiguration) != kNoError ||
        db.InsertHotel(hotel, kRooms, data.hotel) != kNoError || lodgix::CreateHotelTables(db, data.hotel) != kNoError ||
        db.RecreateRoomTable(data.hotel) != kNoError)
        return QStringLiteral("the hotel could not be made: ") + db.LastError();
    if (db.BeginTransaction() != kNoError)
        return db.LastError();
    for (int n = 0; n < kRooms; ++n) {
        lodgix::RoomRecord room;
        room.label = QStringLiteral("%1").arg(1000 + n);
        room.bedrooms = 1 + n % 3;
        room.quality = 1 + n % 5;
        if (db.InsertRoom(data.hotel, room, &room.id) != kNoError)
            return db.LastError();
        data.rooms.push_back(room);
    }
    std::vector<int> stayIds;
    for (int n = 0; n < kBookings + kStays; ++n) {
        const int room = data.rooms[static_cast<std::size_t>(n % kRooms)].id;
        const OleDate start = kFirst.AddDays(n / kRooms * 3 % 34 - 2);  // some start in February
        const OleDate end = start.AddDays(n % 3);
        if (n < kBookings) {
            lodgix::BookingRecord booking;
            booking.roomId = room;
            booking.startDate = start;
            booking.endDate = end;
            booking.clientName = QStringLiteral("Cliente %1").arg(n);
            if (db.InsertBooking(data.hotel, booking) != kNoError)
                return db.LastError();
            continue;
        }
        lodgix::CheckInRecord stay;
        stay.roomId = room;
        stay.startDate = start.AddDays(1);
        stay.endDate = end.AddDays(1);
        stay.checkInDate = stay.startDate.AddSeconds(15 * 3600);
        if (db.InsertCheckIn(data.hotel, stay) != kNoError)
            return db.LastError();
        if (n % 2 == 0) {
            stay.checkOutDate = stay.endDate.AddSeconds(34 * 3600);
            if (db.CloseCheckIn(data.hotel, stay) != kNoError)
                return db.LastError();
        }
        stayIds.push_back(stay.checkInId);
    }
    for (int n = 0; n < kMessages; ++n) {
        lodgix::MessageRecord message;
        message.checkInId = stayIds[static_cast<std::size_t>(n * 13 % kStays)];
        message.text = QStringLiteral("Richiamare %1").arg(n);
        if (db.InsertMessage(data.hotel, message) != kNoError)
            return db.LastError();
    }
    return db.CommitTransaction() == kNoError ? QString() : db.LastError();
}

hotelbench::CatalogCache<FrontDeskCatalog>& Catalogs()
{
    static hotelbench::CatalogCache<FrontDeskCatalog> catalogs(Fill);
    return catalogs;
}

// What the rebuild reads, as the view reads it.
struct MonthLoad {
    lodgix::RoomDayRecords month;
    lodgix::RoomDayRecords referenceDay;
    std::vector<lodgix::MessageRecord> messages;
};

bool Load(FrontDeskCatalog& data, MonthLoad& load)
{
    CHotelDatabase& db = *data.database;
    return lodgix::LoadRoomDayRecords(db, data.hotel, kFirst, kLast, CHotelDatabase::kAllRooms, load.month) == kNoError &&
           db.LoadMessages(data.hotel, load.messages) == kNoError &&
           lodgix::LoadRoomDayRecords(db, data.hotel, kToday, kToday, CHotelDatabase::kAllRooms, load.referenceDay) ==
               kNoError;
}

void RefreshPlanning(benchmark::State& state, DbBackend backend)
{
    FrontDeskCatalog& data = Catalogs().For(backend);
    if (!data.failure.isEmpty()) {
        state.SkipWithError(data.failure.toStdString().c_str());
        return;
    }
    MonthLoad loaded;
    if (!Load(data, loaded)) {
        state.SkipWithError("the month could not be loaded");
        return;
    }
    lodgix::PlannerSources sources;
    sources.year = kYear;
    sources.month = kMonth;
    sources.days = lodgix::DaysInMonth(kYear, kMonth);
    sources.rooms = &data.rooms;
    sources.monthRecords = &loaded.month;
    sources.referenceDay = &loaded.referenceDay;
    sources.referenceDate = kToday;
    sources.messages = &loaded.messages;
    sources.now = kNow;
    std::size_t coloured = 0;
    const auto build = [&] {
        const std::vector<lodgix::PlannerRow> rows = lodgix::BuildPlannerRows(sources);
        coloured = 0;
        for (const lodgix::PlannerRow& row : rows)
            for (const lodgix::PlannerCell& cell : row.cells)
                coloured += cell.colour != 0xFFFFFF;
        return rows.size() == kRooms && coloured > 0;
    };
    const auto loads = [&] {
        MonthLoad load;
        return Load(data, load) && load.month.bookings.size() + load.month.stays.size() > kRooms;
    };
    benchpairing::PairedSeconds seconds;
    if (!benchpairing::TimeInTurn(state, build, loads, seconds))
        return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["month_records"] =
        static_cast<double>(loaded.month.bookings.size() + loaded.month.unavailability.size() + loaded.month.stays.size());
    state.counters["coloured_cells"] = static_cast<double>(coloured);
    state.counters["build_ms"] = seconds.ours / iterations * 1000;
    state.counters["loads_ms"] = seconds.baseline / iterations * 1000;
}

void RefreshPlanningSqlite(benchmark::State& state) { RefreshPlanning(state, DbBackend::kSqlite); }
void RefreshPlanningPostgres(benchmark::State& state) { RefreshPlanning(state, DbBackend::kPostgres); }

BENCHMARK(RefreshPlanningSqlite)->Iterations(kPasses)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshPlanningPostgres)->Iterations(kPasses)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
