#pragma once

#include "tariffrecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// The tariffs in use, at most 64. Slot 0 is the PBX pulse tariff (calls of a PBX that counts pulses),
// slot 1 the generic tariff (numbers that no rule matches); the editors never delete either. Stored as
// 123,912 bytes: 64 record slots, then the count.
struct TariffTable {
    static constexpr qsizetype kSize = 123912;
    static constexpr int kMaxTariffs = 64;
    static constexpr int kPulseTariff = 0;
    static constexpr int kGenericTariff = 1;

    std::vector<TariffRecord> tariffs;

    int Count() const { return static_cast<int>(tariffs.size()); }

    // Nothing when the count is outside 2..64 (a stored table always keeps its two fixed slots) or a
    // tariff in use is damaged.
    static std::optional<TariffTable> Decode(QByteArrayView bytes, qsizetype offset);
    // Writes at most kMaxTariffs tariffs; unused slots and padding are zero.
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const TariffTable&, const TariffTable&) = default;
};
