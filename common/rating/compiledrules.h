#pragma once

#include "prefixgrouptable.h"
#include "prefixset.h"
#include "ruletable.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// A rule table and the prefix groups it names, compiled for rating many numbers: every group index parsed
// once, every group's prefixes in a PrefixSet, the rules in their order. It finds the same rule as the plain
// walk of FindMatchingRule, the first that holds; it is a copy, so it is built again when the tables change.
class CompiledRules {
public:
    CompiledRules() = default;  // no rule: nothing matches
    CompiledRules(const RuleTable& rules, const PrefixGroupTable& groups);

    // The index of the first rule that holds for the number; kNoRule when none does.
    std::uint16_t FindMatchingRule(QStringView number) const;
    // The tariff slot of that rule; -1 when none holds.
    std::int16_t FindRuleTariff(QStringView number) const;

private:
    static constexpr int kNoGroup = -1;  // an expression naming no group in use: "in group" never holds

    struct Expression {
        std::uint8_t kind = 0;
        QString text;           // kinds 0 and 1
        int group = kNoGroup;   // kinds 2 and 3
    };
    struct Rule {
        std::vector<Expression> expressions;
        std::uint8_t combination = 0;
        std::int16_t tariffSlot = 0;
    };
    // Which groups a number was looked up in so far, and the answers: each group is walked once per number.
    struct GroupAnswers {
        std::uint64_t known = 0;
        std::uint64_t begins = 0;
    };

    bool Holds(const Rule& rule, QStringView number, GroupAnswers& answers) const;
    bool Holds(const Expression& expression, QStringView number, GroupAnswers& answers) const;
    bool InGroup(int group, QStringView number, GroupAnswers& answers) const;

    std::vector<Rule> m_rules;
    std::vector<PrefixSet> m_groups;
};
