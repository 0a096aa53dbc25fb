#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

// One time band of a tariff day: from `start` (inclusive) to `end` (exclusive), in seconds since
// midnight. `value` is the price per second in euro of a time tariff, or the pulse interval in seconds of
// a pulse tariff. Stored as 32 bytes.
struct TariffBand {
    static constexpr qsizetype kSize = 32;

    double start = 0.0;
    double end = 0.0;
    double value = 0.0;
    std::uint32_t colour = 0;  // COLORREF of the band in tariff pictures

    static TariffBand Decode(QByteArrayView bytes, qsizetype offset);
    void Encode(QByteArray& bytes, qsizetype offset) const;  // padding written as 0

    friend bool operator==(const TariffBand&, const TariffBand&) = default;
};
