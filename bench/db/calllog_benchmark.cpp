// Call-log rows stored per second, on SQLite (synchronous=FULL) and on PostgreSQL:
//   InsertLoggedCall      each call on its own, outside any transaction (its de-duplicating select, then
//                         the insert): one commit, so one flush to disk, per call;
//   StoreDownloadedCalls  the download's storage, CSqlDatabase::InsertLoggedCalls: each extension's answer
//                         (254 calls) in one transaction, de-duplication included;
//   DownloadCallLog       the download whole: DownloadCallLog reading 16 extensions' logs from an engine
//                         that plays the PBX, storing them and clearing the log, beside ReadCallLogOnly, the
//                         same reads through the engine client with nothing stored;
//   StoreCallsInto100k    the download's storage of new calls into a call log that holds 100,000 calls
//                         already, beside StoreCallsIntoEmpty, the same calls into an empty one: the
//                         de-duplicating look-up must not grow with the calls stored.
// PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER);
// without it those runs are skipped.

#include "binaryrecord.h"
#include "downloadcalllog.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "scriptedcalllogengine.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kCalls = 10000;
constexpr int kExtensions = 16;
constexpr int kCallsPerAnswer = 254;  // one read short of the 255 a download reads, so each log ends
constexpr int kFirstExtensionNumber = 201;
constexpr qint64 kSecondsBetweenCalls = 37;
constexpr int kPbx = 0;

// A call of the PBX's log as its answer carries it (digits 1-9, and 10 for '0').
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
    for (qsizetype k = 0; k < number.size(); ++k)
        record[PbxRecord::kCallLogNumber + k] = static_cast<char>(number.at(k) == '0' ? 10 : number.at(k) - '0');
    return record;
}

// The engine database of a catalog of its own with PBX 0 of 16 extensions stored, on SQLite with every
// commit flushed to disk.
class CallLogCatalog {
    TestCatalog m_catalog;  // first made, last dropped: the connection below ends before its catalog

public:
    explicit CallLogCatalog(DbBackend backend) : m_catalog(backend)
    {
        if (!m_catalog.SkipReason().isEmpty()) {
            m_error = m_catalog.SkipReason();
            return;
        }
        database = std::make_unique<CSqlDatabase>(m_catalog.Parameters());
        if (database->ConnectAndCreateSchema(QString()) != kNoError ||
            database->InsertEngineConfiguration(kPbx, QStringLiteral("PBX1"), 0) != kNoError ||
            database->ConnectAndCreateSchema(QString()) != kNoError || !StorePbx() ||
            (backend == DbBackend::kSqlite &&
             database->OpenRecordset(QStringLiteral("PRAGMA synchronous=FULL")) != kNoError))
            m_error = QStringLiteral("the catalog could not be made: ") + database->LastError();
    }

    // Empty when the catalog is ready.
    QString Error() const { return m_error; }

    std::unique_ptr<CSqlDatabase> database;

private:
    bool StorePbx()
    {
        QByteArray initialization(PbxRecord::kInitializationSize, '\0');
        initialization[PbxRecord::kExtensionCount] = kExtensions;
        WriteAnsiField(initialization, PbxRecord::kInitializationVersion, PbxRecord::kTextFieldWidth,
                       QStringLiteral("MODEL 16 v3"));
        if (database->SaveInitialization(kPbx, initialization) != kNoError ||
            database->SaveSystemConfiguration(kPbx, QByteArray(PbxRecord::kSystemConfigurationSize, '\0')) != kNoError)
            return false;
        for (int extension = 0; extension < kExtensions; ++extension) {
            QByteArray programming(PbxRecord::kExtensionProgrammationSize, '\0');
            programming[0] = PbxRecord::kObjectExtension;
            programming[1] = static_cast<char>(extension);
            if (database->SaveDerivedProgrammation(kPbx, programming) != kNoError)
                return false;
        }
        return true;
    }

    QString m_error;
};

void CountRows(benchmark::State& state, qint64 rows)
{
    state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}

// Each extension's answers of `count` calls from call `first` on, as a download stores them.
QList<QList<QByteArray>> Answers(int first, int count)
{
    QList<QList<QByteArray>> answers;
    for (int i = 0; i < count; ++i) {
        if (i % kCallsPerAnswer == 0)
            answers.append(QList<QByteArray>());
        answers.last() << LoggedCall(first + i);
    }
    return answers;
}

bool StoreAnswers(CSqlDatabase& database, const QList<QList<QByteArray>>& answers)
{
    for (qsizetype k = 0; k < answers.size(); ++k) {
        const int number = kFirstExtensionNumber + static_cast<int>(k % kExtensions);
        if (database.InsertLoggedCalls(kPbx, answers.at(k), number) != kNoError)
            return false;
    }
    return true;
}

void InsertLoggedCalls(benchmark::State& state, DbBackend backend)
{
    CallLogCatalog catalog(backend);
    if (!catalog.Error().isEmpty()) {
        state.SkipWithError(catalog.Error().toStdString().c_str());
        return;
    }
    QList<QByteArray> calls;
    for (int i = 0; i < kCalls; ++i)
        calls << LoggedCall(i);
    for (auto _ : state) {
        for (int i = 0; i < kCalls; ++i) {
            if (catalog.database->InsertLoggedCall(kPbx, calls.at(i), kFirstExtensionNumber + i % kExtensions) !=
                kNoError) {
                state.SkipWithError(catalog.database->LastError().toStdString().c_str());
                return;
            }
        }
    }
    CountRows(state, kCalls * state.iterations());
}

