// Calls per second read by CRatingDatabase::SelectExtensionCalls and priced by RateLoggedCall, over
// 100,000 calls of one extension, on SQLite and on PostgreSQL, with the ratio to pricing the same calls
// alone (how much of the work the reading is); and ComputeExtensionCostStats for 50 extensions that share
// the 100,000 calls. PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT,
// SUITE_TEST_PGUSER); without it those runs are skipped.

#include "callrating.h"
#include "callstatistics.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "engineerrorcode.h"
#include "pbxtables.h"
#include "ratingdatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kCalls = 100000;
constexpr int kExtensions = 50;
constexpr int kFirstExtensionNumber = 201;  // a PBX of at most 100 extensions numbers them from 201

RatingConfiguration Configuration()
{
    RatingConfiguration configuration;
    BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), configuration.prefixGroups);
    BuildDefaultRules(configuration.rules, configuration.prefixGroups);
    BuildDefaultTariffs(configuration.tariffs, configuration.variations);
    return configuration;
}

// A PBX that times its calls, so that each call is priced by its rule's tariff over its seconds.
QByteArray TimingConfiguration()
{
    QByteArray record(PbxSystemConfiguration::kSize, '\0');
    record[kExtensionBitmap1Byte] = static_cast<char>(kLogsDurationsBit);
    return record;
}

// The catalog with one PBX and kCalls outgoing calls spread over `extensions` dialling numbers, written
// by one statement; null (with the reason given to the state) when it cannot be made.
std::unique_ptr<CRatingDatabase> Prepare(benchmark::State& state, TestCatalog& catalog, int extensions)
{
    if (!catalog.SkipReason().isEmpty()) {
        state.SkipWithError(catalog.SkipReason().toStdString().c_str());
        return nullptr;
    }
    auto database = std::make_unique<CRatingDatabase>(catalog.Parameters());
    if (database->ConnectAndCreateSchema(QString()) != kNoError ||
        database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0) != kNoError ||
        database->ConnectAndCreateSchema(QString()) != kNoError) {
        state.SkipWithError("the catalog could not be made");
        return nullptr;
    }
    const bool sqlite = catalog.Parameters().backend == DbBackend::kSqlite;
    const QString series = sqlite ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n "
                                                   "WHERE i<%1) ")
                                        .arg(kCalls - 1)
                                  : QString();
    const QString source = sqlite ? QStringLiteral("n") : QStringLiteral("generate_series(0,%1) AS n(i)").arg(kCalls - 1);
    // Numbers of every kind: local, long distance, mobile, international.
    // Numbers of every kind: local, long distance, mobile, international. (Built by joining, as the
    // statement's "%" would otherwise be taken for argument markers.)
    const QString insert =
        QStringLiteral("INSERT INTO LogCalls (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,IndiceEsterna,"
                       "Scatti,Totale,Uscente,NumeroChiamato) SELECT 0,") +
        QString::number(kFirstExtensionNumber) + QStringLiteral("+i%") + QString::number(extensions) +
        QStringLiteral(",'2024-05-13 10:00:00','2024-05-13 10:05:00','2000-01-01 00:05:00',i%4,30+i%600,0,1,"
                       "CASE i%4 WHEN 0 THEN '071' WHEN 1 THEN '02' WHEN 2 THEN '347' ELSE '0044' END || "
                       "(1000000+i%1000) FROM ") +
        source;
    if (!catalog.Execute(series + insert)) {
        state.SkipWithError("the calls could not be stored");
        return nullptr;
    }
    return database;
}

void SelectAndRate(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    const auto database = Prepare(state, catalog, 1);
    if (!database)
        return;
    const RatingConfiguration configuration = Configuration();
    const QByteArray system = TimingConfiguration();
    std::vector<LoggedCall> calls;
    double total = 0.0;
    for (auto _ : state) {
        int count = 0;
        if (database->SelectExtensionCalls(0, kFirstExtensionNumber, nullptr, nullptr, &calls, count) != kNoError ||
            count != kCalls) {
            state.SkipWithError("the calls could not be read");
            return;
        }
        for (const LoggedCall& call : calls)
            total += RateLoggedCall(call, system, configuration.rules, configuration.prefixGroups,
                                    configuration.tariffs, configuration.variations)
                         .cost;
    }
    benchmark::DoNotOptimize(total);
    const double perSecond = static_cast<double>(kCalls) * static_cast<double>(state.iterations());
    state.counters["calls_per_second"] = benchmark::Counter(perSecond, benchmark::Counter::kIsRate);

    // The same calls priced alone, once, for the ratio of the two rates.
    const auto start = std::chrono::steady_clock::now();
    for (const LoggedCall& call : calls)
        total += RateLoggedCall(call, system, configuration.rules, configuration.prefixGroups, configuration.tariffs,
                                configuration.variations)
                     .cost;
    benchmark::DoNotOptimize(total);
    const double rateOnly = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["rate_only_calls_per_second"] = static_cast<double>(kCalls) / rateOnly;
}

void ExtensionCostStats(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    const auto database = Prepare(state, catalog, kExtensions);
    if (!database)
        return;
    const RatingConfiguration configuration = Configuration();
    CallTypeTable callTypes;
    BuildCallTypeTable(callTypes);
    PbxTables tables;
    QByteArray initialization(PbxInitialization::kSize, '\0');
    initialization[1] = kExtensions;
    initialization[PbxInitialization::kExtensionCountOffset] = kExtensions;
    tables.SetPbx(0, QStringLiteral("PBX1"), initialization, TimingConfiguration(), {});
    CallStatistics statistics(*database, tables, configuration, callTypes);
    StatsRequest request;
    request.start = OleDate(2024, 5, 1);
    request.end = OleDate(2024, 5, 31);
    std::vector<CostStatsRow> rows(CallStatistics::kCostRows);
    for (auto _ : state) {
        for (int extension = 0; extension < kExtensions; ++extension) {
            request.item = extension;
            int capacity = CallStatistics::kCostRows;
            int code = 0;
            if (statistics.ComputeExtensionCostStats(request, capacity, rows, code) != 1) {
                state.SkipWithError("a statistic failed");
                return;
            }
        }
    }
    state.counters["extensions_per_second"] = benchmark::Counter(
        static_cast<double>(kExtensions) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void SelectAndRateSqlite(benchmark::State& state) { SelectAndRate(state, DbBackend::kSqlite); }
void SelectAndRatePostgres(benchmark::State& state) { SelectAndRate(state, DbBackend::kPostgres); }
void ExtensionCostStatsSqlite(benchmark::State& state) { ExtensionCostStats(state, DbBackend::kSqlite); }
void ExtensionCostStatsPostgres(benchmark::State& state) { ExtensionCostStats(state, DbBackend::kPostgres); }

BENCHMARK(SelectAndRateSqlite)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAndRatePostgres)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ExtensionCostStatsSqlite)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ExtensionCostStatsPostgres)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
