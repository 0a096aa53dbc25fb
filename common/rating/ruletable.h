#pragma once

#include "ratingrule.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <vector>

// The rules in evaluation order, at most 64; the first that holds for a number decides its tariff.
// Stored as 17,026 bytes: the rule count, then 64 rule slots.
struct RuleTable {
    static constexpr qsizetype kSize = 17026;
    static constexpr int kMaxRules = 64;

    std::vector<RatingRule> rules;

    int Count() const { return static_cast<int>(rules.size()); }

    // Nothing when the count exceeds 64 or a rule in use is damaged.
    static std::optional<RuleTable> Decode(QByteArrayView bytes, qsizetype offset);
    // Writes at most kMaxRules rules; unused slots are zero.
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const RuleTable&, const RuleTable&) = default;
};

// The classes of calls of the statistics, in the layout of a rule table (the "tariff" of a row is a
// field the statistics do not price with). Built at every start, never stored.
using CallTypeTable = RuleTable;

constexpr std::uint16_t kNoRule = 0xFFFF;