void StoreDownloadedCalls(benchmark::State& state, DbBackend backend)
{
    CallLogCatalog catalog(backend);
    if (!catalog.Error().isEmpty()) {
        state.SkipWithError(catalog.Error().toStdString().c_str());
        return;
    }
    const QList<QList<QByteArray>> answers = Answers(0, kCalls);
    for (auto _ : state) {
        if (!StoreAnswers(*catalog.database, answers)) {
            state.SkipWithError(catalog.database->LastError().toStdString().c_str());
            return;
        }
    }
    CountRows(state, kCalls * state.iterations());
}

constexpr int kLargeLog = 100000;
constexpr int kNewCalls = 40 * kCallsPerAnswer;

// Stores kNewCalls new calls into a call log already holding `stored` calls (made before the timing).
void StoreCallsBeside(benchmark::State& state, DbBackend backend, int stored)
{
    CallLogCatalog catalog(backend);
    if (!catalog.Error().isEmpty()) {
        state.SkipWithError(catalog.Error().toStdString().c_str());
        return;
    }
    if (!StoreAnswers(*catalog.database, Answers(0, stored))) {
        state.SkipWithError(catalog.database->LastError().toStdString().c_str());
        return;
    }
    const QList<QList<QByteArray>> answers = Answers(stored, kNewCalls);
    for (auto _ : state) {
        if (!StoreAnswers(*catalog.database, answers)) {
            state.SkipWithError(catalog.database->LastError().toStdString().c_str());
            return;
        }
    }
    CountRows(state, kNewCalls * state.iterations());
}

// Gives every extension of the engine a full answer of new calls, `download` telling them apart.
void FillLogs(ScriptedCallLogEngine& engine, int download)
{
    for (int extension = 0; extension < kExtensions; ++extension) {
        QList<QByteArray> calls;
        for (int k = 0; k < kCallsPerAnswer; ++k)
            calls << LoggedCall((download * kExtensions + extension) * kCallsPerAnswer + k);
        engine.SetCalls(extension, calls);
    }
}

void DownloadCallLogs(benchmark::State& state, DbBackend backend)
{
    CallLogCatalog catalog(backend);
    ScriptedCallLogEngine engine;
    if (!catalog.Error().isEmpty() || !engine.IsListening()) {
        state.SkipWithError(catalog.Error().isEmpty() ? "the engine did not listen" : catalog.Error().toStdString().c_str());
        return;
    }
    const CEngineClient client("127.0.0.1", engine.Port());
    int download = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FillLogs(engine, download++);
        state.ResumeTiming();
        if (DownloadCallLog(&client, *catalog.database, kPbx, std::chrono::milliseconds(0)) != kNoError ||
            engine.ClearCount() != download) {
            state.SkipWithError("the download failed");
            return;
        }
    }
    CountRows(state, qint64(kExtensions) * kCallsPerAnswer * state.iterations());
}

// The download's reads alone: every record of every extension, as DownloadCallLog asks for them.
void BM_ReadCallLogOnly(benchmark::State& state)
{
    ScriptedCallLogEngine engine;
    if (!engine.IsListening()) {
        state.SkipWithError("the engine did not listen");
        return;
    }
    const CEngineClient client("127.0.0.1", engine.Port());
    for (auto _ : state) {
        state.PauseTiming();
        FillLogs(engine, 0);
        state.ResumeTiming();
        for (int extension = 0; extension < kExtensions; ++extension) {
            for (int j = 0; j <= kCallsPerAnswer; ++j) {
                CallLogRecord record;
                if (client.ReadCallLogRecord(kPbx, static_cast<std::uint8_t>(extension), j != 0, record, 6) != kNoError) {
                    state.SkipWithError("a read failed");
                    return;
                }
            }
        }
    }
    CountRows(state, qint64(kExtensions) * kCallsPerAnswer * state.iterations());
}

void BM_InsertLoggedCallSqlite(benchmark::State& state) { InsertLoggedCalls(state, DbBackend::kSqlite); }
void BM_InsertLoggedCallPostgres(benchmark::State& state) { InsertLoggedCalls(state, DbBackend::kPostgres); }
void BM_StoreDownloadedCallsSqlite(benchmark::State& state) { StoreDownloadedCalls(state, DbBackend::kSqlite); }
void BM_StoreDownloadedCallsPostgres(benchmark::State& state) { StoreDownloadedCalls(state, DbBackend::kPostgres); }
void BM_StoreCallsIntoEmptySqlite(benchmark::State& state) { StoreCallsBeside(state, DbBackend::kSqlite, 0); }
void BM_StoreCallsInto100kSqlite(benchmark::State& state) { StoreCallsBeside(state, DbBackend::kSqlite, kLargeLog); }
void BM_StoreCallsIntoEmptyPostgres(benchmark::State& state) { StoreCallsBeside(state, DbBackend::kPostgres, 0); }
void BM_StoreCallsInto100kPostgres(benchmark::State& state)
{
    StoreCallsBeside(state, DbBackend::kPostgres, kLargeLog);
}
void BM_DownloadCallLogSqlite(benchmark::State& state) { DownloadCallLogs(state, DbBackend::kSqlite); }
void BM_DownloadCallLogPostgres(benchmark::State& state) { DownloadCallLogs(state, DbBackend::kPostgres); }

// One pass of the calls per run: a second pass would only find every call stored already.
BENCHMARK(BM_InsertLoggedCallSqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreDownloadedCallsSqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertLoggedCallPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreDownloadedCallsPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreCallsIntoEmptySqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreCallsInto100kSqlite)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreCallsIntoEmptyPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreCallsInto100kPostgres)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCallLogOnly)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadCallLogSqlite)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadCallLogPostgres)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
