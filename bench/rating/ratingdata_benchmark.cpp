// Calls per second read by CRatingDatabase::SelectExtensionCalls and priced by RateLoggedCall, over
// 100,000 calls of one extension, on SQLite and on PostgreSQL, with the ratio to pricing the same calls
// alone (how much of the work the reading is); and ComputeExtensionCostStats for 50 extensions that share
// the 100,000 calls. PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT,
// SUITE_TEST_PGUSER); without it those runs are skipped.

#include "callrating.h"
#include "callstatistics.h"
#include "defaultrules.h"
#include "engineerrorcode.h"
#include "pbxtables.h"
#include "ratingbenchdata.h"
#include "ratingdatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kExtensions = 50;

void SelectAndRate(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    const auto database = PrepareBenchCalls(state, catalog, 1);
    if (!database)
        return;
    const RatingConfiguration configuration = BenchRatingConfiguration();
    const QByteArray system = BenchTimingConfiguration();
    std::vector<LoggedCall> calls;
    double total = 0.0;
    for (auto _ : state) {
        int count = 0;
        if (database->SelectExtensionCalls(0, kBenchFirstExtensionNumber, nullptr, nullptr, &calls, count) != kNoError ||
            count != kBenchCalls) {
            state.SkipWithError("the calls could not be read");
            return;
        }
        for (const LoggedCall& call : calls)
            total += RateLoggedCall(call, system, configuration.rules, configuration.prefixGroups,
                                    configuration.tariffs, configuration.variations)
                         .cost;
    }
    benchmark::DoNotOptimize(total);
    const double perSecond = static_cast<double>(kBenchCalls) * static_cast<double>(state.iterations());
    state.counters["calls_per_second"] = benchmark::Counter(perSecond, benchmark::Counter::kIsRate);

    // The same calls priced alone, once, for the ratio of the two rates.
    const auto start = std::chrono::steady_clock::now();
    for (const LoggedCall& call : calls)
        total += RateLoggedCall(call, system, configuration.rules, configuration.prefixGroups, configuration.tariffs,
                                configuration.variations)
                     .cost;
    benchmark::DoNotOptimize(total);
    const double rateOnly = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["rate_only_calls_per_second"] = static_cast<double>(kBenchCalls) / rateOnly;
}

void ExtensionCostStats(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    const auto database = PrepareBenchCalls(state, catalog, kExtensions);
    if (!database)
        return;
    const RatingConfiguration configuration = BenchRatingConfiguration();
    CallTypeTable callTypes;
    BuildCallTypeTable(callTypes);
    PbxTables tables;
    SetBenchPbx(tables, kExtensions);
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
