// PBX event frames per second through PbxEventProcessor for a fixed mix of one call (ring, caller id,
// link, digit, back to idle with its call-log row), against the same frames' CSqlDatabase calls made
// directly, on SQLite and on PostgreSQL; the counters give both rates and their ratio. PostgreSQL runs on
// the cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER); without it that run
// is skipped.

#include "boundpbxrecords.h"
#include "engineerrorcode.h"
#include "extensioncallstate.h"
#include "joinbytes.h"
#include "pbxeventprocessor.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr int kPbx = 0;
constexpr int kCallsPerIteration = 200;
constexpr std::uint8_t kExtension = 5;
constexpr std::uint8_t kLine = 3;

using Frame = std::vector<std::uint8_t>;

Frame MakeFrame(std::uint8_t code, const Frame& payload)
{
    const std::uint8_t header[] = {0x16, 0x16, code, static_cast<std::uint8_t>(payload.size())};
    return JoinBytes({header, payload});
}

// One call of the line to the extension: 51, 70, 60, 13, 65.
std::vector<Frame> CallFrames()
{
    Frame callerId{kLine, 0x80, 12, 2, 10};
    for (char digit : {'0', '6', '1', '2', '3', '4', '5', '6', '7', '8'})
        callerId.push_back(static_cast<std::uint8_t>(digit));
    return {
        MakeFrame(51, {kExtension, 8, 2, kLine}),
        MakeFrame(70, callerId),
        MakeFrame(60, {2, kLine, 1, kExtension}),
        MakeFrame(13, {kExtension, '5'}),
        MakeFrame(65, {1, kExtension, 2}),
    };
}

// The database calls the processor makes for the same frames.
void DirectCalls(CSqlDatabase& database, const OleDate& now)
{
    database.UpdateRing(kPbx, kExtension, 8, 2, kLine);
    database.UpdateObjectLink(kPbx, 2, kLine, 1, kExtension);
    database.SetLineCallerId(kPbx, kLine, QStringLiteral("0612345678"));
    database.UpdateObjectLink(kPbx, 2, kLine, 1, kExtension);
    database.SetObjectState(kPbx, 2, kLine, 7);
    database.UpdateObjectLink(kPbx, 1, kExtension, 2, kLine);
    database.SetObjectState(kPbx, 1, kExtension, 7);
    database.AppendDialledDigits(kPbx, kExtension, QStringLiteral("5"));
    QByteArray status;
    database.ReadDerivedStatus(kPbx, kExtension, status);
    database.ReadLineStatus(kPbx, kLine, status);
    ExtensionCallState entry;
    entry.LinkType = 2;
    entry.LinkIndex = kLine;
    entry.Kind = ExtensionCallState::kIncoming;
    entry.Start = now;
    entry.Number = QStringLiteral("0612345678");
    database.InsertCallSwNew(kPbx, now, kExtension, CallStateRecord(entry));
    database.ClearDialledDigits(kPbx, kExtension);
    database.UpdateObjectState(kPbx, QByteArray::fromHex("010502"));
}

void ProcessCalls(benchmark::State& state, DbBackend backend)
{
    TestCatalog catalog(backend);
    if (!catalog.SkipReason().isEmpty()) {
        state.SkipWithError(catalog.SkipReason().toStdString().c_str());
        return;
    }
    CSqlDatabase database(catalog.Parameters());
    if (database.ConnectAndCreateSchema(QString()) != kNoError ||
        database.InsertEngineConfiguration(kPbx, QStringLiteral("PBX1"), 0) != kNoError ||
        database.ConnectAndCreateSchema(QString()) != kNoError ||
        database.SaveDerivedStatus(kPbx, QByteArray::fromHex("01050200FF0000")) != kNoError ||
        database.SaveLineStatus(kPbx, QByteArray::fromHex("02030200FF0000")) != kNoError) {
        state.SkipWithError("the catalog could not be made");
        return;
    }
    OleDate now(2026, 3, 4, 10, 0, 0);
    BoundPbxRecords bound;
    auto callStates = std::make_unique<ExtensionCallStateTable>();
    PbxEventProcessor::Services services;
    services.database = &database;
    services.boundRecords = &bound;
    services.boundPbx = [] { return kPbx; };
    services.boundExtension = [] { return int(kExtension); };
    services.callStates = callStates.get();
    services.clock = [&now] { return now; };
    PbxEventProcessor processor(std::move(services));
    const std::vector<Frame> frames = CallFrames();

    using Clock = std::chrono::steady_clock;
    Clock::duration throughProcessor{};
    Clock::duration direct{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        for (int call = 0; call < kCallsPerIteration; ++call) {
            for (const Frame& frame : frames)
                processor.ProcessFrame(kPbx, frame);
            now = now.AddSeconds(60);
        }
        const Clock::time_point middle = Clock::now();
        for (int call = 0; call < kCallsPerIteration; ++call) {
            DirectCalls(database, now);
            now = now.AddSeconds(60);
        }
        throughProcessor += middle - start;
        direct += Clock::now() - middle;
    }
    const double frameCount = static_cast<double>(frames.size()) * kCallsPerIteration * static_cast<double>(state.iterations());
    const double processorSeconds = std::chrono::duration<double>(throughProcessor).count();
    const double directSeconds = std::chrono::duration<double>(direct).count();
    state.counters["processor_frames_per_second"] = frameCount / processorSeconds;
    state.counters["direct_frames_per_second"] = frameCount / directSeconds;
    state.counters["processor_to_direct"] = directSeconds / processorSeconds;
}

void ProcessCallsSqlite(benchmark::State& state) { ProcessCalls(state, DbBackend::kSqlite); }
void ProcessCallsPostgres(benchmark::State& state) { ProcessCalls(state, DbBackend::kPostgres); }

}  // namespace

BENCHMARK(ProcessCallsSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ProcessCallsPostgres)->Unit(benchmark::kMillisecond)->Iterations(3);
