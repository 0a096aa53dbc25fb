#include "prefixgroupuse.h"

namespace {

bool IsGroupExpression(const RuleExpression& expression)
{
    return expression.kind == kInGroup || expression.kind == kNotInGroup;
}

}  // namespace

bool NamesPrefixGroup(const RuleExpression& expression, int group)
{
    bool ok = false;
    return IsGroupExpression(expression) && expression.text.toInt(&ok) == group && ok;
}

int FindPrefixGroupUse(const RuleTable& table, int group)
{
    for (int rule = 0; rule < table.Count(); ++rule) {
        for (const RuleExpression& expression : table.rules[static_cast<std::size_t>(rule)].expressions) {
            if (NamesPrefixGroup(expression, group))
                return rule;
        }
    }
    return -1;
}

void RenumberPrefixGroupsAfter(RuleTable& table, int deleted)
{
    for (RatingRule& rule : table.rules) {
        for (RuleExpression& expression : rule.expressions) {
            bool ok = false;
            const int group = expression.text.toInt(&ok);
            if (IsGroupExpression(expression) && ok && group > deleted)
                expression.text = QString::asprintf("%d", group - 1);
        }
    }
}
