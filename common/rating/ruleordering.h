#pragma once

#include "prefixgrouptable.h"
#include "ruletable.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// Samples are a rule's prefix followed by this text: a number that the new rule is written for.
constexpr QStringView kRuleSampleSuffix = u"TESTREGOLA";

// Puts the rule ahead of the first existing rule that would catch the numbers it is written for (or at
// the end) and returns its index; kNoRule, with the table unchanged, when the table is full.
std::uint16_t InsertRuleOrdered(const RatingRule& rule, RuleTable& table, const PrefixGroupTable& groups);

// Re-inserts every rule, in its old order, with InsertRuleOrdered: the order after a group's prefixes
// changed.
void SortRuleTable(RuleTable& table, const PrefixGroupTable& groups);

// Whether existing rule `existing` would match the samples of `rule`: per expression of the new rule, a
// kind-0 one gives its prefix sample, a kind-2 one its group's samples, any other kind false; the results
// are joined by the new rule's own combination.
bool RuleCoversRule(int existing, const RatingRule& rule, const RuleTable& table, const PrefixGroupTable& groups);

// Whether existing rule `existing` matches `prefix` followed by the sample suffix.
bool RuleMatchesPrefixSample(int existing, const QString& prefix, const RuleTable& table,
                             const PrefixGroupTable& groups);

// Whether existing rule `existing` matches the sample of one prefix of the group `groupText` names
// (false when that group has no prefix).
bool RuleMatchesGroupSample(int existing, const QString& groupText, const RuleTable& table,
                            const PrefixGroupTable& groups);
