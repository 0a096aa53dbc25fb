#include "callcost.h"
#include "callrating.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"

#include <gtest/gtest.h>

namespace {

QByteArray SystemConfiguration(std::uint8_t extensionBitmap1)
{
    QByteArray record(26, '\0');
    record[24] = static_cast<char>(extensionBitmap1);
    return record;
}

const QByteArray kTimesCalls = SystemConfiguration(0x08);
const QByteArray kCountsPulses = SystemConfiguration(0xF7);
const OleDate kWednesday1000(2024, 5, 15, 10, 0, 0);

class RateLoggedCallTest : public testing::Test {
protected:
    void SetUp() override
    {
        BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), m_groups);
        BuildDefaultRules(m_rules, m_groups);
        BuildDefaultTariffs(m_tariffs, m_variations);
    }

    CallRating Rate(const LoggedCall& call, const QByteArray& configuration) const
    {
        return RateLoggedCall(call, configuration, m_rules, m_groups, m_tariffs, m_variations);
    }

    static LoggedCall Call(const char* number, double pulses, OleDate start = kWednesday1000)
    {
        LoggedCall call;
        call.dialledNumber = QString::fromLatin1(number);
        call.pulses = pulses;
        call.start = start;
        call.duration = OleDate(1899, 12, 30, 0, 2, 5);
        return call;
    }

    PrefixGroupTable m_groups;
    RuleTable m_rules;
    TariffTable m_tariffs;
    TariffVariations m_variations;
};

TEST_F(RateLoggedCallTest, PbxThatTimesCallsIsPricedByItsRule)
{
    const CallRating rating = Rate(Call("071123456", 60), kTimesCalls);
    EXPECT_EQ(rating.result, kCostDone);
    EXPECT_EQ(rating.tariffSlot, 2);
    EXPECT_DOUBLE_EQ(rating.cost, 60 * (0.0143 / 60) + 0.00787);
    EXPECT_EQ(rating.durationSeconds, 60);

    m_variations.values[2] = 0.10;
    EXPECT_DOUBLE_EQ(Rate(Call("071123456", 60), kTimesCalls).cost, 60 * (0.0143 / 60) * 1.10 + 0.00787);
}

TEST_F(RateLoggedCallTest, PulseCounterUsesThePulseTariffAndTheLoggedDuration)
{
    m_tariffs.tariffs[0].answerCharge = 0.2;
    const CallRating rating = Rate(Call("071123456", 5), kCountsPulses);
    EXPECT_EQ(rating.result, kCostDone);
    EXPECT_EQ(rating.tariffSlot, 0);
    EXPECT_DOUBLE_EQ(rating.cost, 5 * 0.1 + 0.2);
    EXPECT_EQ(rating.durationSeconds, 125);

    LoggedCall dated = Call("071123456", 5);
    dated.duration = OleDate(2024, 5, 15, 0, 2, 5);
    EXPECT_EQ(Rate(dated, kCountsPulses).durationSeconds, 125);
}

TEST_F(RateLoggedCallTest, NoPulsesCostNothingOnEitherPbx)
{
    for (const QByteArray& configuration : {kTimesCalls, kCountsPulses}) {
        const CallRating rating = Rate(Call("0044123", 0), configuration);
        EXPECT_EQ(rating.result, kCostDone);
        EXPECT_EQ(rating.cost, 0.0);
    }
}

TEST_F(RateLoggedCallTest, UnmatchedNumberOrSlotOutsideTheTableTakesTheGenericTariff)
{
    m_tariffs.tariffs[1].days[2].bands[0].value = 0.01;
    EXPECT_EQ(Rate(Call("555", 60), kTimesCalls).tariffSlot, 1);

    for (const std::int16_t slot : {std::int16_t(34), std::int16_t(64), std::int16_t(-3)}) {
        m_rules.rules[0].tariffSlot = slot;  // the urban rule
        const CallRating rating = Rate(Call("071123456", 60), kTimesCalls);
        EXPECT_EQ(rating.tariffSlot, 1) << slot;
        EXPECT_EQ(rating.result, kCostDone);
        EXPECT_DOUBLE_EQ(rating.cost, 0.6);
    }
}

TEST_F(RateLoggedCallTest, DayLongCallsAndFractionsOfASecond)
{
    const CallRating day = Rate(Call("0212345", 90000), kTimesCalls);
    EXPECT_EQ(day.durationSeconds, 90000);
    EXPECT_DOUBLE_EQ(day.cost, 90000 * (0.1069 / 60) + 0.00787);

    EXPECT_EQ(Rate(Call("0212345", 59.7), kTimesCalls).durationSeconds, 59);
}

TEST_F(RateLoggedCallTest, FailuresCarryTheirResultAndNoCost)
{
    const CallRating invalidStart = Rate(Call("0212345", 60, OleDate::Invalid()), kTimesCalls);
    EXPECT_EQ(invalidStart.result, kCostNoDayIndex);
    EXPECT_EQ(invalidStart.cost, 0.0);

    EXPECT_EQ(Rate(Call("0212345", -5), kTimesCalls).result, kCostBadPeriod);
    EXPECT_EQ(Rate(Call("0212345", -5), kCountsPulses).result, kCostBadPeriod);
    EXPECT_EQ(Rate(Call("0212345", 1e12), kTimesCalls).result, kCostBadPeriod);

    m_rules.rules[0].tariffSlot = 0;  // a rule naming the pulse tariff, whose band has no interval
    const CallRating noInterval = Rate(Call("071123456", 60), kTimesCalls);
    EXPECT_EQ(noInterval.result, kCostNoPulseInterval);
    EXPECT_EQ(noInterval.cost, 0.0);

    m_tariffs.tariffs.clear();
    EXPECT_EQ(Rate(Call("071123456", 60), kTimesCalls).result, kCostNoTariff);
    EXPECT_EQ(Rate(Call("071123456", 60), kCountsPulses).result, kCostNoTariff);
}

TEST(PbxLogsDurations, BitThreeOfExtensionBitmap1)
{
    EXPECT_TRUE(PbxLogsDurations(SystemConfiguration(0x08)));
    EXPECT_TRUE(PbxLogsDurations(SystemConfiguration(0xFF)));
    EXPECT_FALSE(PbxLogsDurations(SystemConfiguration(0xF7)));
    EXPECT_FALSE(PbxLogsDurations(QByteArray(24, '\xFF')));
}

}  // namespace
