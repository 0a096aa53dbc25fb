#include "prefixgroup.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <algorithm>

namespace {
constexpr qsizetype kEntries = 0;
constexpr qsizetype kName = 40960;
constexpr qsizetype kCount = 41024;
}  // namespace

std::optional<PrefixGroup> PrefixGroup::Decode(QByteArrayView bytes, qsizetype offset)
{
    const int count = GetU16(bytes, offset + kCount);
    if (count > kMaxEntries || !HasTerminator(bytes, offset + kName, kNameWidth))
        return std::nullopt;
    PrefixGroup group;
    group.name = ReadAnsiField(bytes, offset + kName, kNameWidth);
    group.entries.reserve(count);
    for (int entry = 0; entry < count; ++entry) {
        std::optional<PrefixEntry> decoded = PrefixEntry::Decode(bytes, offset + kEntries + entry * PrefixEntry::kSize);
        if (!decoded)
            return std::nullopt;
        group.entries.push_back(std::move(*decoded));
    }
    return group;
}

void PrefixGroup::Encode(QByteArray& bytes, qsizetype offset) const
{
    const int count = std::min(Count(), kMaxEntries);
    ClearField(bytes, offset, kSize);
    for (int entry = 0; entry < count; ++entry)
        entries[entry].Encode(bytes, offset + kEntries + entry * PrefixEntry::kSize);
    WriteAnsiField(bytes, offset + kName, kNameWidth, name);
    PutU16(bytes, offset + kCount, static_cast<std::uint16_t>(count));
}
