// Round trips per second of CEngineClient::Transact against a loopback server that answers at once,
// beside a bare TCP connect-send-receive-close of the same bytes to the same server. The ratio of the
// two is the cost of the client's own work (header, time-outs through poll, full reads).

#include "answeringserver.h"
#include "engineclient.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kSeconds = 6;

AnsweringServer& Server()
{
    static AnsweringServer server;
    return server;
}

void BM_Transact(benchmark::State& state)
{
    const CEngineClient client("127.0.0.1", Server().Port());
    EngineReply reply;
    for (auto _ : state) {
        if (client.Transact(0, AnsweringServer::kFrame, reply, kSeconds) != kNoError ||
            reply.length != AnsweringServer::kAnswer.size()) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(reply.data);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Transact)->UseRealTime();

void BM_BareTcpRoundTrip(benchmark::State& state)
{
    for (auto _ : state) {
        if (!BareTcpRoundTrip(Server().Port())) {
            state.SkipWithError("round trip failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareTcpRoundTrip)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
