#pragma once

// A measured path and its baseline timed in turn inside one benchmark: both get one untimed warm-up pass,
// then every iteration runs both, the one that goes first changing each time, so that neither always
// meets the warmer cache, connection or server.

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace benchpairing {

struct PairedSeconds {
    double ours = 0;
    double baseline = 0;
};

// One pass of a path; false when it failed or read something else than it should.
using Pass = std::function<bool()>;

inline double Seconds(const Pass& pass, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = pass();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the benchmark's iterations over both paths. False, with the run skipped and the failing path
// named, when a pass failed.
inline bool TimeInTurn(benchmark::State& state, const Pass& ours, const Pass& baseline, PairedSeconds& seconds)
{
    if (!ours()) {
        state.SkipWithError("the measured path failed");
        return false;
    }
    if (!baseline()) {
        state.SkipWithError("the baseline failed");
        return false;
    }
    bool oursFirst = true;
    for (auto _ : state) {
        bool oursOk = true;
        bool baselineOk = true;
        if (oursFirst) {
            seconds.ours += Seconds(ours, oursOk);
            seconds.baseline += Seconds(baseline, baselineOk);
        } else {
            seconds.baseline += Seconds(baseline, baselineOk);
            seconds.ours += Seconds(ours, oursOk);
        }
        oursFirst = !oursFirst;
        if (!oursOk || !baselineOk) {
            state.SkipWithError(oursOk ? "the baseline failed" : "the measured path failed");
            return false;
        }
    }
    return true;
}

}  // namespace benchpairing
