#include "tariffvariations.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <cmath>

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
    for (int slot = 0; slot < kSlots; ++slot) {
        const double value = GetF64(bytes, offset + kValues + slot * 8);
        if (std::isfinite(value))
            variations.values[slot] = value;
        else if (slot < variations.count)
            return std::nullopt;  // a variation of NaN or infinity would make every price NaN
        // A slot past the count is unused; what it held does not matter and it reads as 0.
    }
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
