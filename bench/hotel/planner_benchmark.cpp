// One month of the room planner read through CHotelDatabase (bookings, unavailability periods, stays of
// the month) against a bare QSqlQuery of the same statements reading every column by position, on SQLite
// and on PostgreSQL: 100,000 bookings and 50,000 stays over 200 rooms. The two are warmed and timed in
// turn (bench/support/pairedtiming.h); each run reports rows per second for both. PostgreSQL runs on the
// cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER); without it that run is
// skipped.

#include "engineerrorcode.h"
#include "hotelbenchsupport.h"
#include "pairedtiming.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "sqldate.h"
#include "sqldialect.h"
#include "testcatalog.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>

namespace {

using hotelbench::kServer;
using lodgix::CHotelDatabase;

constexpr int kRooms = 200;
constexpr int kBookings = 100000;
constexpr int kStays = 50000;
constexpr int kPeriods = 2000;
constexpr int kPasses = 5;  // the catalog is filled once: a fixed number of passes over it
constexpr int kBookingNights = 3;  // each room's bookings follow one another, so many years are covered
constexpr int kStayNights = 5;
const OleDate kFirstDay(2020, 1, 1);
const OleDate kMonthFrom(2021, 3, 1);
const OleDate kMonthTo(2021, 3, 31);

QString Fill(CHotelDatabase& db, int& hotelId)
{
    lodgix::HotelRecord hotel;
    hotel.name = QStringLiteral("Planner");
    if (db.Connect(kServer) != kNoError || lodgix::CreateMasterTables(db) != kNoError ||
        db.EnsureGlobalTable(lodgix::HotelTable::kHotelConfiguration) != kNoError ||
        db.InsertHotel(hotel, kRooms, hotelId) != kNoError || lodgix::CreateHotelTables(db, hotelId) != kNoError)
        return QStringLiteral("the hotel could not be made: ") + db.LastError();
    if (db.BeginTransaction() != kNoError)
        return db.LastError();
    for (int n = 0; n < kBookings; ++n) {
        lodgix::BookingRecord booking;
        booking.roomId = n % kRooms + 1;
        booking.startDate = kFirstDay.AddDays((n / kRooms) * kBookingNights);
        booking.endDate = booking.startDate.AddDays(kBookingNights - 1);
        booking.clientName = QStringLiteral("Client %1").arg(n);
        booking.clientPhone = QStringLiteral("0461 %1").arg(n);
        booking.treatment = QStringLiteral("Mezza pensione");
        if (db.InsertBooking(hotelId, booking) != kNoError)
            return db.LastError();
    }
    for (int n = 0; n < kStays; ++n) {
        lodgix::CheckInRecord stay;
        stay.roomId = n % kRooms + 1;
        stay.guestIds[0] = n + 1;
        stay.startDate = kFirstDay.AddDays((n / kRooms) * kStayNights);
        stay.endDate = stay.startDate.AddDays(kStayNights - 1);
        stay.checkInDate = stay.startDate.AddSeconds(15 * 3600);
        stay.treatment = QStringLiteral("Pernottamento");
        stay.dailyPrice = lodgix::Money::FromCents(8000 + n % 100);
        stay.vat = lodgix::VatRate::FromHundredths(1000);
        if (db.InsertCheckIn(hotelId, stay) != kNoError)
            return db.LastError();
    }
    for (int n = 0; n < kPeriods; ++n) {
        lodgix::AvailabilityRecord period;
        period.roomId = n % kRooms + 1;
        period.startDate = kFirstDay.AddDays(n / kRooms * 30);
        period.endDate = period.startDate.AddDays(2);
        period.reason = QStringLiteral("Manutenzione");
        if (db.InsertUnavailability(hotelId, period) != kNoError)
            return db.LastError();
    }
    return db.CommitTransaction() == kNoError ? QString() : db.LastError();
}

// The range statement of a table, as the loaders send it, read bare: every column by position.
int BareRange(const QString& connection, const QString& table, const char* start, const char* end, const char* key,
              const QString& extra = {})
{
    QSqlQuery query(QSqlDatabase::database(connection));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM %1 WHERE (((%2 >= ? AND %2 <= ?) OR (%3 >= ? AND %3 <= ?) OR "
                                 "(%2 < ? AND %3 > ?)) AND IsVisible = 1%4) ORDER BY %5")
                      .arg(table, QLatin1String(start), QLatin1String(end), extra, QLatin1String(key)));
    const QString from = SqlDateText(kMonthFrom);
    const QString to = SqlDateText(kMonthTo);
    for (const QString& value : {from, to, from, to, from, to})
        query.addBindValue(value);
    if (!query.exec())
        return -1;
    int rows = 0;
    QVariant sink;
    const int columns = query.record().count();
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            sink = query.value(c);
        ++rows;
    }
    benchmark::DoNotOptimize(sink);
    return rows;
}

