#pragma once

#include "prefixgrouptable.h"
#include "ruletable.h"

// The 33 rules of a first run, inserted in their listed order with InsertRuleOrdered against `groups`
// (the default prefix groups), which places specific rules ahead of general ones.
void BuildDefaultRules(RuleTable& table, const PrefixGroupTable& groups);

// The four classes of calls of the statistics: international, urban, long distance, mobile. A call that
// matches none belongs to the class after them (kOtherCallType).
void BuildCallTypeTable(CallTypeTable& table);

constexpr int kDefaultRuleCount = 33;
constexpr int kCallTypeCount = 4;
constexpr int kOtherCallType = kCallTypeCount;
