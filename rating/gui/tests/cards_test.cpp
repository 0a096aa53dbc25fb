#include "cardimagelist.h"
#include "cardpainter.h"
#include "rulecard.h"
#include "tariffcard.h"
#include "widgettesting.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kYellow = 0x00FFFF;  // COLORREF

TariffBand Band(int fromHour, int toHour, double value, std::uint32_t colour = kYellow)
{
    return {fromHour * 3600.0, toHour * 3600.0, value, colour};
}

CardImageList TariffList()
{
    CardImageList list;
    list.Create(kTariffCardSize, kTariffCardSlots, PlainCardBackground(kTariffCardSize));
    return list;
}

CardImageList RuleList()
{
    CardImageList list;
    list.Create(kRuleCardSize, kRuleCardSlots, PlainCardBackground(kRuleCardSize));
    return list;
}

struct RowMetrics {
    int lineHeight;
    int firstRowTop;
};

RowMetrics TariffRows()
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    CardPainter painter(scratch);
    const int h = painter.LineHeight();
    return {h, h - painter.InternalLeading() + 5 + 3 * h};
}

TEST(TariffCard, BandsSpanTheirHoursOnA264PixelDay)
{
    TariffRecord tariff;
    tariff.name = QStringLiteral("Urbane");
    tariff.days[0].bands = {Band(8, 20, 0.001)};
    tariff.days[1].bands = {Band(0, 20, 0.001, 0x00FF00), Band(20, 24, 0.002, 0x0000FF)};
    CardImageList list = TariffList();
    DrawTariffCard(list, 3, tariff, 0.0);
    const QImage card = list.Image(3);
    ASSERT_EQ(card.size(), kTariffCardSize);
    SaveScreenshot(card.scaled(card.size() * 2), QStringLiteral("rating_tariff_card"));

    const RowMetrics rows = TariffRows();
    const int monday = rows.firstRowTop - 1;  // first fill row of the band, above the price text
    const QRgb yellow = qRgb(0xFF, 0xFF, 0);
    EXPECT_EQ(TariffCardX(8 * 3600), 114);
    EXPECT_EQ(TariffCardX(20 * 3600), 246);
    EXPECT_EQ(TariffCardX(24 * 3600), 290);
    EXPECT_EQ(card.pixel(113, monday), qRgb(255, 255, 255));
    EXPECT_EQ(card.pixel(114, monday), qRgb(0, 0, 0));
    EXPECT_EQ(card.pixel(115, monday), yellow);
    EXPECT_EQ(card.pixel(244, monday), yellow);
    EXPECT_EQ(card.pixel(245, monday), qRgb(0, 0, 0));
    EXPECT_EQ(card.pixel(246, monday), qRgb(255, 255, 255));

    const int tuesday = monday + rows.lineHeight + 4;
    EXPECT_EQ(card.pixel(288, tuesday), qRgb(255, 0, 0));
    EXPECT_EQ(card.pixel(289, tuesday), qRgb(0, 0, 0));
    EXPECT_EQ(card.pixel(290, tuesday), qRgb(255, 255, 255));

    // Saturday has no band: only its name at the left, nothing across the row.
    const int saturday = monday + 5 * (rows.lineHeight + 4);
    for (int x = 26; x < kTariffCardSize.width(); ++x)
        ASSERT_EQ(card.pixel(x, saturday + rows.lineHeight / 2), qRgb(255, 255, 255)) << x;
}

