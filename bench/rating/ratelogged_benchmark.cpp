// Calls rated per second by RateLoggedCall with the default rules and tariffs, over numbers of every
// kind the default rules know (and some they do not) at times spread over a week: with the rules
// compiled once (CompiledRules), beside the plain walk of the rule and group tables.

#include "callrating.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "rulematcher.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kCallCount = 4096;

// A small fixed generator, so that every run rates the same calls.
class Sequence {
public:
    std::uint32_t Next(std::uint32_t bound)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33) % bound;
    }

private:
    std::uint64_t m_state = 0x2545F4914F6CDD1DULL;
};

struct Fixture {
    PrefixGroupTable groups;
    RuleTable rules;
    TariffTable tariffs;
    TariffVariations variations;
    std::vector<LoggedCall> calls;
    CompiledRules compiled;

    Fixture()
    {
        BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), groups);
        BuildDefaultRules(rules, groups);
        BuildDefaultTariffs(tariffs, variations);
        compiled = CompiledRules(rules, groups);

        // Prefixes of every default group, mobile numbers and numbers no rule knows.
        QStringList prefixes;
        for (const PrefixGroup& group : groups.groups)
            for (const PrefixEntry& entry : group.entries)
                prefixes << entry.number;
        prefixes << QStringLiteral("3") << QStringLiteral("33") << QStringLiteral("5") << QStringLiteral("9");

        Sequence sequence;
        const OleDate monday(2024, 5, 13);
        calls.reserve(kCallCount);
        for (int i = 0; i < kCallCount; ++i) {
            LoggedCall call;
            call.dialledNumber = prefixes[sequence.Next(static_cast<std::uint32_t>(prefixes.size()))];
            while (call.dialledNumber.size() < 10)
                call.dialledNumber += QChar(u'0' + sequence.Next(10));
            call.start = monday.AddSeconds(sequence.Next(7 * 86400));
            call.pulses = sequence.Next(1200);
            call.duration = OleDate::FromSeconds(static_cast<qint64>(call.pulses));
            calls.push_back(call);
        }
    }
};

const Fixture& SharedFixture()
{
    static const Fixture fixture;
    return fixture;
}

template <typename Rate>
void RateCalls(benchmark::State& state, std::uint8_t extensionBitmap1, const Rate& rate)
{
    const Fixture& f = SharedFixture();
    QByteArray systemConfiguration(26, '\0');
    systemConfiguration[kExtensionBitmap1Byte] = static_cast<char>(extensionBitmap1);
    std::size_t next = 0;
    for (auto _ : state) {
        const CallRating rating = rate(f, f.calls[next], systemConfiguration);
        benchmark::DoNotOptimize(rating);
        next = next + 1 == f.calls.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

CallRating PlainWalk(const Fixture& f, const LoggedCall& call, const QByteArray& configuration)
{
    return RateLoggedCall(call, configuration, f.rules, f.groups, f.tariffs, f.variations);
}

CallRating Compiled(const Fixture& f, const LoggedCall& call, const QByteArray& configuration)
{
    return RateLoggedCall(call, configuration, f.compiled, f.tariffs, f.variations);
}

// A PBX that logs durations: rules, prefix groups and the time tariff for every call.
void BM_RateLoggedCall_TimedPbx(benchmark::State& state) { RateCalls(state, kLogsDurationsBit, Compiled); }
BENCHMARK(BM_RateLoggedCall_TimedPbx);
void BM_RateLoggedCall_TimedPbx_PlainWalk(benchmark::State& state) { RateCalls(state, kLogsDurationsBit, PlainWalk); }
BENCHMARK(BM_RateLoggedCall_TimedPbx_PlainWalk);

// The rule search alone, compiled and plain.
void BM_FindRuleTariff(benchmark::State& state)
{
    const Fixture& f = SharedFixture();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.compiled.FindRuleTariff(f.calls[next].dialledNumber));
        next = next + 1 == f.calls.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindRuleTariff);
void BM_FindRuleTariff_PlainWalk(benchmark::State& state)
{
    const Fixture& f = SharedFixture();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindRuleTariff(f.calls[next].dialledNumber, f.rules, f.groups));
        next = next + 1 == f.calls.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindRuleTariff_PlainWalk);

// A PBX that counts pulses: slot 0 only, for comparison.
void BM_RateLoggedCall_PulsePbx(benchmark::State& state) { RateCalls(state, 0, Compiled); }
BENCHMARK(BM_RateLoggedCall_PulsePbx);

}  // namespace

BENCHMARK_MAIN();
