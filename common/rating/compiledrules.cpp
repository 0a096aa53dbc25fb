#include "compiledrules.h"

#include "rulematcher.h"

#include <algorithm>

namespace {

constexpr std::int16_t kNoTariff = -1;

}  // namespace

CompiledRules::CompiledRules(const RuleTable& rules, const PrefixGroupTable& groups)
{
    // Group answers are kept in 64-bit masks; a table holds at most 64 groups, and one that somehow holds
    // more has its other groups never match, as an index outside the table never does.
    const int groupCount = std::min(groups.Count(), PrefixGroupTable::kMaxGroups);
    m_groups.resize(static_cast<std::size_t>(groupCount));
    for (int g = 0; g < groupCount; ++g)
        for (const PrefixEntry& entry : groups.groups[static_cast<std::size_t>(g)].entries)
            m_groups[static_cast<std::size_t>(g)].Add(entry.number);

    m_rules.reserve(rules.rules.size());
    for (const RatingRule& rule : rules.rules) {
        Rule compiled{{}, rule.combination, rule.tariffSlot};
        for (const RuleExpression& expression : rule.expressions) {
            Expression e{expression.kind, expression.text, kNoGroup};
            if (e.kind == kInGroup || e.kind == kNotInGroup) {
                const int group = GroupIndexOf(expression.text);
                e.group = group >= 0 && group < groupCount ? group : kNoGroup;
            }
            compiled.expressions.push_back(std::move(e));
        }
        m_rules.push_back(std::move(compiled));
    }
}

std::uint16_t CompiledRules::FindMatchingRule(QStringView number) const
{
    GroupAnswers answers;
    for (std::size_t rule = 0; rule < m_rules.size(); ++rule)
        if (Holds(m_rules[rule], number, answers))
            return static_cast<std::uint16_t>(rule);
    return kNoRule;
}

std::int16_t CompiledRules::FindRuleTariff(QStringView number) const
{
    const std::uint16_t rule = FindMatchingRule(number);
    return rule == kNoRule ? kNoTariff : m_rules[rule].tariffSlot;
}

bool CompiledRules::Holds(const Rule& rule, QStringView number, GroupAnswers& answers) const
{
    // Expressions have no side effects, so the first one that decides the combination ends the walk.
    switch (rule.combination) {
    case kAllExpressions:
        for (const Expression& expression : rule.expressions)
            if (!Holds(expression, number, answers))
                return false;
        return true;
    case kAnyExpression:
        for (const Expression& expression : rule.expressions)
            if (Holds(expression, number, answers))
                return true;
        return false;
    default:
        return false;
    }
}

bool CompiledRules::Holds(const Expression& expression, QStringView number, GroupAnswers& answers) const
{
    switch (expression.kind) {
    case kBeginsWith:
        return NumberBeginsWith(number, expression.text);
    case kDoesNotBeginWith:
        return !NumberBeginsWith(number, expression.text);
    case kInGroup:
        return InGroup(expression.group, number, answers);
    case kNotInGroup:
        return !InGroup(expression.group, number, answers);
    default:
        return false;
    }
}

bool CompiledRules::InGroup(int group, QStringView number, GroupAnswers& answers) const
{
    if (group == kNoGroup)
        return false;
    const std::uint64_t bit = std::uint64_t{1} << group;
    if ((answers.known & bit) == 0) {
        answers.known |= bit;
        if (m_groups[static_cast<std::size_t>(group)].BeginsAny(number))
            answers.begins |= bit;
    }
    return (answers.begins & bit) != 0;
}
