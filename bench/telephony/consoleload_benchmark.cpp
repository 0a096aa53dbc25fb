// The operator console's start-up load of a PBX of 255 extensions (the most its count byte holds), 64
// lines, 16 entry phones and 16 relays (object by object, as LoadPbxState reads it), against reading the same rows with one SELECT per
// table, on SQLite and on PostgreSQL; the counters give both times in milliseconds and their ratio.
// PostgreSQL runs on the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER);
// without it that run is skipped.

#include "columndefinition.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "pbxstateloader.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kPbx = 0;
constexpr int kPbxIdentifier = 1;
constexpr int kExtensions = 255;
constexpr int kLines = 64;
constexpr int kEntryPhones = 16;
constexpr int kRelays = 16;
constexpr int kNoSecondPbx = 255;

QByteArray Record(qsizetype size, std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray record(size, '\0');
    for (const auto& [offset, value] : bytes)
        record[offset] = static_cast<char>(value);
    return record;
}

bool WritePbx(CSqlDatabase& database)
{
    bool ok = database.SaveInitialization(kPbx, Record(77, {{2, kExtensions}, {4, kLines}, {6, kEntryPhones},
                                                            {8, kRelays}})) == kNoError
        && database.SaveSystemConfiguration(kPbx, Record(26, {})) == kNoError;
    for (int i = 0; ok && i < kExtensions; ++i)
        ok = database.SaveDerivedProgrammation(kPbx, Record(50, {{0, 1}, {1, i}})) == kNoError
            && database.SaveDerivedStatus(kPbx, Record(7, {{0, 1}, {1, i}, {2, 2}})) == kNoError;
    for (int i = 0; ok && i < kLines; ++i)
        ok = database.SaveLineProgrammation(kPbx, Record(12, {{0, 2}, {1, i}})) == kNoError
            && database.SaveLineStatus(kPbx, Record(7, {{0, 2}, {1, i}, {2, 2}})) == kNoError;
    for (int i = 0; ok && i < kEntryPhones; ++i)
        ok = database.SaveEntryPhoneProgrammation(kPbx, Record(4, {{0, 3}, {1, i}})) == kNoError
            && database.SaveEntryPhoneStatus(kPbx, Record(7, {{0, 3}, {1, i}, {2, 2}})) == kNoError;
    for (int i = 0; ok && i < kRelays; ++i)
        ok = database.SaveRelayProgrammation(kPbx, Record(3, {{0, 4}, {1, i}})) == kNoError
            && database.SaveRelayStatus(kPbx, Record(7, {{0, 4}, {1, i}})) == kNoError;
    return ok;
}

// Every row of the tables the load reads, one statement per table.
int SelectTables(CSqlDatabase& database)
{
    int rows = 0;
    for (EngineTable table : {EngineTable::kInitialization, EngineTable::kSystemConfiguration,
                              EngineTable::kDerivedStatus, EngineTable::kDerivedProgrammations,
                              EngineTable::kLineStatus, EngineTable::kLineProgrammations,
                              EngineTable::kEntryPhoneStatus, EngineTable::kEntryPhoneProgrammations,
                              EngineTable::kRelayStatus, EngineTable::kRelayProgrammations}) {
        if (database.OpenRecordset(QStringLiteral("SELECT * FROM ") + database.PbxTableName(table, kPbx)) != kNoError)
            return -1;
        for (; !database.IsEof(); database.MoveNext())
            ++rows;
        database.CloseRecordset();
    }
    return rows;
}

void LoadPbx(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    if (!catalog.SkipReason().isEmpty()) {
        state.SkipWithError(catalog.SkipReason().toStdString().c_str());
        return;
    }
    CSqlDatabase database(catalog.Parameters());
    if (database.ConnectAndCreateSchema(QString()) != kNoError
        || database.InsertEngineConfiguration(kPbxIdentifier, QStringLiteral("PBX1"), 0) != kNoError
        || database.ConnectAndCreateSchema(QString()) != kNoError || database.UpdateComStat(kPbxIdentifier, 0) != kNoError
        || database.PrepareOperatorConsoleTables() != kNoError || !WritePbx(database)) {
        state.SkipWithError("the catalog could not be made");
        return;
    }

    using Clock = std::chrono::steady_clock;
    Clock::duration load{};
    Clock::duration select{};
    for (auto _ : state) {
        OperatorConsoleState console;
        const Clock::time_point start = Clock::now();
        if (LoadPbxState(database, console, kPbxIdentifier, 0, kNoSecondPbx) != kNoError) {
            state.SkipWithError("the load failed");
            return;
        }
        const Clock::time_point middle = Clock::now();
        if (SelectTables(database) < 0) {
            state.SkipWithError("a SELECT failed");
            return;
        }
        load += middle - start;
        select += Clock::now() - middle;
    }
    const double iterations = static_cast<double>(state.iterations());
    const double loadMs = std::chrono::duration<double, std::milli>(load).count() / iterations;
    const double selectMs = std::chrono::duration<double, std::milli>(select).count() / iterations;
    state.counters["load_ms"] = loadMs;
    state.counters["one_select_per_table_ms"] = selectMs;
    state.counters["load_to_select"] = loadMs / selectMs;
}

void LoadPbxSqlite(benchmark::State& state) { LoadPbx(state, DbBackend::kSqlite); }
void LoadPbxPostgres(benchmark::State& state) { LoadPbx(state, DbBackend::kPostgres); }

}  // namespace

BENCHMARK(LoadPbxSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LoadPbxPostgres)->Unit(benchmark::kMillisecond)->Iterations(3);
