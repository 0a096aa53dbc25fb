#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "ruleordering.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

RatingRule Rule(std::initializer_list<RuleExpression> expressions, std::uint8_t combination = kAllExpressions,
                const char* name = "")
{
    RatingRule rule;
    rule.expressions = expressions;
    rule.combination = combination;
    rule.name = QString::fromLatin1(name);
    return rule;
}

RuleExpression Begins(const char* text) { return {kBeginsWith, QString::fromLatin1(text)}; }
RuleExpression InGroup(const char* text) { return {kInGroup, QString::fromLatin1(text)}; }

QStringList NamesOf(const RuleTable& table)
{
    QStringList names;
    for (const RatingRule& rule : table.rules)
        names << rule.name;
    return names;
}

// The default rules by their place in the default list (1-based), in the order insertion leaves them.
const int kDefaultOrder[] = {1,  6,  16, 15, 18, 17, 5,  8,  7,  10, 9,  12, 11, 14, 13, 4,  21,
                             2,  3,  19, 20, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33};

QStringList DefaultNamesInListOrder()
{
    QStringList names = {QStringLiteral("Chiamate urbane"), QStringLiteral("Chiamate interurbane"),
                         QStringLiteral("Chiamate verso cellulari"), QStringLiteral("Chiamate internazionali")};
    for (int zone = 1; zone <= 7; ++zone) {
        names << QStringLiteral("Chiamate internazionali fascia %1").arg(zone);
        names << QStringLiteral("Chiamate internazionali fascia %1 Mobile").arg(zone);
    }
    for (int service = 1; service <= 15; ++service)
        names << QStringLiteral("Regola servizi %1").arg(service);
    return names;
}

class DefaultRuleOrder : public testing::TestWithParam<int> {};

TEST_P(DefaultRuleOrder, SameForEveryLocalAreaCode)
{
    PrefixGroupTable areaCodes;
    BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), areaCodes);
    const PrefixEntry code = areaCodes.groups[PrefixGroupTable::kAreaCodeGroup].entries.at(GetParam());

    PrefixGroupTable groups;
    BuildDefaultPrefixGroups(code.number, code.label, groups);
    RuleTable rules;
    BuildDefaultRules(rules, groups);

    const QStringList listed = DefaultNamesInListOrder();
    QStringList expected;
    for (const int number : kDefaultOrder)
        expected << listed[number - 1];
    EXPECT_EQ(NamesOf(rules), expected) << code.number.toStdString();
}

// Every code of the area-code group, one case each.
INSTANTIATE_TEST_SUITE_P(AreaCodes, DefaultRuleOrder, testing::Range(0, 232));

TEST(DefaultRules, RecordsAsListed)
{
    PrefixGroupTable groups;
    BuildDefaultPrefixGroups(QStringLiteral("071"), QStringLiteral("Ancona"), groups);
    RuleTable rules;
    BuildDefaultRules(rules, groups);
    ASSERT_EQ(rules.Count(), 33);

    const RatingRule& longDistance = rules.rules[17];
    EXPECT_EQ(longDistance.name, QStringLiteral("Chiamate interurbane"));
    EXPECT_EQ(longDistance.expressions, (std::vector<RuleExpression>{Begins("0"), InGroup("13")}));
    EXPECT_EQ(longDistance.combination, kAnyExpression);
    EXPECT_EQ(longDistance.tariffSlot, 3);

    const RatingRule& services = rules.rules[19];
    EXPECT_EQ(services.name, QStringLiteral("Regola servizi 1"));
    EXPECT_EQ(services.expressions, (std::vector<RuleExpression>{InGroup("16"), InGroup("17"), InGroup("30"),
                                                                 InGroup("33"), InGroup("36")}));
    EXPECT_EQ(services.tariffSlot, 20);
}

