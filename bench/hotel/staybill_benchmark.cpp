// A stay's bill against the work on its calls alone, on SQLite and on PostgreSQL: BuildStayBill of a stay
// with 2,000 outgoing calls and 40 services (the PBX times its calls, so each call goes through the rules
// and the tariff bands), beside SelectLoggedCalls of the same calls and RateLoggedCall over them. The two
// are warmed and timed in turn (bench/support/pairedtiming.h); each run reports milliseconds of both. PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT,
// SUITE_TEST_PGUSER); without it that run is skipped.

#include "callrating.h"
#include "compiledrules.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "engineerrorcode.h"
#include "hotelbenchsupport.h"
#include "hoteldatabase.h"
#include "loggedcallreader.h"
#include "pairedtiming.h"
#include "sqldate.h"
#include "staybilling.h"
#include "testcatalog.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>

namespace {

using namespace lodgix;

constexpr int kCalls = 2000;
constexpr int kServices = 40;
constexpr int kExtension = 1;
constexpr int kExtensionNumber = 202;  // of three extensions numbered from 201
const QString kServer = QStringLiteral("server");

struct BillCatalog {
    explicit BillCatalog(DbBackend backend) : catalog(backend) {}

    TestCatalog catalog;
    std::unique_ptr<CHotelDatabase> database;
    std::vector<RoomRecord> rooms;
    SeasonTable seasons = SeasonTable::Defaults();
    RatingConfiguration rating;
    HotelSettings settings;
    CheckInRecord stay;
    QByteArray configuration;
    std::vector<LoggedCall> calls;  // the stay's calls, for the pricing alone
    QString failure;
};

QString Fill(BillCatalog& data)
{
    if (!data.catalog.SkipReason().isEmpty())
        return data.catalog.SkipReason();
    {
        CSqlDatabase engine(data.catalog.Parameters());
        if (engine.ConnectAndCreateSchema(kServer) != kNoError ||
            engine.InsertEngineConfiguration(0, QStringLiteral("CENTRALE"), 0) != kNoError ||
            engine.ConnectAndCreateSchema(kServer) != kNoError)
            return QStringLiteral("the catalog could not be made");
        QByteArray initialization(77, '\0');
        initialization[1] = 3;
        initialization[2] = 3;
        data.configuration = QByteArray(26, '\0');
        data.configuration[kExtensionBitmap1Byte] = static_cast<char>(kLogsDurationsBit);
        QByteArray programming(50, '\0');
        programming[0] = 1;
        programming[1] = kExtension;
        if (engine.SaveInitialization(0, initialization) != kNoError ||
            engine.SaveSystemConfiguration(0, data.configuration) != kNoError ||
            engine.SaveDerivedProgrammation(0, programming) != kNoError)
            return QStringLiteral("the PBX records could not be written");
    }
    data.database = std::make_unique<CHotelDatabase>(data.catalog.Parameters());
    CHotelDatabase& db = *data.database;
    if (db.Connect(kServer) != kNoError || db.BeginTransaction() != kNoError)
        return db.LastError();
    const OleDate first(2026, 3, 2, 15, 0, 0);
    const char* prefixes[] = {"071", "02", "347", "0044"};
    for (int i = 0; i < kCalls; ++i) {
        const OleDate start = first.AddSeconds(i * 97);
        const QString number = QLatin1String(prefixes[i % 4]) + QString::number(1000000 + i);
        if (db.OpenRecordset(QStringLiteral("INSERT INTO LogCalls (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,"
                                            "Durata,IndiceEsterna,Scatti,Totale,Uscente,NumeroChiamato) VALUES "
                                            "(?,?,?,?,?,?,?,?,?,?)"),
                             {0, kExtensionNumber, SqlDateText(start), SqlDateText(start.AddSeconds(30 + i % 600)),
                              SqlDateText(OleDate(2000, 1, 1).AddSeconds(30 + i % 600)), 1, 30 + i % 600, 0, 1,
                              number}) != kNoError)
            return db.LastError();
        db.CloseRecordset();
    }
    if (db.CommitTransaction() != kNoError)
        return db.LastError();

    RoomRecord room;
    room.id = 1;
    room.extension = kExtension;
    data.rooms = {room};
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), data.rating.prefixGroups);
    BuildDefaultTariffs(data.rating.tariffs, data.rating.variations);
    BuildDefaultRules(data.rating.rules, data.rating.prefixGroups);

    CheckInRecord& stay = data.stay;
    stay.roomId = room.id;
    stay.startDate = OleDate(2026, 3, 2);
    stay.endDate = OleDate(2026, 3, 4);
    stay.checkInDate = first.AddSeconds(-60);
    stay.checkOutDate = first.AddSeconds(kCalls * 97);
    stay.treatment = QStringLiteral("Mezza pensione");
    stay.dailyPrice = Money::FromCents(8000);
    stay.vat = VatRate::FromHundredths(1000);
    stay.serviceCount = kServices;
    for (int i = 0; i < kServices; ++i)
        stay.services[static_cast<std::size_t>(i)] = {QStringLiteral("Servizio %1").arg(i % 25),
                                                      Money::FromCents(100 + i % 25), VatRate::FromHundredths(2200)};

    LoggedCallFilter filter;
    filter.extensionNumber = kExtensionNumber;
    int count = 0;
    if (SelectLoggedCalls(db, filter, &data.calls, count) != kNoError || count != kCalls)
        return QStringLiteral("the calls could not be read back");
    return {};
}

