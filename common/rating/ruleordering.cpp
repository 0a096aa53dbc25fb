#include "ruleordering.h"

#include "rulematcher.h"

bool RuleMatchesPrefixSample(int existing, const QString& prefix, const RuleTable& table,
                             const PrefixGroupTable& groups)
{
    QString sample = prefix;
    sample += kRuleSampleSuffix;
    return RuleMatchesNumber(sample, table.rules[existing], groups);
}

bool RuleMatchesGroupSample(int existing, const QString& groupText, const RuleTable& table,
                            const PrefixGroupTable& groups)
{
    const int group = GroupIndexOf(groupText);
    if (group < 0 || group >= groups.Count())
        return false;
    for (const PrefixEntry& entry : groups.groups[group].entries)
        if (RuleMatchesPrefixSample(existing, entry.number, table, groups))
            return true;
    return false;
}

bool RuleCoversRule(int existing, const RatingRule& rule, const RuleTable& table, const PrefixGroupTable& groups)
{
    int covering = 0;
    for (const RuleExpression& expression : rule.expressions) {
        bool covers = false;
        if (expression.kind == kBeginsWith)
            covers = RuleMatchesPrefixSample(existing, expression.text, table, groups);
        else if (expression.kind == kInGroup)
            covers = RuleMatchesGroupSample(existing, expression.text, table, groups);
        if (covers)
            ++covering;
    }
    switch (rule.combination) {
    case kAllExpressions:
        return covering == static_cast<int>(rule.expressions.size());
    case kAnyExpression:
        return covering > 0;
    default:
        return false;
    }
}

std::uint16_t InsertRuleOrdered(const RatingRule& rule, RuleTable& table, const PrefixGroupTable& groups)
{
    if (table.Count() >= RuleTable::kMaxRules)
        return kNoRule;
    int place = 0;
    while (place < table.Count() && !RuleCoversRule(place, rule, table, groups))
        ++place;
    table.rules.insert(table.rules.begin() + place, rule);
    return static_cast<std::uint16_t>(place);
}

void SortRuleTable(RuleTable& table, const PrefixGroupTable& groups)
{
    RuleTable old;
    std::swap(old, table);
    for (const RatingRule& rule : old.rules)
        InsertRuleOrdered(rule, table, groups);
}
