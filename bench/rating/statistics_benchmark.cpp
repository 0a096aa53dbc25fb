// CValuxaView::ShowAllExtensionsCostAnalysis for 64 extensions that share 100,000 stored calls on SQLite,
// split into its two steps: the analyses (ComputeExtensionCostStats of every extension: the reading and
// pricing of the calls) and the filling of the list (320 rows and the total) and of the chart.

#include "callstatistics.h"
#include "cardimagelist.h"
#include "chartcontrol.h"
#include "defaultrules.h"
#include "pbxtables.h"
#include "ratingbenchdata.h"
#include "ratinglist.h"
#include "ratingpbxfacts.h"
#include "valuxaview.h"


#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kExtensions = 64;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

RatingPbxFacts Facts()
{
    RatingPbx pbx;
    pbx.present = true;
    pbx.deviceName = QStringLiteral("PBX1");
    pbx.extensionCount = kExtensions;
    pbx.lineCount = 4;
    pbx.reportsDurations = true;
    pbx.systemConfiguration = BenchTimingConfiguration();
    for (int i = 0; i < kExtensions; ++i) {
        pbx.extensionLabels.append(QStringLiteral("INT. %1").arg(kBenchFirstExtensionNumber + i));
        pbx.extensionNumbers.append(QString::number(kBenchFirstExtensionNumber + i));
    }
    for (int i = 0; i < pbx.lineCount; ++i)
        pbx.lineNames.append(QStringLiteral("EXT. %1").arg(i + 1));
    RatingPbxFacts facts;
    facts.pbxs = {pbx};
    return facts;
}

void BM_ShowAllExtensionsCostAnalysisSqlite(benchmark::State& state)
{
    TestCatalog catalog(DbBackend::kSqlite);
    const auto database = PrepareBenchCalls(state, catalog, kExtensions);
    if (!database)
        return;
    RatingConfiguration configuration = BenchRatingConfiguration();
    CallTypeTable callTypes;
    BuildCallTypeTable(callTypes);
    PbxTables tables;
    SetBenchPbx(tables, kExtensions);
    CallStatistics statistics(*database, tables, configuration, callTypes);
    const RatingPbxFacts facts = Facts();
    CardImageList pictures;
    CValuxaView view(configuration, facts, pictures, pictures, false);
    view.SetDatabase(database.get());
    view.SetStatistics(&statistics);
    view.m_statisticsPbx = 0;
    view.m_statisticsAnalysis = 0;
    view.m_statisticsExtension = kExtensions;  // all extensions
    view.m_statisticsStart = OleDate(2024, 5, 1);
    view.m_statisticsEnd = OleDate(2024, 5, 31);
    view.SetViewMode(kStatisticsMode, 0, 0);
    view.ComputeStatistics();  // lays out the columns and runs the view once
    const int expectedRows = kExtensions * CallStatistics::kCostRows + 2;
    if (view.List()->RowCount() != expectedRows) {
        state.SkipWithError("the view did not list every extension");
        return;
    }

    double analyses = 0.0;
    double filling = 0.0;
    for (auto _ : state) {
        view.List()->Model()->removeRows(0, view.List()->RowCount());
        const auto start = Clock::now();
        const CValuxaView::StatisticsRun run = view.CollectAllSubjects(0);
        const auto computed = Clock::now();
        view.FillAllSubjects(run, false);
        analyses += std::chrono::duration<double>(computed - start).count();
        filling += Seconds(computed);
        state.SetIterationTime(Seconds(start));
        if (!run.complete || view.List()->RowCount() != expectedRows || view.Chart1()->RowCount() != kExtensions) {
            state.SkipWithError("an analysis failed");
            return;
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["analyses_ms"] = analyses / iterations * 1000.0;
    state.counters["fill_list_and_chart_ms"] = filling / iterations * 1000.0;
    state.counters["calls"] = kBenchCalls;
    state.counters["extensions"] = kExtensions;
}
BENCHMARK(BM_ShowAllExtensionsCostAnalysisSqlite)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
