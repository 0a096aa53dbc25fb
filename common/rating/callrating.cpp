#include "callrating.h"

#include "callcost.h"
#include "rulematcher.h"

#include <algorithm>
#include <cmath>

bool PbxLogsDurations(QByteArrayView systemConfiguration)
{
    return systemConfiguration.size() > kExtensionBitmap1Byte &&
           (static_cast<std::uint8_t>(systemConfiguration[kExtensionBitmap1Byte]) & kLogsDurationsBit) != 0;
}

namespace {

// Longest duration a call can have: far beyond any real call, short enough for whole-second arithmetic.
constexpr double kMaxLoggedSeconds = 366.0 * 86400.0;

// The tariff slot of the rule found (-1 for none): the generic tariff when none was found or the rule
// names a slot outside the table.
std::int16_t TariffSlotFor(std::int16_t slot, const TariffTable& tariffs)
{
    const int slotCount = std::min(tariffs.Count(), TariffTable::kMaxTariffs);
    return slot >= 0 && slot < slotCount ? slot : static_cast<std::int16_t>(TariffTable::kGenericTariff);
}

// RateLoggedCall with the rule search given (it runs only for a PBX that logs durations).
template <typename FindRuleTariff>
CallRating Rate(const LoggedCall& call, QByteArrayView systemConfiguration, const FindRuleTariff& findRuleTariff,
                const TariffTable& tariffs, const TariffVariations& variations)
{
    CallRating rating;
    if (!PbxLogsDurations(systemConfiguration)) {
        rating.tariffSlot = TariffTable::kPulseTariff;
        // Durata is a time of day; only that part is the duration.
        const OleDate& d = call.duration;
        rating.durationSeconds = d.IsValid() ? d.Hour() * 3600 + d.Minute() * 60 + d.Second() : 0;
        if (call.pulses == 0.0)
            return rating;
        if (tariffs.Count() <= TariffTable::kPulseTariff) {
            rating.result = kCostNoTariff;
        } else if (!(call.pulses > 0.0) || !std::isfinite(call.pulses)) {
            rating.result = kCostBadPeriod;
        } else {
            const TariffRecord& pulse = tariffs.tariffs[TariffTable::kPulseTariff];
            rating.cost = call.pulses * pulse.pulseCost + pulse.answerCharge;
        }
        return rating;
    }

    rating.tariffSlot = TariffSlotFor(findRuleTariff(call.dialledNumber), tariffs);
    if (call.pulses == 0.0)
        return rating;
    if (!(call.pulses > 0.0) || !(call.pulses <= kMaxLoggedSeconds)) {
        rating.result = kCostBadPeriod;
        return rating;
    }
    if (rating.tariffSlot >= tariffs.Count()) {
        rating.result = kCostNoTariff;
        return rating;
    }
    rating.durationSeconds = static_cast<qint64>(std::floor(call.pulses));
    const OleDate end = call.start.AddSeconds(rating.durationSeconds);
    double cost = 0.0;
    rating.result = ComputeCallCost(tariffs.tariffs[rating.tariffSlot], variations.values[rating.tariffSlot],
                                    call.start, end, cost);
    if (rating.result == kCostDone)
        rating.cost = cost;
    return rating;
}

}  // namespace

CallRating RateLoggedCall(const LoggedCall& call, QByteArrayView systemConfiguration, const RuleTable& rules,
                          const PrefixGroupTable& groups, const TariffTable& tariffs,
                          const TariffVariations& variations)
{
    return Rate(
        call, systemConfiguration, [&](QStringView number) { return FindRuleTariff(number, rules, groups); },
        tariffs, variations);
}

CallRating RateLoggedCall(const LoggedCall& call, QByteArrayView systemConfiguration, const CompiledRules& rules,
                          const TariffTable& tariffs, const TariffVariations& variations)
{
    return Rate(
        call, systemConfiguration, [&](QStringView number) { return rules.FindRuleTariff(number); }, tariffs,
        variations);
}
