#pragma once

#include "oledate.h"
#include "tariffrecord.h"

#include <cstdint>

// Results of pricing one call. The cost is written only with kCostDone.
constexpr std::uint8_t kCostDone = 0;
constexpr std::uint8_t kCostNoBand = 1;           // no band of the start's day holds the start time
constexpr std::uint8_t kCostNoDayIndex = 2;       // the start date is invalid
constexpr std::uint8_t kCostNoPulseInterval = 3;  // a pulse tariff whose band has no interval (0 or less)
constexpr std::uint8_t kCostBadPeriod = 4;        // the end is invalid or earlier than the start
constexpr std::uint8_t kCostNoTariff = 5;         // the tariff table lacks the slot the call needs

constexpr std::uint8_t kNoBand = 255;
constexpr std::uint8_t kNoDayIndex = 255;
constexpr std::uint8_t kHolidayIndex = 6;  // Sundays and holidays

// The cost of a call from `start` to `end` with `tariff` and that slot's `variation`: the whole call is
// priced at the band and day in which it starts (seconds of the start time not counted), the answer
// charge covers its seconds, a pulse tariff counts floor(seconds / interval) + 1 pulses. The duration is
// taken in whole seconds, rounded to the nearest second.
std::uint8_t ComputeCallCost(const TariffRecord& tariff, double variation, const OleDate& start, const OleDate& end,
                             double& cost);

// The first band (in band order) of `day` with start <= second < end; kNoBand when none.
std::uint8_t FindBandIndex(const TariffRecord& tariff, std::uint8_t day, double secondOfDay);

// 0 Monday ... 5 Saturday, 6 Sunday or holiday; kNoDayIndex for an invalid date.
std::uint8_t GetTariffDayIndex(const OleDate& date);

// No date is a holiday yet: a holiday calendar would answer here and give those dates day index 6.
bool IsHoliday(int month, int day);
