#pragma once

#include "ruletable.h"

// Rules name prefix groups by index in their group expressions, both "appartiene al gruppo" and "non
// appartiene al gruppo"; the statistics' call types do the same.

// Whether an expression names prefix group `group`.
bool NamesPrefixGroup(const RuleExpression& expression, int group);

// The first rule with an expression that names the group; -1 when none does.
int FindPrefixGroupUse(const RuleTable& table, int group);

// After group `deleted` left the table the later groups moved up: every expression that names one of
// them is rewritten to its new index.
void RenumberPrefixGroupsAfter(RuleTable& table, int deleted);
