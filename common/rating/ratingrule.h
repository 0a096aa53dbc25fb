#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Kinds of rule expression.
constexpr std::uint8_t kBeginsWith = 0;        // "il numero inizia per"
constexpr std::uint8_t kDoesNotBeginWith = 1;  // "il numero non inizia per"
constexpr std::uint8_t kInGroup = 2;           // "appartiene al gruppo": text is the group index in decimal
constexpr std::uint8_t kNotInGroup = 3;        // "non appartiene al gruppo"

// How a rule joins its expressions.
constexpr std::uint8_t kAllExpressions = 0;  // AND
constexpr std::uint8_t kAnyExpression = 1;   // OR

struct RuleExpression {
    std::uint8_t kind = kBeginsWith;
    QString text;

    friend bool operator==(const RuleExpression&, const RuleExpression&) = default;
};

// A rating rule: up to six expressions on the dialled number, joined all by AND or all by OR, and the
// tariff slot that applies when the rule holds. Stored as 266 bytes.
struct RatingRule {
    static constexpr qsizetype kSize = 266;
    static constexpr int kMaxExpressions = 6;
    static constexpr qsizetype kExpressionTextWidth = 32;
    static constexpr qsizetype kNameWidth = 64;

    std::vector<RuleExpression> expressions;
    QString name;
    std::uint8_t combination = kAllExpressions;
    std::int16_t tariffSlot = 0;

    // Nothing when the expression count exceeds six or a text in use has no terminator.
    static std::optional<RatingRule> Decode(QByteArrayView bytes, qsizetype offset);
    // Writes at most kMaxExpressions expressions; unused expression slots are zero.
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const RatingRule&, const RatingRule&) = default;
};
