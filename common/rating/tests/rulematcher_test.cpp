#include "compiledrules.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "rulematcher.h"

#include <gtest/gtest.h>

namespace {

const PrefixGroupTable& Groups()
{
    static const PrefixGroupTable groups = [] {
        PrefixGroupTable table;
        BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), table);
        return table;
    }();
    return groups;
}

RatingRule OneExpression(std::uint8_t kind, const char* text, std::int16_t tariff = 0)
{
    RatingRule rule;
    rule.expressions = {{kind, QString::fromLatin1(text)}};
    rule.tariffSlot = tariff;
    return rule;
}

struct ExpressionCase {
    const char* number;
    std::uint8_t kind;
    const char* text;
    bool holds;
};

class Expression : public testing::TestWithParam<ExpressionCase> {};

TEST_P(Expression, HoldsByItsKind)
{
    const ExpressionCase& c = GetParam();
    const RatingRule rule = OneExpression(c.kind, c.text);
    EXPECT_EQ(ExpressionMatchesNumber(QString::fromLatin1(c.number), rule, Groups(), 0), c.holds);
    RuleTable table;
    table.rules = {rule};
    EXPECT_EQ(CompiledRules(table, Groups()).FindMatchingRule(QString::fromLatin1(c.number)) == 0, c.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Expression,
    testing::Values(ExpressionCase{"0712345", kBeginsWith, "071", true},
                    ExpressionCase{"0712345", kBeginsWith, "0712345", true},
                    ExpressionCase{"07", kBeginsWith, "071", false},
                    ExpressionCase{"0712345", kBeginsWith, "", true},
                    ExpressionCase{"", kBeginsWith, "0", false},
                    ExpressionCase{"", kBeginsWith, "", true},
                    ExpressionCase{"*71", kBeginsWith, "*7", true},
                    ExpressionCase{"0712345", kDoesNotBeginWith, "071", false},
                    ExpressionCase{"0712345", kDoesNotBeginWith, "06", true},
                    ExpressionCase{"0712345", kInGroup, "0", true},
                    ExpressionCase{"0612345", kInGroup, "0", false},
                    ExpressionCase{"0612345", kInGroup, "1", true},
                    ExpressionCase{"0612345", kNotInGroup, "1", false},
                    ExpressionCase{"0712345", kInGroup, "40", false},
                    ExpressionCase{"0712345", kNotInGroup, "40", true},
                    ExpressionCase{"0712345", kInGroup, "zero", false},
                    ExpressionCase{"0712345", kInGroup, "", false},
                    ExpressionCase{"0712345", 4, "0", false},
                    ExpressionCase{"0712345", 255, "", false}));

TEST(RuleMatchesNumber, CombinationJoinsEveryExpression)
{
    RatingRule rule;
    rule.expressions = {{kBeginsWith, QStringLiteral("0")}, {kBeginsWith, QStringLiteral("06")}};
    rule.combination = kAllExpressions;
    EXPECT_TRUE(RuleMatchesNumber(u"0612", rule, Groups()));
    EXPECT_FALSE(RuleMatchesNumber(u"0712", rule, Groups()));
    rule.combination = kAnyExpression;
    EXPECT_TRUE(RuleMatchesNumber(u"0712", rule, Groups()));
    EXPECT_FALSE(RuleMatchesNumber(u"3712", rule, Groups()));
    rule.combination = 2;
    EXPECT_FALSE(RuleMatchesNumber(u"0612", rule, Groups()));

    rule.expressions.clear();
    rule.combination = kAllExpressions;
    EXPECT_TRUE(RuleMatchesNumber(u"3712", rule, Groups()));
    rule.combination = kAnyExpression;
    EXPECT_FALSE(RuleMatchesNumber(u"3712", rule, Groups()));
}

TEST(FindRuleTariff, FirstMatchingRuleDecides)
{
    RuleTable table;
    table.rules = {OneExpression(kBeginsWith, "33", 7), OneExpression(kBeginsWith, "3", 4)};
    EXPECT_EQ(FindRuleTariff(u"3331234", table, Groups()), 7);
    EXPECT_EQ(FindRuleTariff(u"3401234", table, Groups()), 4);
    EXPECT_EQ(FindRuleTariff(u"0612", table, Groups()), -1);
    EXPECT_EQ(FindMatchingRule(u"3401234", table, Groups()), 1);
    EXPECT_EQ(FindMatchingRule(u"0612", table, Groups()), kNoRule);
}

TEST(FindPrefixInGroup, LooksOnlyAtGroupsInUse)
{
    EXPECT_TRUE(FindPrefixInGroup(u"0590123", Groups(), 1));   // Modena
    EXPECT_FALSE(FindPrefixInGroup(u"0590123", Groups(), 0));
    EXPECT_FALSE(FindPrefixInGroup(u"112", Groups(), 37));
    EXPECT_TRUE(FindPrefixInGroup(u"112", Groups(), 16));
}

struct DefaultCase {
    const char* number;
    std::int16_t tariff;
};

class DefaultRuleTariff : public testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultRuleTariff, NumberFindsItsTariff)
{
    static const RuleTable rules = [] {
        RuleTable table;
        BuildDefaultRules(table, Groups());
        return table;
    }();
    EXPECT_EQ(FindRuleTariff(QString::fromLatin1(GetParam().number), rules, Groups()), GetParam().tariff);
    static const CompiledRules compiled(rules, Groups());
    EXPECT_EQ(compiled.FindRuleTariff(QString::fromLatin1(GetParam().number)), GetParam().tariff);
}

