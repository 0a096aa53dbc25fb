#include "tariffday.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr qsizetype kCount = 0;
constexpr qsizetype kBands = 8;
}  // namespace

std::optional<TariffDay> TariffDay::Decode(QByteArrayView bytes, qsizetype offset)
{
    const int count = GetU8(bytes, offset + kCount);
    if (count > kMaxBands)
        return std::nullopt;
    TariffDay day;
    day.bands.reserve(count);
    for (int band = 0; band < count; ++band) {
        const TariffBand decoded = TariffBand::Decode(bytes, offset + kBands + band * TariffBand::kSize);
        // A NaN or infinite bound or value would price every call at nothing without a word.
        if (!std::isfinite(decoded.start) || !std::isfinite(decoded.end) || !std::isfinite(decoded.value))
            return std::nullopt;
        day.bands.push_back(decoded);
    }
    return day;
}

void TariffDay::Encode(QByteArray& bytes, qsizetype offset) const
{
    const int count = std::min<int>(static_cast<int>(bands.size()), kMaxBands);
    ClearField(bytes, offset, kSize);
    PutU8(bytes, offset + kCount, static_cast<std::uint8_t>(count));
    for (int band = 0; band < count; ++band)
        bands[band].Encode(bytes, offset + kBands + band * TariffBand::kSize);
}
