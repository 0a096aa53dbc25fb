#include "tarifftable.h"

#include "binaryrecord.h"
#include "recordfields.h"

#include <algorithm>

namespace {
constexpr qsizetype kCount = 123904;
constexpr int kFixedSlots = 2;
}  // namespace

std::optional<TariffTable> TariffTable::Decode(QByteArrayView bytes, qsizetype offset)
{
    const int count = GetU16(bytes, offset + kCount);
    if (count < kFixedSlots || count > kMaxTariffs)
        return std::nullopt;
    TariffTable table;
    table.tariffs.reserve(count);
    for (int slot = 0; slot < count; ++slot) {
        std::optional<TariffRecord> tariff = TariffRecord::Decode(bytes, offset + slot * TariffRecord::kSize);
        if (!tariff)
            return std::nullopt;
        table.tariffs.push_back(std::move(*tariff));
    }
    return table;
}

void TariffTable::Encode(QByteArray& bytes, qsizetype offset) const
{
    const int count = std::min(Count(), kMaxTariffs);
    ClearField(bytes, offset, kSize);
    for (int slot = 0; slot < count; ++slot)
        tariffs[slot].Encode(bytes, offset + slot * TariffRecord::kSize);
    PutU16(bytes, offset + kCount, static_cast<std::uint16_t>(count));
}
