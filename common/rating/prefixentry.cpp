#include "prefixentry.h"

#include "binaryrecord.h"
#include "recordfields.h"

namespace {
constexpr qsizetype kNumber = 0;
constexpr qsizetype kLabel = 16;
}  // namespace

std::optional<PrefixEntry> PrefixEntry::Decode(QByteArrayView bytes, qsizetype offset)
{
    if (!HasTerminator(bytes, offset + kNumber, kNumberWidth) || !HasTerminator(bytes, offset + kLabel, kLabelWidth))
        return std::nullopt;
    return PrefixEntry{ReadAnsiField(bytes, offset + kNumber, kNumberWidth),
                       ReadAnsiField(bytes, offset + kLabel, kLabelWidth)};
}

void PrefixEntry::Encode(QByteArray& bytes, qsizetype offset) const
{
    WriteAnsiField(bytes, offset + kNumber, kNumberWidth, number);
    WriteAnsiField(bytes, offset + kLabel, kLabelWidth, label);
}
