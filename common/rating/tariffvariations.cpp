#include "tariffvariations.h"

#include "binaryrecord.h"
#include "recordfields.h"

namespace {
constexpr qsizetype kValues = 0;
constexpr qsizetype kCount = 512;
}  // namespace

std::optional<TariffVariations> TariffVariations::Decode(QByteArrayView bytes, qsizetype offset)
{
    TariffVariations variations;
    variations.count = GetU16(bytes, offset + kCount);
    if (variations.count > kSlots)
        return std::nullopt;
    for (int slot = 0; slot < kSlots; ++slot)
        variations.values[slot] = GetF64(bytes, offset + kValues + slot * 8);
    return variations;
}

void TariffVariations::Encode(QByteArray& bytes, qsizetype offset) const
{
    ClearField(bytes, offset, kSize);
    for (int slot = 0; slot < kSlots; ++slot)
        PutF64(bytes, offset + kValues + slot * 8, values[slot]);
    PutU16(bytes, offset + kCount, count);
}

void ResetTariffVariations(TariffVariations& variations, std::uint16_t tariffCount)
{
    variations.values.fill(0.0);
    variations.count = tariffCount;
}