void PlannerMonth(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    if (!hotelbench::StartCatalog(catalog, state))
        return;
    CHotelDatabase db(catalog.Parameters());
    int hotel = 0;
    const QString failure = Fill(db, hotel);
    if (!failure.isEmpty()) {
        state.SkipWithError(failure.toStdString().c_str());
        return;
    }
    const auto ours = [&] {
        std::vector<lodgix::BookingRecord> bookings;
        std::vector<lodgix::AvailabilityRecord> periods;
        std::vector<lodgix::CheckInRecord> stays;
        if (db.LoadBookings(hotel, kMonthFrom, kMonthTo, CHotelDatabase::kAllRooms, bookings) != kNoError ||
            db.LoadUnavailability(hotel, kMonthFrom, kMonthTo, CHotelDatabase::kAllRooms, periods) != kNoError ||
            db.LoadCheckIns(hotel, kMonthFrom, kMonthTo, CHotelDatabase::kAllRooms, stays) != kNoError)
            return -1;
        return static_cast<int>(bookings.size() + periods.size() + stays.size());
    };

    // The bare statements on a connection of their own, opened once; warmed and timed in turn with ours.
    const QString connection = QStringLiteral("planner-bare-%1").arg(static_cast<int>(backend));
    const auto bare = [&] {
        return BareRange(connection, lodgix::HotelTableName(lodgix::HotelTable::kRoomBooking, hotel), "StartDate",
                         "EndDate", "BookingID") +
               BareRange(connection, lodgix::HotelTableName(lodgix::HotelTable::kRoomAvailability, hotel),
                         "StartDate", "EndDate", "AvailabilityID") +
               BareRange(connection, lodgix::HotelTableName(lodgix::HotelTable::kRoomCheckIn, hotel),
                         "StartCheckInDate", "EndCheckInDate", "CheckInID");
    };
    int rows = 0;
    int bareRows = 0;
    benchpairing::PairedSeconds seconds;
    bool timed = false;
    {
        QSqlDatabase bareDatabase = QSqlDatabase::addDatabase(
            backend == DbBackend::kPostgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), connection);
        SqlDialect::For(backend)->Configure(bareDatabase, catalog.Parameters(), kServer, true);
        if (!bareDatabase.open()) {
            state.SkipWithError("the bare connection could not be opened");
        } else {
            timed = benchpairing::TimeInTurn(
                state, [&] { return (rows = ours()) > 0 && (bareRows == 0 || rows == bareRows); },
                [&] { return (bareRows = bare()) > 0 && (rows == 0 || rows == bareRows); }, seconds);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!timed)
        return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["rows"] = rows;
    state.counters["rows_per_second"] = rows * iterations / seconds.ours;
    state.counters["bare_rows_per_second"] = rows * iterations / seconds.baseline;
}

void PlannerMonthSqlite(benchmark::State& state) { PlannerMonth(state, DbBackend::kSqlite); }
void PlannerMonthPostgres(benchmark::State& state) { PlannerMonth(state, DbBackend::kPostgres); }

BENCHMARK(PlannerMonthSqlite)->Iterations(kPasses)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PlannerMonthPostgres)->Iterations(kPasses)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
