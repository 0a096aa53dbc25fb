#include "callcost.h"
#include "defaulttariffs.h"

#include <gtest/gtest.h>

namespace {

constexpr double kUntouched = -123.0;
const OleDate kWednesday1000(2024, 5, 15, 10, 0, 0);

TariffRecord FlatTariff(double value, double answerCharge = 0.0, double coveredSeconds = 0.0, double pulseCost = 0.0)
{
    TariffRecord tariff;
    for (TariffDay& day : tariff.days)
        day.bands = {TariffBand{0.0, kSecondsPerDay, value, kGreenBand}};
    tariff.answerCharge = answerCharge;
    tariff.coveredSeconds = coveredSeconds;
    tariff.pulseCost = pulseCost;
    return tariff;
}

const TariffRecord& Urban()
{
    static const TariffRecord urban = [] {
        TariffTable table;
        TariffVariations variations;
        BuildDefaultTariffs(table, variations);
        return table.tariffs[kUrbanTariff];
    }();
    return urban;
}

struct CostCase {
    const char* what;
    OleDate start;
    qint64 seconds;
    double variation;
    double expected;
};

class UrbanCost : public testing::TestWithParam<CostCase> {};

TEST_P(UrbanCost, PricesTheWholeCallAtItsStartingBand)
{
    const CostCase& c = GetParam();
    double cost = kUntouched;
    ASSERT_EQ(ComputeCallCost(Urban(), c.variation, c.start, c.start.AddSeconds(c.seconds), cost), kCostDone);
    EXPECT_DOUBLE_EQ(cost, c.expected);
}

constexpr double kPeak = 0.0143 / 60.0;
constexpr double kOffPeak = 0.0082 / 60.0;
constexpr double kAnswer = 0.00787;

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, UrbanCost,
    testing::Values(
        CostCase{"minute on a Wednesday morning", kWednesday1000, 60, 0.0, 60 * kPeak + kAnswer},
        CostCase{"same call varied by +10 %", kWednesday1000, 60, 0.10, 60 * kPeak * 1.10 + kAnswer},
        CostCase{"18:29:59 counts as 18:29, peak for an hour", OleDate(2024, 5, 15, 18, 29, 59), 3600, 0.0,
                 3600 * kPeak + kAnswer},
        CostCase{"18:30:00 is off-peak", OleDate(2024, 5, 15, 18, 30, 0), 60, 0.0, 60 * kOffPeak + kAnswer},
        CostCase{"07:59:59 is still off-peak", OleDate(2024, 5, 15, 7, 59, 59), 60, 0.0, 60 * kOffPeak + kAnswer},
        CostCase{"Saturday 12:59:59 is peak", OleDate(2024, 5, 18, 12, 59, 59), 60, 0.0, 60 * kPeak + kAnswer},
        CostCase{"Saturday 13:00:00 is off-peak", OleDate(2024, 5, 18, 13, 0, 0), 60, 0.0, 60 * kOffPeak + kAnswer},
        CostCase{"Sunday noon is off-peak", OleDate(2024, 5, 19, 12, 0, 0), 60, 0.0, 60 * kOffPeak + kAnswer},
        CostCase{"past midnight keeps the starting price", OleDate(2024, 5, 15, 23, 59, 0), 7200, 0.0,
                 7200 * kOffPeak + kAnswer},
        CostCase{"no seconds costs the answer charge", kWednesday1000, 0, 0.0, kAnswer}));

TEST(ComputeCallCost, DurationIsRoundedToTheNearestSecond)
{
    // 60 seconds apart as doubles of days carry float noise either way; they are still 60 seconds.
    const double start = kWednesday1000.Value();
    for (const double noise : {-1e-10, 0.0, 1e-10}) {
        const OleDate end(start + 60.0 / 86400.0 + noise);
        const TariffRecord tariff = FlatTariff(1.0);
        double cost = kUntouched;
        ASSERT_EQ(ComputeCallCost(tariff, 0.0, OleDate(start), end, cost), kCostDone);
        EXPECT_DOUBLE_EQ(cost, 60.0) << noise;
    }
}

struct ChargeCase {
    const char* what;
    double pulseCost;
    double answerCharge;
    double coveredSeconds;
    qint64 seconds;
    double expected;
};

class AnswerChargeAndPulses : public testing::TestWithParam<ChargeCase> {};

