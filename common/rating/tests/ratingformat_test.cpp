#include "ratingformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct DurationCase {
    double seconds;
    const char* text;
};

class FormatDurationCases : public testing::TestWithParam<DurationCase> {};

TEST_P(FormatDurationCases, HoursMinutesSeconds)
{
    EXPECT_EQ(FormatDuration(GetParam().seconds), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, FormatDurationCases,
                         testing::Values(DurationCase{0, "0:00:00"}, DurationCase{59.999, "0:00:59"},
                                         DurationCase{3725.9, "1:02:05"}, DurationCase{86399, "23:59:59"},
                                         DurationCase{90000, "25:00:00"}, DurationCase{-5, "0:00:00"},
                                         DurationCase{std::nan(""), "0:00:00"}));

TEST(RoundToNearest, HalvesGoUp)
{
    EXPECT_EQ(RoundToNearest(2.5), 3);
    EXPECT_EQ(RoundToNearest(-2.5), -2);
    EXPECT_EQ(RoundToNearest(2.4999), 2);
    EXPECT_EQ(RoundToNearest(-2.5001), -3);
    EXPECT_EQ(RoundToNearest(0.0), 0);
    EXPECT_EQ(RoundToNearest(1e30), std::numeric_limits<qint64>::max());
    EXPECT_EQ(RoundToNearest(-1e30), std::numeric_limits<qint64>::min());
    EXPECT_EQ(RoundToNearest(std::nan("")), 0);
}

}  // namespace
