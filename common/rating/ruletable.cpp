#include "ruletable.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <algorithm>

namespace {
constexpr qsizetype kCount = 0;
constexpr qsizetype kRules = 2;
}  // namespace

std::optional<RuleTable> RuleTable::Decode(QByteArrayView bytes, qsizetype offset)
{
    const int count = GetU16(bytes, offset + kCount);
    if (count > kMaxRules)
        return std::nullopt;
    RuleTable table;
    table.rules.reserve(count);
    for (int rule = 0; rule < count; ++rule) {
        std::optional<RatingRule> decoded = RatingRule::Decode(bytes, offset + kRules + rule * RatingRule::kSize);
        if (!decoded)
            return std::nullopt;
        table.rules.push_back(std::move(*decoded));
    }
    return table;
}

void RuleTable::Encode(QByteArray& bytes, qsizetype offset) const
{
    const int count = std::min(Count(), kMaxRules);
    ClearField(bytes, offset, kSize);
    PutU16(bytes, offset + kCount, static_cast<std::uint16_t>(count));
    for (int rule = 0; rule < count; ++rule)
        rules[rule].Encode(bytes, offset + kRules + rule * RatingRule::kSize);
}
