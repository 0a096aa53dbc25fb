// Call-log rows stored per second by CSqlDatabase::InsertLoggedCall (its de-duplicating select, then the
// insert, each call outside any transaction as the engine stores them) for 100,000 calls, on SQLite and on
// PostgreSQL. PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT,
// SUITE_TEST_PGUSER); without it that run is skipped.

#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int kCalls = 100000;
constexpr int kExtensions = 16;
constexpr int kFirstExtensionNumber = 201;
constexpr qint64 kSecondsBetweenCalls = 37;

QByteArray LoggedCall(int i)
{
    const OleDate start = OleDate(2024, 1, 1).AddSeconds(i * kSecondsBetweenCalls);
    const OleDate end = start.AddSeconds(95);
    QByteArray record(PbxRecord::kCallLogRecordSize, '\0');
    record[PbxRecord::kCallLogKind] = PbxRecord::kCallLogKindCall;
    record[PbxRecord::kCallLogDay] = static_cast<char>(start.Day());
    record[PbxRecord::kCallLogDay + 1] = static_cast<char>(start.Month());
    record[PbxRecord::kCallLogDay + 2] = static_cast<char>(start.Year() - 2000);
    const int startParts[] = {start.Hour(), start.Minute(), start.Second()};
    const int endParts[] = {end.Hour(), end.Minute(), end.Second()};
    const int durationParts[] = {0, 1, 35};
    for (int k = 0; k < 3; ++k) {
        record[PbxRecord::kCallLogStart + k] = static_cast<char>(startParts[k]);
        record[PbxRecord::kCallLogEnd + k] = static_cast<char>(endParts[k]);
        record[PbxRecord::kCallLogDuration + k] = static_cast<char>(durationParts[k]);
    }
    record[PbxRecord::kCallLogLine] = static_cast<char>(i % 4);
    record[PbxRecord::kCallLogPulses + 3] = static_cast<char>(i % 50);
    record[PbxRecord::kCallLogOutgoing] = 1;
    const QByteArray number = QByteArray::number(612345000 + i % 1000);
    record.replace(PbxRecord::kCallLogNumber, number.size(), number);
    return record;
}

void InsertLoggedCalls(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    if (!catalog.SkipReason().isEmpty()) {
        state.SkipWithError(catalog.SkipReason().toStdString().c_str());
        return;
    }
    CSqlDatabase database(catalog.Parameters());
    if (database.ConnectAndCreateSchema(QString()) != kNoError ||
        database.InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0) != kNoError ||
        database.ConnectAndCreateSchema(QString()) != kNoError) {
        state.SkipWithError("the catalog could not be made");
        return;
    }
    QList<QByteArray> calls;
    calls.reserve(kCalls);
    for (int i = 0; i < kCalls; ++i)
        calls << LoggedCall(i);

    for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i) {
            if (database.InsertLoggedCall(0, calls.at(i), kFirstExtensionNumber + i % kExtensions) != kNoError) {
                state.SkipWithError(database.LastError().toStdString().c_str());
                return;
            }
        }
    }
    state.counters["rows_per_second"] =
        benchmark::Counter(static_cast<double>(kCalls) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void InsertLoggedCallSqlite(benchmark::State& state) { InsertLoggedCalls(state, DbBackend::kSqlite); }
void InsertLoggedCallPostgres(benchmark::State& state) { InsertLoggedCalls(state, DbBackend::kPostgres); }

// One pass of 100,000 calls per run: a second pass would only find every call stored already.
BENCHMARK(InsertLoggedCallSqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(InsertLoggedCallPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
