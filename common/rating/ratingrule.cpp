#include "ratingrule.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <algorithm>

namespace {
constexpr qsizetype kKinds = 0;
constexpr qsizetype kTexts = 6;
constexpr qsizetype kName = 198;
constexpr qsizetype kCount = 262;
constexpr qsizetype kCombination = 263;
constexpr qsizetype kTariffSlot = 264;
}  // namespace

std::optional<RatingRule> RatingRule::Decode(QByteArrayView bytes, qsizetype offset)
{
    const int count = GetU8(bytes, offset + kCount);
    if (count > kMaxExpressions || !HasTerminator(bytes, offset + kName, kNameWidth))
        return std::nullopt;
    RatingRule rule;
    rule.expressions.reserve(count);
    for (int expression = 0; expression < count; ++expression) {
        const qsizetype text = offset + kTexts + expression * kExpressionTextWidth;
        if (!HasTerminator(bytes, text, kExpressionTextWidth))
            return std::nullopt;
        rule.expressions.push_back(
            {GetU8(bytes, offset + kKinds + expression), ReadAnsiField(bytes, text, kExpressionTextWidth)});
    }
    rule.name = ReadAnsiField(bytes, offset + kName, kNameWidth);
    rule.combination = GetU8(bytes, offset + kCombination);
    rule.tariffSlot = GetI16(bytes, offset + kTariffSlot);
    return rule;
}

void RatingRule::Encode(QByteArray& bytes, qsizetype offset) const
{
    const int count = std::min<int>(static_cast<int>(expressions.size()), kMaxExpressions);
    ClearField(bytes, offset, kSize);
    for (int expression = 0; expression < count; ++expression) {
        PutU8(bytes, offset + kKinds + expression, expressions[expression].kind);
        WriteAnsiField(bytes, offset + kTexts + expression * kExpressionTextWidth, kExpressionTextWidth,
                       expressions[expression].text);
    }
    WriteAnsiField(bytes, offset + kName, kNameWidth, name);
    PutU8(bytes, offset + kCount, static_cast<std::uint8_t>(count));
    PutU8(bytes, offset + kCombination, combination);
    PutI16(bytes, offset + kTariffSlot, tariffSlot);
}
