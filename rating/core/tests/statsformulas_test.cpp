#include "statsformulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(StatsFormulasTest, MeanAndSampleDeviation)
{
    const struct {
        double sum;
        double squares;
        long long n;
        double mean;
        double deviation;
    } cases[] = {
        {0, 0, 0, 0, 0},
        {7, 49, 1, 7, 0},                  // one value: no deviation
        {6, 20, 2, 3, std::sqrt(2.0)},      // 2 and 4
        {3, 3, 3, 1, 0},                   // equal values
        {1, 0, 2, 0.5, 0},                 // a negative spread from inconsistent sums gives 0
        {200000.0, 20000000000.0, 2, 100000.0, 0},  // counts past 16 bits are not the issue here
    };
    for (const auto& c : cases) {
        double mean = -1;
        double deviation = -1;
        ComputeMeanAndDeviation(c.sum, c.squares, c.n, mean, deviation);
        EXPECT_DOUBLE_EQ(mean, c.mean) << c.sum << "/" << c.n;
        EXPECT_NEAR(deviation, c.deviation, 1e-9) << c.sum << "/" << c.n;
    }
    double mean = 0;
    double deviation = 0;
    ComputeMeanAndDeviation(70000.0 * 2, 70000.0 * 4, 70000, mean, deviation);  // no 16-bit count wraps
    EXPECT_DOUBLE_EQ(mean, 2.0);
}

TEST(StatsFormulasTest, SharesAndGrandTotalsInRowZero)
{
    std::vector<CostStatsRow> rows(3);
    rows[0].totalCost = 1.0;
    rows[1].totalCost = 3.0;
    rows[1].totalDuration = 10.0;
    ComputeStatShares(rows);
    EXPECT_DOUBLE_EQ(rows[0].costShare, 0.25);
    EXPECT_DOUBLE_EQ(rows[1].costShare, 0.75);
    EXPECT_EQ(rows[0].durationShare, 0.0);
    EXPECT_EQ(rows[1].durationShare, 1.0);
    EXPECT_EQ(rows[0].grandTotalCost, 4.0);
    EXPECT_EQ(rows[0].grandTotalDuration, 10.0);
    EXPECT_EQ(rows[1].grandTotalCost, 0.0);

    std::vector<CostStatsRow> empty(2);
    ComputeStatShares(empty);
    EXPECT_EQ(empty[0].costShare, 0.0);  // left 0 when the sum is 0
}

TEST(StatsFormulasTest, SecondsOfDay)
{
    EXPECT_EQ(SecondsOfDay(OleDate(1899, 12, 30, 1, 2, 5)), 3725.0);
    EXPECT_EQ(SecondsOfDay(OleDate(2000, 1, 1, 23, 59, 59)), 86399.0);  // the engine's durations on 2000
    EXPECT_EQ(SecondsOfDay(OleDate::Invalid()), 0.0);
}

}  // namespace
