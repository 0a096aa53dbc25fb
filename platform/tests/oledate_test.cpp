#include "oledate.h"

#include <gtest/gtest.h>

namespace {

struct KnownDate {
    double value;
    int year, month, day, hour, minute, second;
};

class OleDateKnownValues : public testing::TestWithParam<KnownDate> {};

TEST_P(OleDateKnownValues, PartsAndValueAgree)
{
    const KnownDate& known = GetParam();
    const OleDate fromValue(known.value);
    ASSERT_TRUE(fromValue.IsValid());
    EXPECT_EQ(fromValue.Year(), known.year);
    EXPECT_EQ(fromValue.Month(), known.month);
    EXPECT_EQ(fromValue.Day(), known.day);
    EXPECT_EQ(fromValue.Hour(), known.hour);
    EXPECT_EQ(fromValue.Minute(), known.minute);
    EXPECT_EQ(fromValue.Second(), known.second);

    const OleDate fromParts(known.year, known.month, known.day, known.hour, known.minute, known.second);
    ASSERT_TRUE(fromParts.IsValid());
    EXPECT_NEAR(fromParts.Value(), known.value, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Calendar, OleDateKnownValues,
                         testing::Values(KnownDate{0.0, 1899, 12, 30, 0, 0, 0},
                                         KnownDate{1.0, 1899, 12, 31, 0, 0, 0},
                                         KnownDate{2.0, 1900, 1, 1, 0, 0, 0},
                                         KnownDate{60.0, 1900, 2, 28, 0, 0, 0},
                                         KnownDate{61.0, 1900, 3, 1, 0, 0, 0},
                                         KnownDate{36526.0, 2000, 1, 1, 0, 0, 0},
                                         KnownDate{36585.0, 2000, 2, 29, 0, 0, 0},
                                         KnownDate{36526.5, 2000, 1, 1, 12, 0, 0},
                                         KnownDate{45291.75, 2023, 12, 31, 18, 0, 0},
                                         KnownDate{-1.25, 1899, 12, 29, 6, 0, 0},
                                         KnownDate{-1.0, 1899, 12, 29, 0, 0, 0}));

TEST(OleDate, ImpossiblePartsMakeAnInvalidDate)
{
    EXPECT_FALSE(OleDate(2023, 2, 29).IsValid());
    EXPECT_FALSE(OleDate(2023, 13, 1).IsValid());
    EXPECT_FALSE(OleDate(2023, 0, 1).IsValid());
    EXPECT_FALSE(OleDate(2023, 4, 31).IsValid());
    EXPECT_FALSE(OleDate(2023, 1, 1, 24, 0, 0).IsValid());
    EXPECT_FALSE(OleDate(2023, 1, 1, 0, 60, 0).IsValid());
    EXPECT_FALSE(OleDate(2023, 1, 1, 0, 0, 60).IsValid());
    EXPECT_TRUE(OleDate(2024, 2, 29, 23, 59, 59).IsValid());
    EXPECT_FALSE(OleDate(1e9).IsValid());
    EXPECT_FALSE(OleDate(std::nan("")).IsValid());
}

TEST(OleDate, InvalidDateHasNoParts)
{
    const OleDate invalid = OleDate::Invalid();
    EXPECT_FALSE(invalid.ToDateTime().isValid());
    EXPECT_FALSE(invalid.AddSeconds(10).IsValid());
}

TEST(OleDate, DurationsRoundToTheNearestSecond)
{
    // 10:00:00 and 10:01:00 written as doubles do not differ by exactly 60/86400.
    const OleDate start(2023, 5, 17, 10, 0, 0);
    const OleDate end(start.Value() + 60.0 / 86400.0 - 1e-9);
    EXPECT_EQ(SecondsBetween(start, end), 60);
    EXPECT_EQ(SecondsBetween(end, start), -60);

    // A time a hair before midnight is midnight of the next day.
    const OleDate almostMidnight(36526.0 - 1e-9);
    EXPECT_EQ(almostMidnight.Day(), 1);
    EXPECT_EQ(almostMidnight.Hour(), 0);
}

TEST(OleDate, DurationsAcrossTheEpochUseTheStraightTimeLine)
{
    // -1.25 (29/12 06:00) to 0.25 (30/12 06:00) is one day, though the doubles differ by 1.5.
    EXPECT_EQ(SecondsBetween(OleDate(-1.25), OleDate(0.25)), 86400);
    EXPECT_EQ(OleDate(-1.25).AddDays(1.0).Value(), 0.25);
}

TEST(OleDate, ArithmeticCrossesMonthsAndLeapDays)
{
    const OleDate lastFebruaryDay(2024, 2, 29, 23, 30, 0);
    const OleDate later = lastFebruaryDay.AddSeconds(3600);
    EXPECT_EQ(later.Month(), 3);
    EXPECT_EQ(later.Day(), 1);
    EXPECT_EQ(later.Hour(), 0);
    EXPECT_EQ(later.Minute(), 30);
    EXPECT_EQ(OleDate(2000, 1, 1).AddDays(-1).Day(), 31);
    EXPECT_EQ(OleDate::FromSeconds(OleDate(2023, 8, 9, 7, 8, 9).ToSeconds()), OleDate(2023, 8, 9, 7, 8, 9));
}

TEST(OleDate, DayOfWeekCountsFromSunday)
{
    EXPECT_EQ(OleDate(2023, 12, 31).DayOfWeek(), 1);  // a Sunday
    EXPECT_EQ(OleDate(2024, 1, 1).DayOfWeek(), 2);
    EXPECT_EQ(OleDate(2024, 1, 6).DayOfWeek(), 7);
    EXPECT_EQ(OleDate(2024, 12, 31).DayOfYear(), 366);
}

TEST(OleDate, ConvertsToAndFromLocalDateTime)
{
    const QDateTime local(QDate(2022, 7, 14), QTime(21, 5, 33));
    const OleDate date = OleDate::FromDateTime(local);
    EXPECT_EQ(date, OleDate(2022, 7, 14, 21, 5, 33));
    EXPECT_EQ(date.ToDateTime(), local);
    EXPECT_FALSE(OleDate::FromDateTime(QDateTime()).IsValid());
}

TEST(OleDate, ComparesBySecond)
{
    EXPECT_LT(OleDate(2023, 1, 1), OleDate(2023, 1, 1, 0, 0, 1));
    EXPECT_EQ(OleDate(36526.0), OleDate(36526.0 + 1e-7));
}

}  // namespace
