#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>

// The percentage variation of each tariff slot as a fraction (+10 % is 0.10), applied to the time price
// of time tariffs only. Stored as 520 bytes: 64 doubles, the tariff count, padding.
struct TariffVariations {
    static constexpr qsizetype kSize = 520;
    static constexpr int kSlots = 64;

    std::array<double, kSlots> values{};
    std::uint16_t count = 0;

    // Nothing when the stored count exceeds the 64 slots.
    static std::optional<TariffVariations> Decode(QByteArrayView bytes, qsizetype offset);
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const TariffVariations&, const TariffVariations&) = default;
};

// All 64 variations 0.0, with the tariff count stored.
void ResetTariffVariations(TariffVariations& variations, std::uint16_t tariffCount);
