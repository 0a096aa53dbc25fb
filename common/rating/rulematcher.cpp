#include "rulematcher.h"

#include <limits>

namespace {
constexpr std::int16_t kNoTariff = -1;
}  // namespace

bool NumberBeginsWith(QStringView number, QStringView text)
{
    return text.size() <= number.size() && number.first(text.size()) == text;
}

int GroupIndexOf(QStringView text)
{
    if (text.isEmpty() || text.size() > 5)
        return -1;
    int index = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        index = index * 10 + (c.unicode() - u'0');
    }
    return index;
}

std::int16_t FindRuleTariff(QStringView number, const RuleTable& rules, const PrefixGroupTable& groups)
{
    const std::uint16_t rule = FindMatchingRule(number, rules, groups);
    return rule == kNoRule ? kNoTariff : rules.rules[rule].tariffSlot;
}

std::uint16_t FindMatchingRule(QStringView number, const RuleTable& table, const PrefixGroupTable& groups)
{
    for (int rule = 0; rule < table.Count(); ++rule)
        if (RuleMatchesNumber(number, table.rules[rule], groups))
            return static_cast<std::uint16_t>(rule);
    return kNoRule;
}

bool RuleMatchesNumber(QStringView number, const RatingRule& rule, const PrefixGroupTable& groups)
{
    int holding = 0;
    const int count = static_cast<int>(rule.expressions.size());
    for (int expression = 0; expression < count; ++expression)
        if (ExpressionMatchesNumber(number, rule, groups, expression))
            ++holding;
    switch (rule.combination) {
    case kAllExpressions:
        return holding == count;
    case kAnyExpression:
        return holding > 0;
    default:
        return false;
    }
}

bool ExpressionMatchesNumber(QStringView number, const RatingRule& rule, const PrefixGroupTable& groups,
                             int expression)
{
    if (expression < 0 || expression >= static_cast<int>(rule.expressions.size()))
        return false;
    const RuleExpression& e = rule.expressions[expression];
    const auto inGroup = [&] {
        const int group = GroupIndexOf(e.text);
        return group >= 0 && group <= std::numeric_limits<std::uint16_t>::max() &&
               FindPrefixInGroup(number, groups, static_cast<std::uint16_t>(group));
    };
    switch (e.kind) {
    case kBeginsWith:
        return NumberBeginsWith(number, e.text);
    case kDoesNotBeginWith:
        return !NumberBeginsWith(number, e.text);
    case kInGroup:
        return inGroup();
    case kNotInGroup:
        return !inGroup();
    default:
        return false;
    }
}

bool FindPrefixInGroup(QStringView number, const PrefixGroupTable& groups, std::uint16_t group)
{
    if (group >= groups.Count())
        return false;
    for (const PrefixEntry& entry : groups.groups[group].entries)
        if (NumberBeginsWith(number, entry.number))
            return true;
    return false;
}