TEST(InsertRuleOrdered, SpecificPrefixGoesAheadOfGeneralOne)
{
    const PrefixGroupTable groups;
    RuleTable table;
    EXPECT_EQ(InsertRuleOrdered(Rule({Begins("0")}, kAllExpressions, "zero"), table, groups), 0);
    EXPECT_EQ(InsertRuleOrdered(Rule({Begins("06")}, kAllExpressions, "rome"), table, groups), 0);
    EXPECT_EQ(NamesOf(table), (QStringList{"rome", "zero"}));

    RuleTable reversed;
    InsertRuleOrdered(Rule({Begins("06")}, kAllExpressions, "rome"), reversed, groups);
    EXPECT_EQ(InsertRuleOrdered(Rule({Begins("0")}, kAllExpressions, "zero"), reversed, groups), 1);
    EXPECT_EQ(NamesOf(reversed), (QStringList{"rome", "zero"}));
}

TEST(InsertRuleOrdered, NegativeExpressionsAreAppended)
{
    const PrefixGroupTable groups;
    RuleTable table;
    InsertRuleOrdered(Rule({Begins("")}, kAllExpressions, "everything"), table, groups);
    const RatingRule negative =
        Rule({{kDoesNotBeginWith, QStringLiteral("0")}, {kNotInGroup, QStringLiteral("0")}}, kAnyExpression, "neg");
    EXPECT_EQ(InsertRuleOrdered(negative, table, groups), 1);
}

TEST(InsertRuleOrdered, FullTableRefusesAndStaysAsItWas)
{
    const PrefixGroupTable groups;
    RuleTable table;
    for (int i = 0; i < RuleTable::kMaxRules; ++i)
        ASSERT_NE(InsertRuleOrdered(Rule({Begins("9")}), table, groups), kNoRule);
    const RuleTable before = table;
    EXPECT_EQ(InsertRuleOrdered(Rule({Begins("06")}), table, groups), kNoRule);
    EXPECT_EQ(table, before);
}

TEST(RuleCoversRule, SamplesJoinedByTheNewRulesCombination)
{
    PrefixGroupTable groups;
    groups.groups.resize(2);
    groups.groups[0].entries = {{QStringLiteral("5"), {}}, {QStringLiteral("06"), {}}};
    RuleTable table;
    table.rules = {Rule({Begins("0")})};

    EXPECT_TRUE(RuleCoversRule(0, Rule({Begins("06")}), table, groups));
    EXPECT_FALSE(RuleCoversRule(0, Rule({Begins("06"), Begins("5")}, kAllExpressions), table, groups));
    EXPECT_TRUE(RuleCoversRule(0, Rule({Begins("06"), Begins("5")}, kAnyExpression), table, groups));
    EXPECT_FALSE(RuleCoversRule(0, Rule({Begins("06")}, 2), table, groups));
    EXPECT_TRUE(RuleCoversRule(0, Rule({}, kAllExpressions), table, groups));
    EXPECT_FALSE(RuleCoversRule(0, Rule({}, kAnyExpression), table, groups));

    EXPECT_TRUE(RuleMatchesGroupSample(0, QStringLiteral("0"), table, groups));   // "06" is a sample
    EXPECT_FALSE(RuleMatchesGroupSample(0, QStringLiteral("1"), table, groups));  // no prefixes
    EXPECT_FALSE(RuleMatchesGroupSample(0, QStringLiteral("2"), table, groups));  // no such group
    EXPECT_TRUE(RuleMatchesPrefixSample(0, QStringLiteral("0"), table, groups));
    EXPECT_FALSE(RuleMatchesPrefixSample(0, QStringLiteral("1"), table, groups));
}

TEST(SortRuleTable, FollowsAChangedGroup)
{
    PrefixGroupTable groups;
    groups.groups.resize(1);
    groups.groups[0].entries = {{QStringLiteral("5"), {}}};
    RuleTable table;
    InsertRuleOrdered(Rule({Begins("0")}, kAllExpressions, "zero"), table, groups);
    InsertRuleOrdered(Rule({InGroup("0")}, kAllExpressions, "group"), table, groups);
    ASSERT_EQ(NamesOf(table), (QStringList{"zero", "group"}));

    groups.groups[0].entries[0].number = QStringLiteral("05");
    SortRuleTable(table, groups);
    EXPECT_EQ(NamesOf(table), (QStringList{"group", "zero"}));
}

}  // namespace