INSTANTIATE_TEST_SUITE_P(
    LocalCodeAncona, DefaultRuleTariff,
    testing::Values(DefaultCase{"071123456", 2}, DefaultCase{"0212345678", 3}, DefaultCase{"0369123", 3},
                    DefaultCase{"3331234567", 4}, DefaultCase{"0044201234", 6}, DefaultCase{"00447700900", 7},
                    DefaultCase{"0086101234", 12}, DefaultCase{"0099912345", 16}, DefaultCase{"112", 20},
                    DefaultCase{"800123456", 20}, DefaultCase{"848123", 23}, DefaultCase{"0878123", 25},
                    DefaultCase{"12", 32}, DefaultCase{"163", 33}, DefaultCase{"892123", 26},
                    DefaultCase{"199123", 21}, DefaultCase{"178123", 22}, DefaultCase{"709", 24},
                    DefaultCase{"840123", 5}, DefaultCase{"555", -1}, DefaultCase{"", -1}));

TEST(CallTypeTable, FourClassesInOrder)
{
    CallTypeTable table;
    table.rules.resize(9);
    BuildCallTypeTable(table);
    ASSERT_EQ(table.Count(), 4);
    EXPECT_EQ(table.rules[0].name, QStringLiteral("Internazionali"));
    EXPECT_EQ(table.rules[1].name, QStringLiteral("Urbane"));
    EXPECT_EQ(table.rules[2].name, QStringLiteral("Interurbane"));
    EXPECT_EQ(table.rules[3].name, QStringLiteral("Cellulari"));
    EXPECT_EQ(table.rules[0].tariffSlot, 16);
    EXPECT_EQ(table.rules[1].expressions, (std::vector<RuleExpression>{{kInGroup, QStringLiteral("0")}}));

    EXPECT_EQ(FindMatchingRule(u"0039123", table, Groups()), 0);
    EXPECT_EQ(FindMatchingRule(u"0711234", table, Groups()), 1);
    EXPECT_EQ(FindMatchingRule(u"0211234", table, Groups()), 2);
    EXPECT_EQ(FindMatchingRule(u"3331234", table, Groups()), 3);
    EXPECT_EQ(FindMatchingRule(u"800123", table, Groups()), kNoRule);
}

}  // namespace
