// Calls rated per second by RateLoggedCall with the default rules and tariffs, over numbers of every
// kind the default rules know (and some they do not) at times spread over a week.

#include "callrating.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"

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

    Fixture()
    {
        BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), groups);
        BuildDefaultRules(rules, groups);
        BuildDefaultTariffs(tariffs, variations);

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

void RateCalls(benchmark::State& state, std::uint8_t extensionBitmap1)
{
    const Fixture& f = SharedFixture();
    QByteArray systemConfiguration(26, '\0');
    systemConfiguration[kExtensionBitmap1Byte] = static_cast<char>(extensionBitmap1);
    std::size_t next = 0;
    for (auto _ : state) {
        const CallRating rating =
            RateLoggedCall(f.calls[next], systemConfiguration, f.rules, f.groups, f.tariffs, f.variations);
        benchmark::DoNotOptimize(rating);
        next = next + 1 == f.calls.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

// A PBX that logs durations: rules, prefix groups and the time tariff for every call.
void BM_RateLoggedCall_TimedPbx(benchmark::State& state) { RateCalls(state, kLogsDurationsBit); }
BENCHMARK(BM_RateLoggedCall_TimedPbx);

// A PBX that counts pulses: slot 0 only, for comparison.
void BM_RateLoggedCall_PulsePbx(benchmark::State& state) { RateCalls(state, 0); }
BENCHMARK(BM_RateLoggedCall_PulsePbx);

}  // namespace

BENCHMARK_MAIN();
