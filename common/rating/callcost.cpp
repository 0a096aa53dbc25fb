#include "callcost.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kSunday = 1;    // OleDate::DayOfWeek numbering
constexpr int kMonday = 2;
constexpr int kSaturday = 7;
}  // namespace

std::uint8_t ComputeCallCost(const TariffRecord& tariff, double variation, const OleDate& start, const OleDate& end,
                             double& cost)
{
    const double startSecond = start.Hour() * 3600.0 + start.Minute() * 60.0;
    const std::uint8_t day = GetTariffDayIndex(start);
    if (day == kNoDayIndex)
        return kCostNoDayIndex;
    const std::uint8_t band = FindBandIndex(tariff, day, startSecond);
    if (band == kNoBand)
        return kCostNoBand;
    const double bandValue = tariff.days[day].bands[band].value;
    if (tariff.IsPulseTariff() && !(bandValue > 0.0))
        return kCostNoPulseInterval;
    if (!end.IsValid() || end < start)
        return kCostBadPeriod;

    double seconds = static_cast<double>(SecondsBetween(start, end));
    double accumulated = 0.0;
    if (tariff.answerCharge != 0.0) {
        seconds -= tariff.coveredSeconds;
        accumulated = tariff.answerCharge;
        if (seconds < 0.0) {
            cost = accumulated;
            return kCostDone;
        }
    }
    if (tariff.IsPulseTariff()) {
        const double pulses = std::floor(seconds / bandValue) + 1.0;
        cost = pulses * tariff.pulseCost + accumulated;
    } else {
        cost = seconds * bandValue * (1.0 + variation) + accumulated;
    }
    return kCostDone;
}

std::uint8_t FindBandIndex(const TariffRecord& tariff, std::uint8_t day, double secondOfDay)
{
    if (day >= TariffRecord::kDayCount)
        return kNoBand;
    const std::vector<TariffBand>& bands = tariff.days[day].bands;
    const int count = std::min<int>(static_cast<int>(bands.size()), TariffDay::kMaxBands);
    for (int band = 0; band < count; ++band)
        if (bands[band].start <= secondOfDay && secondOfDay < bands[band].end)
            return static_cast<std::uint8_t>(band);
    return kNoBand;
}

std::uint8_t GetTariffDayIndex(const OleDate& date)
{
    if (!date.IsValid())
        return kNoDayIndex;
    if (IsHoliday(date.Month(), date.Day()))
        return kHolidayIndex;
    const int dayOfWeek = date.DayOfWeek();
    if (dayOfWeek >= kMonday && dayOfWeek <= kSaturday)
        return static_cast<std::uint8_t>(dayOfWeek - kMonday);
    if (dayOfWeek == kSunday)
        return kHolidayIndex;
    return kNoDayIndex;
}

bool IsHoliday(int /*month*/, int /*day*/) { return false; }