TEST(TariffCard, PricesAreFiveMinuteEstimatesPerMinuteOnTheReferenceDates)
{
    TariffRecord tariff;
    tariff.days[0].bands = {Band(0, 24, 0.001)};
    tariff.days[6].bands = {Band(0, 12, 0.002), Band(12, 24, 0.004)};
    tariff.pulseCost = 0.0;
    struct Case {
        int index;
        double variation;
        int day;
        TariffBand band;
        const char* expected;
    } const cases[] = {
        {3, 0.0, 0, tariff.days[0].bands[0], "6.00"},     // 300 s x 0.1 cent, per minute
        {3, 0.10, 0, tariff.days[0].bands[0], "6.60"},    // the slot's variation counts
        {3, 0.0, 6, tariff.days[6].bands[1], "24.00"},    // Sunday 8 April 2007 at 12:00
        {3, 0.0, 5, Band(23, 24, 0.001), "0.00"},          // no Saturday band: no cost
    };
    for (const Case& c : cases)
        EXPECT_EQ(TariffCardPrice(c.index, tariff, c.variation, c.day, c.band), QLatin1StringView(c.expected))
            << c.index << " day " << c.day;

    TariffRecord pulses;
    pulses.pulseCost = 0.12;
    EXPECT_EQ(TariffCardPrice(0, pulses, 0.0, 0, Band(0, 24, 60)), QStringLiteral("12.00€cent/scatto"));
}

TEST(TariffCard, LateBandCarriesTheCallIntoTheNextDay)
{
    TariffRecord tariff;
    TariffBand lastMinutes{23 * 3600 + 57 * 60, 86400, 0.001, kYellow};
    tariff.days[6].bands = {lastMinutes};
    // Sunday 23:57 to Monday 00:02: priced whole at the start's band.
    EXPECT_EQ(TariffCardPrice(2, tariff, 0.0, 6, lastMinutes), QStringLiteral("6.00"));
}

int GreyRows(const QImage& card)
{
    int grey = 0;
    for (int row = 0; row < 6; ++row)
        grey += card.pixel(240, 21 + 16 * row + 8) == qRgb(0xC0, 0xC0, 0xC0) ? 1 : 0;
    return grey;
}

TEST(RuleCard, UnusedExpressionRowsAreGrey)
{
    PrefixGroupTable groups;
    groups.groups.resize(3);
    groups.groups[2].name = QStringLiteral("Cellulari");
    TariffTable tariffs;
    tariffs.tariffs.resize(2);
    tariffs.tariffs[1].name = QStringLiteral("Tariffa generica");

    RatingRule one;
    one.name = QStringLiteral("Urbane");
    one.expressions = {{kBeginsWith, QStringLiteral("06")}};
    one.tariffSlot = 1;
    RatingRule six;
    six.name = QStringLiteral("Tutte");
    six.combination = kAnyExpression;
    for (int i = 0; i < 6; ++i)
        six.expressions.push_back({static_cast<std::uint8_t>(i % 4), QStringLiteral("2")});
    six.tariffSlot = 40;  // beyond the tariffs: the number is shown

    CardImageList list = RuleList();
    DrawRuleCard(list, 0, one, groups, tariffs);
    DrawRuleCard(list, 63, six, groups, tariffs);
    DrawRuleCard(list, 64, six, groups, tariffs);  // outside the list: nothing
    SaveScreenshot(list.Image(0).scaled(kRuleCardSize * 2), QStringLiteral("rating_rule_card_one"));
    SaveScreenshot(list.Image(63).scaled(kRuleCardSize * 2), QStringLiteral("rating_rule_card_six"));

    EXPECT_EQ(GreyRows(list.Image(0)), 5);
    EXPECT_EQ(GreyRows(list.Image(63)), 0);
    EXPECT_EQ(list.Count(), 64);
    // Header and rows are outlined in black from the top of the header to the bottom of the last row.
    EXPECT_EQ(list.Image(0).pixel(0, 5), qRgb(0, 0, 0));
    EXPECT_EQ(list.Image(0).pixel(249, 132), qRgb(0, 0, 0));
    EXPECT_EQ(list.Image(0).pixel(125, 4), qRgb(255, 255, 255));
}

TEST(CardImageList, RefusesSlotsAndSizesOutsideTheList)
{
    CardImageList list = RuleList();
    EXPECT_FALSE(list.Replace(-1, PlainCardBackground(kRuleCardSize)));
    EXPECT_FALSE(list.Replace(64, PlainCardBackground(kRuleCardSize)));
    EXPECT_FALSE(list.Replace(0, PlainCardBackground(kTariffCardSize)));
    EXPECT_TRUE(list.Image(64).isNull());
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