hotelbench::CatalogCache<BillCatalog>& Catalogs()
{
    static hotelbench::CatalogCache<BillCatalog> catalogs(Fill);
    return catalogs;
}

BillCatalog& Catalog(DbBackend backend)
{
    return Catalogs().For(backend);
}

void StayBill(benchmark::State& state, DbBackend backend)
{
    BillCatalog& data = Catalog(backend);
    if (!data.failure.isEmpty()) {
        state.SkipWithError(data.failure.toStdString().c_str());
        return;
    }
    // The bill's own work on its calls: their SELECT, as the bill filters them, and their pricing with the
    // rules compiled once, as the bill compiles them.
    const CompiledRules rules(data.rating.rules, data.rating.prefixGroups);
    LoggedCallFilter filter;
    filter.pbx = 0;
    filter.extensionNumber = kExtensionNumber;
    filter.start = &data.stay.checkInDate;
    filter.end = &data.stay.checkOutDate;
    filter.inclusive = false;
    const auto selectAndRate = [&] {
        std::vector<LoggedCall> calls;
        int count = 0;
        if (SelectLoggedCalls(*data.database, filter, &calls, count) != kNoError ||
            calls.size() != static_cast<std::size_t>(kCalls))
            return false;
        double total = 0;
        for (const LoggedCall& call : calls)
            total += RateLoggedCall(call, data.configuration, rules, data.rating.tariffs, data.rating.variations).cost;
        benchmark::DoNotOptimize(total);
        return true;
    };

    StayBilling billing(*data.database, data.rooms, data.seasons, data.rating, data.settings);
    std::vector<BillLine> lines;
    const auto bill = [&] {
        // Nights, phone and the 25 distinct services.
        return billing.BuildStayBill(data.stay, lines, true, true, {}) && lines.size() == 2 + 25;
    };
    benchpairing::PairedSeconds seconds;
    if (!benchpairing::TimeInTurn(state, bill, selectAndRate, seconds))
        return;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["bill_ms"] = seconds.ours / iterations * 1000;
    state.counters["select_and_rate_ms"] = seconds.baseline / iterations * 1000;
}

void StayBillSqlite(benchmark::State& state) { StayBill(state, DbBackend::kSqlite); }
void StayBillPostgres(benchmark::State& state) { StayBill(state, DbBackend::kPostgres); }

BENCHMARK(StayBillSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(StayBillPostgres)->Unit(benchmark::kMillisecond);

}  // namespace
