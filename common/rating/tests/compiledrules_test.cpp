#include "compiledrules.h"

#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "rulematcher.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The numbers to try for a prefix: itself, longer, one digit shorter, and its last digit changed.
QStringList NumbersAround(const QString& prefix)
{
    QStringList numbers = {prefix, prefix + QStringLiteral("1234567"), prefix + QStringLiteral("0")};
    if (!prefix.isEmpty()) {
        numbers << prefix.chopped(1);
        QString changed = prefix;
        changed.back() = changed.back() == u'9' ? u'0' : QChar(changed.back().unicode() + 1);
        numbers << changed + QStringLiteral("55");
    }
    return numbers;
}

// Every number finds the same rule through the compiled tables as through the plain walk.
void ExpectSameRules(const RuleTable& rules, const PrefixGroupTable& groups, const QStringList& numbers)
{
    const CompiledRules compiled(rules, groups);
    for (const QString& number : numbers) {
        EXPECT_EQ(compiled.FindMatchingRule(number), FindMatchingRule(number, rules, groups)) << number.toStdString();
        EXPECT_EQ(compiled.FindRuleTariff(number), FindRuleTariff(number, rules, groups)) << number.toStdString();
    }
}

TEST(CompiledRules, DefaultRulesAndCallTypesGiveThePlainWalksRuleForEveryDefaultPrefix)
{
    for (const char* localCode : {"071", "02", "0733"}) {
        PrefixGroupTable groups;
        BuildDefaultPrefixGroups(QString::fromLatin1(localCode), QStringLiteral("Test"), groups);
        RuleTable rules;
        BuildDefaultRules(rules, groups);
        CallTypeTable callTypes;
        BuildCallTypeTable(callTypes);

        QStringList numbers = {QString(), QStringLiteral("5"), QStringLiteral("*71"), QStringLiteral("12#")};
        for (const PrefixGroup& group : groups.groups)
            for (const PrefixEntry& entry : group.entries)
                numbers << NumbersAround(entry.number);
        for (const RatingRule& rule : rules.rules)
            for (const RuleExpression& expression : rule.expressions)
                if (expression.kind == kBeginsWith || expression.kind == kDoesNotBeginWith)
                    numbers << NumbersAround(expression.text);
        ASSERT_GT(numbers.size(), 1000);
        ExpectSameRules(rules, groups, numbers);
        ExpectSameRules(callTypes, groups, numbers);
    }
}

TEST(CompiledRules, GroupsAndExpressionsOutOfTheOrdinaryMatchAsThePlainWalk)
{
    PrefixGroupTable groups;
    groups.groups.resize(4);
    groups.groups[0].entries = {{QStringLiteral("061"), {}}, {QStringLiteral("06"), {}}, {QStringLiteral("0612"), {}}};
    groups.groups[1].entries = {{QStringLiteral("*7"), {}}, {QStringLiteral("4#"), {}}, {QStringLiteral("39"), {}}};
    groups.groups[2].entries = {{QString(), {}}};  // begun by every number
    // Group 3 has no prefix: nothing is in it.

    const auto rule = [](std::uint8_t combination, std::vector<RuleExpression> expressions, std::int16_t tariff) {
        RatingRule r;
        r.expressions = std::move(expressions);
        r.combination = combination;
        r.tariffSlot = tariff;
        return r;
    };
    RuleTable rules;
    rules.rules = {
        rule(kAllExpressions, {{kInGroup, QStringLiteral("0")}, {kDoesNotBeginWith, QStringLiteral("0612")}}, 3),
        rule(kAnyExpression, {{kInGroup, QStringLiteral("1")}, {kBeginsWith, QStringLiteral("8")}}, 4),
        rule(kAllExpressions, {{kNotInGroup, QStringLiteral("3")}, {kInGroup, QStringLiteral("00")}}, 5),
        rule(kAnyExpression, {{kInGroup, QStringLiteral("4")}, {kInGroup, QStringLiteral("x")}}, 6),  // no such groups
        rule(kAllExpressions, {{kInGroup, QStringLiteral("2")}, {kBeginsWith, QStringLiteral("7")}}, 7),
        rule(2, {{kBeginsWith, QString()}}, 8),  // an unknown combination never holds
        rule(kAnyExpression, {{9, QStringLiteral("1")}}, 9),  // nor does an unknown kind
        rule(kAnyExpression, {{kNotInGroup, QStringLiteral("65536")}}, 10),
    };
    const QStringList numbers = {QString(),          QStringLiteral("0"),    QStringLiteral("06"),
                                 QStringLiteral("0612"), QStringLiteral("06123"), QStringLiteral("0613"),
                                 QStringLiteral("*7"),   QStringLiteral("*71"),  QStringLiteral("*"),
                                 QStringLiteral("4#1"),  QStringLiteral("4"),    QStringLiteral("391"),
                                 QStringLiteral("81"),   QStringLiteral("71"),   QStringLiteral("9")};
    ExpectSameRules(rules, groups, numbers);
    // Rule 0 is the first for "0613"; only the last rule holds for "9".
    const CompiledRules compiled(rules, groups);
    EXPECT_EQ(compiled.FindRuleTariff(u"0613"), 3);
    EXPECT_EQ(compiled.FindRuleTariff(u"9"), 10);
}

TEST(CompiledRules, NoRulesFindNothing)
{
    EXPECT_EQ(CompiledRules().FindMatchingRule(u"0612"), kNoRule);
    EXPECT_EQ(CompiledRules().FindRuleTariff(u"0612"), -1);
}

}  // namespace
