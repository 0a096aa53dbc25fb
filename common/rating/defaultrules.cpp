#include "defaultrules.h"

#include "ratingstrings.h"
#include "ruleordering.h"

#include <array>

namespace {

constexpr unsigned kUrbanCalls = 1012;
constexpr unsigned kInternationalZoneCalls = 1013;
constexpr unsigned kInternationalCalls = 1014;
constexpr unsigned kLongDistanceCalls = 1015;
constexpr unsigned kMobileCalls = 1016;
constexpr unsigned kServicesRule = 1189;
constexpr unsigned kMobileWord = 1221;

constexpr unsigned kInternationalType = 1120;
constexpr unsigned kUrbanType = 1117;
constexpr unsigned kLongDistanceType = 1118;
constexpr unsigned kMobileType = 1119;

struct DefaultExpression {
    std::uint8_t kind = kBeginsWith;
    const char* text = nullptr;  // nullptr: no expression in this place
};

using DefaultExpressions = std::array<DefaultExpression, 5>;

struct DefaultRule {
    unsigned nameId;
    int number;   // " n" after the name; 0 for none
    bool mobile;  // then " Mobile"
    std::uint8_t combination;
    std::int16_t tariffSlot;
    DefaultExpressions expressions;
};

// In insertion order; group numbers are those of the default prefix groups, tariff slots those of the
// default tariffs.
const DefaultRule kDefaultRules[kDefaultRuleCount] = {
    {kUrbanCalls, 0, false, kAllExpressions, 2, {{{kInGroup, "0"}}}},
    {kLongDistanceCalls, 0, false, kAnyExpression, 3, {{{kBeginsWith, "0"}, {kInGroup, "13"}}}},
    {kMobileCalls, 0, false, kAllExpressions, 4, {{{kBeginsWith, "3"}}}},
    {kInternationalCalls, 0, false, kAllExpressions, 16, {{{kBeginsWith, "00"}}}},
    {kInternationalZoneCalls, 1, false, kAnyExpression, 6, {{{kInGroup, "2"}}}},
    {kInternationalZoneCalls, 1, true, kAnyExpression, 7, {{{kInGroup, "3"}}}},
    {kInternationalZoneCalls, 2, false, kAnyExpression, 8, {{{kInGroup, "4"}}}},
    {kInternationalZoneCalls, 2, true, kAnyExpression, 9, {{{kInGroup, "5"}}}},
    {kInternationalZoneCalls, 3, false, kAnyExpression, 10, {{{kInGroup, "6"}}}},
    {kInternationalZoneCalls, 3, true, kAnyExpression, 11, {{{kInGroup, "7"}}}},
    {kInternationalZoneCalls, 4, false, kAnyExpression, 12, {{{kInGroup, "8"}}}},
    {kInternationalZoneCalls, 4, true, kAnyExpression, 13, {{{kInGroup, "9"}}}},
    {kInternationalZoneCalls, 5, false, kAnyExpression, 14, {{{kInGroup, "10"}}}},
    {kInternationalZoneCalls, 5, true, kAnyExpression, 15, {{{kInGroup, "11"}}}},
    {kInternationalZoneCalls, 6, false, kAnyExpression, 16, {{{kInGroup, "12"}}}},
    {kInternationalZoneCalls, 6, true, kAnyExpression, 17, {{{kInGroup, "13"}}}},
    {kInternationalZoneCalls, 7, false, kAnyExpression, 18, {{{kInGroup, "14"}}}},
    {kInternationalZoneCalls, 7, true, kAnyExpression, 19, {{{kInGroup, "15"}}}},
    {kServicesRule, 1, false, kAnyExpression, 20,
     {{{kInGroup, "16"}, {kInGroup, "17"}, {kInGroup, "30"}, {kInGroup, "33"}, {kInGroup, "36"}}}},
    {kServicesRule, 2, false, kAnyExpression, 23, {{{kInGroup, "35"}, {kInGroup, "31"}}}},
    {kServicesRule, 3, false, kAnyExpression, 25, {{{kInGroup, "19"}}}},
    {kServicesRule, 4, false, kAnyExpression, 32, {{{kInGroup, "20"}}}},
    {kServicesRule, 5, false, kAnyExpression, 33, {{{kInGroup, "21"}}}},
    {kServicesRule, 6, false, kAnyExpression, 26, {{{kInGroup, "22"}}}},
    {kServicesRule, 7, false, kAnyExpression, 26, {{{kInGroup, "23"}}}},
    {kServicesRule, 8, false, kAnyExpression, 26, {{{kInGroup, "24"}}}},
    {kServicesRule, 9, false, kAnyExpression, 26, {{{kInGroup, "25"}}}},
    {kServicesRule, 10, false, kAnyExpression, 26, {{{kInGroup, "26"}}}},
    {kServicesRule, 11, false, kAnyExpression, 26, {{{kInGroup, "27"}}}},
    {kServicesRule, 12, false, kAnyExpression, 21, {{{kInGroup, "28"}}}},
    {kServicesRule, 13, false, kAnyExpression, 22, {{{kInGroup, "29"}}}},
    {kServicesRule, 14, false, kAnyExpression, 24, {{{kInGroup, "32"}}}},
    {kServicesRule, 15, false, kAnyExpression, 5, {{{kInGroup, "34"}}}},
};

RatingRule MakeRule(const QString& name, std::uint8_t combination, std::int16_t tariffSlot,
                    const DefaultExpressions& expressions)
{
    RatingRule rule;
    rule.name = name;
    rule.combination = combination;
    rule.tariffSlot = tariffSlot;
    for (const DefaultExpression& expression : expressions)
        if (expression.text != nullptr)
            rule.expressions.push_back({expression.kind, QString::fromLatin1(expression.text)});
    return rule;
}

QString NameOf(const DefaultRule& rule)
{
    QString name = RatingString(rule.nameId);
    if (rule.number != 0)
        name += u' ' + QString::number(rule.number);
    if (rule.mobile)
        name += u' ' + RatingString(kMobileWord);
    return name;
}

}  // namespace

void BuildDefaultRules(RuleTable& table, const PrefixGroupTable& groups)
{
    table = RuleTable();
    for (const DefaultRule& rule : kDefaultRules)
        InsertRuleOrdered(MakeRule(NameOf(rule), rule.combination, rule.tariffSlot, rule.expressions), table, groups);
}

void BuildCallTypeTable(CallTypeTable& table)
{
    table = CallTypeTable();
    table.rules = {
        MakeRule(RatingString(kInternationalType), kAllExpressions, 16, DefaultExpressions{{{kBeginsWith, "00"}}}),
        MakeRule(RatingString(kUrbanType), kAllExpressions, 2, DefaultExpressions{{{kInGroup, "0"}}}),
        MakeRule(RatingString(kLongDistanceType), kAllExpressions, 3, DefaultExpressions{{{kBeginsWith, "0"}}}),
        MakeRule(RatingString(kMobileType), kAllExpressions, 4, DefaultExpressions{{{kBeginsWith, "3"}}}),
    };
}
