// Reading the hotel's master data through CHotelDatabase against a bare QSqlQuery over the same rows, on
// SQLite and on PostgreSQL: LoadRooms of 1,024 rooms and the guest list of 20,000 guests, the two warmed and
// timed in turn (bench/support/pairedtiming.h). Each run reports rows per second for both. PostgreSQL runs
// on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER); without it that run
// is skipped.

#include "engineerrorcode.h"
#include "hotelbenchsupport.h"
#include "pairedtiming.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "rowlist.h"
#include "sqldialect.h"
#include "testcatalog.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

namespace {

using lodgix::CHotelDatabase;

constexpr int kRooms = 1024;
constexpr int kGuests = 20000;
const QString kServer = QStringLiteral("server");

// A catalog with one hotel, its rooms and the guest register, made once per backend.
struct HotelCatalog {
    explicit HotelCatalog(DbBackend backend) : catalog(backend) {}
    ~HotelCatalog()
    {
        database.reset();
        if (!bareConnection.isEmpty())
            QSqlDatabase::removeDatabase(bareConnection);
    }
    HotelCatalog(const HotelCatalog&) = delete;
    HotelCatalog& operator=(const HotelCatalog&) = delete;

    TestCatalog catalog;
    std::unique_ptr<CHotelDatabase> database;
    QString bareConnection;
    int hotel = 0;
    QString failure;
};

QString Fill(HotelCatalog& data)
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
    hotel.name = QStringLiteral("Benchmark");
    if (db.Connect(kServer) != kNoError || lodgix::CreateMasterTables(db) != kNoError ||
        db.EnsureGlobalTable(lodgix::HotelTable::kHotelConfiguration) != kNoError ||
        db.InsertHotel(hotel, kRooms, data.hotel) != kNoError || db.RecreateRoomTable(data.hotel) != kNoError)
        return QStringLiteral("the hotel could not be made: ") + db.LastError();
    if (db.BeginTransaction() != kNoError)
        return db.LastError();
    for (int n = 0; n < kRooms; ++n) {
        lodgix::RoomRecord room;
        room.label = QStringLiteral("%1").arg(100 + n);
        room.extension = n % 200;
        for (int i = 0; i < lodgix::PriceTable::kCount; ++i)
            room.prices.prices[static_cast<std::size_t>(i)] = lodgix::Money::FromCents(5000 + 10 * i + n);
        room.vat = lodgix::VatRate::FromHundredths(1000);
        room.services = {1, 2, 3, 4, 5};
        if (db.InsertRoom(data.hotel, room) != kNoError)
            return db.LastError();
    }
    for (int n = 0; n < kGuests; ++n) {
        lodgix::GuestRecord guest;
        guest.name = QStringLiteral("Guest %1").arg(n, 5, 10, QLatin1Char('0'));
        guest.address = QStringLiteral("Via Roma %1").arg(n % 300);
        guest.city = QStringLiteral("Trento");
        guest.country = QStringLiteral("Italia");
        guest.dateOfBirth = QDate(1950, 1, 1).addDays(n % 20000);
        guest.birthPlace = QStringLiteral("Bolzano");
        guest.taxCode = QStringLiteral("TX%1").arg(n);
        int id = 0;
        if (db.InsertGuest(guest, id) != kNoError)
            return db.LastError();
    }
    if (db.CommitTransaction() != kNoError)
        return db.LastError();

    data.bareConnection = QStringLiteral("bare-%1").arg(static_cast<int>(data.catalog.Parameters().backend));
    QSqlDatabase bare = QSqlDatabase::addDatabase(
        data.catalog.Parameters().backend == DbBackend::kPostgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
        data.bareConnection);
    SqlDialect::For(data.catalog.Parameters().backend)->Configure(bare, data.catalog.Parameters(), kServer, true);
    return bare.open() ? QString() : QStringLiteral("the bare connection could not be opened");
}

hotelbench::CatalogCache<HotelCatalog>& Catalogs()
{
    static hotelbench::CatalogCache<HotelCatalog> catalogs(Fill);
    return catalogs;
}

HotelCatalog& Catalog(DbBackend backend)
{
    return Catalogs().For(backend);
}

// The rooms as a bare query reads them: every column by position.
int BareRooms(HotelCatalog& data)
{
    QSqlQuery query(QSqlDatabase::database(data.bareConnection));
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT * FROM RoomConfiguration_%1 WHERE IsVisible = 1 ORDER BY Label").arg(data.hotel));
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

// The guest list as a bare query reads it.
int BareGuests(HotelCatalog& data)
{
    QSqlQuery query(QSqlDatabase::database(data.bareConnection));
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT * FROM GuestConfiguration WHERE IsVisible = 1 ORDER BY Nome"));
    int rows = 0;
    QString sink;
    const int columns = query.record().count();
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            sink = query.value(c).toString();
        ++rows;
    }
    benchmark::DoNotOptimize(sink);
    return rows;
}

// Runs ours and the bare query over the same rows in turn and reports both.
void Compare(benchmark::State& state, DbBackend backend, int expectedRows, const std::function<int(HotelCatalog&)>& ours,
             const std::function<int(HotelCatalog&)>& bare)
{
    HotelCatalog& data = Catalog(backend);
    if (!data.failure.isEmpty()) {
        state.SkipWithError(data.failure.toStdString().c_str());
        return;
    }
    benchpairing::PairedSeconds seconds;
    if (!benchpairing::TimeInTurn(state, [&] { return ours(data) == expectedRows; },
                                  [&] { return bare(data) == expectedRows; }, seconds))
        return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["rows_per_second"] = expectedRows * iterations / seconds.ours;
    state.counters["bare_rows_per_second"] = expectedRows * iterations / seconds.baseline;
}

int OurRooms(HotelCatalog& data)
{
    std::vector<lodgix::RoomRecord> rooms;
    return data.database->LoadRooms(data.hotel, rooms) == kNoError ? static_cast<int>(rooms.size()) : -1;
}

void LoadRoomsSqlite(benchmark::State& state) { Compare(state, DbBackend::kSqlite, kRooms, OurRooms, BareRooms); }
void LoadRoomsPostgres(benchmark::State& state) { Compare(state, DbBackend::kPostgres, kRooms, OurRooms, BareRooms); }

int OurGuests(HotelCatalog& data)
{
    RowList rows;
    return data.database->FillGuestList(rows) == CHotelDatabase::kFilled ? static_cast<int>(rows.Count()) : -1;
}

void FillGuestListSqlite(benchmark::State& state) { Compare(state, DbBackend::kSqlite, kGuests, OurGuests, BareGuests); }
void FillGuestListPostgres(benchmark::State& state)
{
    Compare(state, DbBackend::kPostgres, kGuests, OurGuests, BareGuests);
}

BENCHMARK(LoadRoomsSqlite)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRoomsPostgres)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FillGuestListSqlite)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FillGuestListPostgres)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
