#include "money.h"
#include "vatrate.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

struct TextCase {
    const char* text;
    bool accepted;
    qint64 hundredths;
};

// A third decimal rounds half away from zero; anything but a plain decimal number is refused.
constexpr TextCase kTexts[] = {
    {"0", true, 0},           {"12.3", true, 1230},      {"12.30", true, 1230},     {" 7.5 ", true, 750},
    {"1.005", true, 101},     {"1.004", true, 100},      {"1.0049", true, 100},     {"-1.005", true, -101},
    {"-0.004", true, 0},      {"+2.50", true, 250},      {".5", true, 50},          {"3.", true, 300},
    {"12.340000", true, 1234}, {"9999999999.99", true, 999999999999}, {"9999999999.995", false, 0},
    {"10000000000", false, 0}, {"", false, 0},           {"-", false, 0},           {".", false, 0},
    {"1,50", false, 0},       {"1e3", false, 0},         {"12.3.4", false, 0},      {"abc", false, 0},
    {"0000000000001.00", true, 100},
};

TEST(MoneyTest, TextsAreReadAsHundredths)
{
    for (const TextCase& c : kTexts) {
        Money money = Money::FromCents(-77);
        EXPECT_EQ(Money::FromText(QString::fromLatin1(c.text), money), c.accepted) << c.text;
        EXPECT_EQ(money.Cents(), c.accepted ? c.hundredths : -77) << c.text;
        VatRate rate = VatRate::FromHundredths(-77);
        EXPECT_EQ(VatRate::FromText(QString::fromLatin1(c.text), rate), c.accepted) << c.text;
        EXPECT_EQ(rate.Hundredths(), c.accepted ? c.hundredths : -77) << c.text;
    }
}

TEST(MoneyTest, TextHasTwoDecimalsAndReadsBackTheSame)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0.00"}, {5, "0.05"}, {-5, "-0.05"}, {1230, "12.30"}, {-123456, "-1234.56"}, {999999999999, "9999999999.99"},
    };
    for (const auto& [cents, text] : cases) {
        EXPECT_EQ(Money::FromCents(cents).Text(), QString::fromLatin1(text));
        EXPECT_EQ(VatRate::FromHundredths(cents).Text(), QString::fromLatin1(text));
        Money back;
        ASSERT_TRUE(Money::FromText(Money::FromCents(cents).Text(), back));
        EXPECT_EQ(back.Cents(), cents);
    }
    EXPECT_EQ((Money::FromCents(150) + Money::FromCents(275)).Text(), QStringLiteral("4.25"));
    EXPECT_EQ((Money::FromCents(150) - Money::FromCents(275)).Text(), QStringLiteral("-1.25"));
}

}  // namespace
}  // namespace lodgix
