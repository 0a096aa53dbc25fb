// The season periods as the settings dialog types them: bounds of the leap year and periods that follow
// each other within a season.
#include "seasonperiods.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

// The twenty texts with the low season's first periods set and the rest "0000".
SeasonBoundTexts Low(std::initializer_list<const char*> bounds)
{
    SeasonBoundTexts texts;
    texts.fill(QStringLiteral("0000"));
    std::size_t i = 0;
    for (const char* bound : bounds)
        texts[i++] = QLatin1String(bound);
    return texts;
}

TEST(SeasonPeriods, BoundsAreDaysOfTheLeapYearInFourCharacters)
{
    const struct {
        const char* text;
        std::optional<quint16> value;
    } cases[] = {
        {"2902", SeasonTable::Day(2, 29)}, {"0000", quint16(0)}, {"3112", SeasonTable::Day(12, 31)},
        {"3002", std::nullopt},            {"0013", std::nullopt}, {"123", std::nullopt},
        {"12345", std::nullopt},           {"3102", std::nullopt}, {"0003", std::nullopt},
        {"ab03", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePeriodBound(QLatin1String(c.text)), c.value) << c.text;
    EXPECT_EQ(PeriodBoundText(SeasonTable::Day(3, 5)), QStringLiteral("0503"));
    EXPECT_EQ(PeriodBoundText(0), QStringLiteral("0000"));
}

TEST(SeasonPeriods, PeriodsFollowEachOtherFromTheFirst)
{
    const struct {
        const char* what;
        SeasonBoundTexts texts;
        bool accepted;
    } cases[] = {
        {"December before January", Low({"0112", "3112", "0101", "3101"}), false},
        {"January before December", Low({"0101", "3101", "0112", "3112"}), true},
        {"a start without its end", Low({"1503", "0000"}), false},
        {"one day", Low({"1503", "1503"}), true},
        {"an end before its start", Low({"1503", "1403"}), false},
        {"a period after one not in use", Low({"0101", "3101", "0000", "0000", "0103", "3103"}), false},
        {"a start on the previous end", Low({"0101", "3101", "3101", "2902"}), true},
        {"a bound that is no day", Low({"0101", "3002"}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSeasonTexts(c.texts).has_value(), c.accepted) << c.what;

    // The high season is checked as well, and the values land in their places.
    SeasonBoundTexts texts = Low({"0101", "3101"});
    texts[10] = QStringLiteral("0107");
    texts[11] = QStringLiteral("3108");
    const std::optional<SeasonTable> seasons = ParseSeasonTexts(texts);
    ASSERT_TRUE(seasons);
    EXPECT_EQ(seasons->low[0], (SeasonRange{SeasonTable::Day(1, 1), SeasonTable::Day(1, 31)}));
    EXPECT_EQ(seasons->high[0], (SeasonRange{SeasonTable::Day(7, 1), SeasonTable::Day(8, 31)}));
    EXPECT_EQ(SeasonTexts(*seasons), texts);
    texts[13] = QStringLiteral("0109");  // an end without its start
    EXPECT_FALSE(ParseSeasonTexts(texts));
}

}  // namespace
}  // namespace lodgix
