#include "prefixgrouptable.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <algorithm>

namespace {
constexpr qsizetype kCount = 2625664;
}  // namespace

std::optional<PrefixGroupTable> PrefixGroupTable::Decode(QByteArrayView bytes, qsizetype offset)
{
    const int count = GetU16(bytes, offset + kCount);
    if (count > kMaxGroups)
        return std::nullopt;
    PrefixGroupTable table;
    table.groups.reserve(count);
    for (int group = 0; group < count; ++group) {
        std::optional<PrefixGroup> decoded = PrefixGroup::Decode(bytes, offset + group * PrefixGroup::kSize);
        if (!decoded)
            return std::nullopt;
        table.groups.push_back(std::move(*decoded));
    }
    return table;
}

void PrefixGroupTable::Encode(QByteArray& bytes, qsizetype offset) const
{
    const int count = std::min(Count(), kMaxGroups);
    ClearField(bytes, offset, kSize);
    for (int group = 0; group < count; ++group)
        groups[group].Encode(bytes, offset + group * PrefixGroup::kSize);
    PutU16(bytes, offset + kCount, static_cast<std::uint16_t>(count));
}
