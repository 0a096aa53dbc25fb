#pragma once

#include "prefixgrouptable.h"
#include "ruletable.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// Whether the number's leading characters equal `text` (exact, case-sensitive). An empty text is begun
// by every number; a number shorter than the text never begins with it.
bool NumberBeginsWith(QStringView number, QStringView text);

// The group index a kind-2 or kind-3 expression names: its text in decimal digits; -1 when the text is
// not a plain decimal number.
int GroupIndexOf(QStringView text);

// The tariff slot of the first rule that holds for the number; -1 when none does (callers then use the
// generic tariff, slot 1).
std::int16_t FindRuleTariff(QStringView number, const RuleTable& rules, const PrefixGroupTable& groups);

// The index of the first rule (or call-type row) that holds for the number; kNoRule when none does.
std::uint16_t FindMatchingRule(QStringView number, const RuleTable& table, const PrefixGroupTable& groups);

// Every expression is evaluated, then joined by the rule's combination: AND holds when all hold (also
// with no expression), OR when one does; any other combination never holds.
bool RuleMatchesNumber(QStringView number, const RatingRule& rule, const PrefixGroupTable& groups);

// One expression by its kind; an unknown kind, or an index past the rule's expressions, never holds.
bool ExpressionMatchesNumber(QStringView number, const RatingRule& rule, const PrefixGroupTable& groups,
                             int expression);

// Whether the number begins with one of the prefixes of group `group`; false for a group index not
// below the group count.
bool FindPrefixInGroup(QStringView number, const PrefixGroupTable& groups, std::uint16_t group);