TEST_P(AnswerChargeAndPulses, Cost)
{
    const ChargeCase& c = GetParam();
    // Time tariffs cost 0.01 a second; pulse tariffs have an interval of 60 seconds.
    const double bandValue = c.pulseCost != 0.0 ? 60.0 : 0.01;
    const TariffRecord tariff = FlatTariff(bandValue, c.answerCharge, c.coveredSeconds, c.pulseCost);
    double cost = kUntouched;
    ASSERT_EQ(ComputeCallCost(tariff, 0.0, kWednesday1000, kWednesday1000.AddSeconds(c.seconds), cost), kCostDone);
    EXPECT_DOUBLE_EQ(cost, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, AnswerChargeAndPulses,
    testing::Values(ChargeCase{"covered 20 s", 0.0, 0.1, 30, 20, 0.1},
                    ChargeCase{"covered exactly, time", 0.0, 0.1, 30, 30, 0.1},
                    ChargeCase{"covered exactly, pulse", 0.5, 0.1, 30, 30, 0.1 + 0.5},
                    ChargeCase{"beyond covered, time", 0.0, 0.1, 30, 40, 0.1 + 10 * 0.01},
                    ChargeCase{"covered without answer charge has no effect", 0.0, 0.0, 30, 40, 40 * 0.01},
                    ChargeCase{"59 s, one pulse", 0.5, 0.0, 0, 59, 1 * 0.5},
                    ChargeCase{"60 s, two pulses", 0.5, 0.0, 0, 60, 2 * 0.5},
                    ChargeCase{"119 s, two pulses", 0.5, 0.0, 0, 119, 2 * 0.5},
                    ChargeCase{"120 s, three pulses", 0.5, 0.0, 0, 120, 3 * 0.5},
                    ChargeCase{"0 s, one pulse", 0.5, 0.0, 0, 0, 1 * 0.5}));

TEST(ComputeCallCost, VariationLeavesPulsesAndAnswerChargeAlone)
{
    double cost = kUntouched;
    const TariffRecord pulse = FlatTariff(60.0, 0.2, 0.0, 0.5);
    ASSERT_EQ(ComputeCallCost(pulse, 0.5, kWednesday1000, kWednesday1000.AddSeconds(60), cost), kCostDone);
    EXPECT_DOUBLE_EQ(cost, 2 * 0.5 + 0.2);
}

struct FailureCase {
    const char* what;
    TariffRecord tariff;
    OleDate start;
    OleDate end;
    std::uint8_t result;
};

class CostFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CostFailure, ReportsAndWritesNoCost)
{
    const FailureCase& c = GetParam();
    double cost = kUntouched;
    EXPECT_EQ(ComputeCallCost(c.tariff, 0.0, c.start, c.end, cost), c.result);
    EXPECT_EQ(cost, kUntouched);
}

TariffRecord WithoutWednesdayBands()
{
    TariffRecord tariff = FlatTariff(0.01);
    tariff.days[2].bands.clear();
    return tariff;
}

TariffRecord WithGapAt1000()
{
    TariffRecord tariff = FlatTariff(0.01);
    tariff.days[2].bands = {TariffBand{0, 36000, 0.01, 0}, TariffBand{36060, kSecondsPerDay, 0.01, 0}};
    return tariff;
}

INSTANTIATE_TEST_SUITE_P(
    Results, CostFailure,
    testing::Values(
        FailureCase{"day without bands", WithoutWednesdayBands(), kWednesday1000, kWednesday1000.AddSeconds(60),
                    kCostNoBand},
        FailureCase{"start in a gap", WithGapAt1000(), kWednesday1000, kWednesday1000.AddSeconds(60), kCostNoBand},
        FailureCase{"invalid start", FlatTariff(0.01), OleDate::Invalid(), kWednesday1000, kCostNoDayIndex},
        FailureCase{"pulse interval 0", FlatTariff(0.0, 0.0, 0.0, 0.1), kWednesday1000,
                    kWednesday1000.AddSeconds(60), kCostNoPulseInterval},
        FailureCase{"pulse interval 0 within covered seconds", FlatTariff(0.0, 0.1, 30.0, 0.1), kWednesday1000,
                    kWednesday1000.AddSeconds(10), kCostNoPulseInterval},
        FailureCase{"end before start", FlatTariff(0.01), kWednesday1000, kWednesday1000.AddSeconds(-1),
                    kCostBadPeriod},
        FailureCase{"end before start with answer charge", FlatTariff(0.01, 0.1), kWednesday1000,
                    kWednesday1000.AddSeconds(-100), kCostBadPeriod},
        FailureCase{"invalid end", FlatTariff(0.01), kWednesday1000, OleDate::Invalid(), kCostBadPeriod}));

TEST(FindBandIndex, FirstBandHoldingTheSecondWins)
{
    TariffRecord tariff;
    tariff.days[0].bands = {TariffBand{100, 200, 1, 0}, TariffBand{150, 300, 2, 0}, TariffBand{400, 500, 3, 0}};
    EXPECT_EQ(FindBandIndex(tariff, 0, 100), 0);
    EXPECT_EQ(FindBandIndex(tariff, 0, 199.5), 0);
    EXPECT_EQ(FindBandIndex(tariff, 0, 200), 1);
    EXPECT_EQ(FindBandIndex(tariff, 0, 300), kNoBand);
    EXPECT_EQ(FindBandIndex(tariff, 0, 450), 2);
    EXPECT_EQ(FindBandIndex(tariff, 0, 50), kNoBand);
    EXPECT_EQ(FindBandIndex(tariff, 1, 150), kNoBand);
    EXPECT_EQ(FindBandIndex(tariff, 7, 150), kNoBand);
}

TEST(GetTariffDayIndex, MondayToSaturdayThenSunday)
{
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(GetTariffDayIndex(OleDate(2024, 5, 13 + day, 12, 0, 0)), day);
    EXPECT_EQ(GetTariffDayIndex(OleDate(2024, 12, 25)), 2);  // no holiday calendar: a Wednesday
    EXPECT_EQ(GetTariffDayIndex(OleDate::Invalid()), kNoDayIndex);
    EXPECT_FALSE(IsHoliday(1, 1));
}

}  // namespace
