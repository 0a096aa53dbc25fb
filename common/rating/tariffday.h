#pragma once

#include "tariffband.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// The bands of one kind of day (Monday ... Saturday, Sunday and holidays), at most eight. Stored as 264
// bytes: the band count, padding, then eight band slots of which the first `count` are in use.
struct TariffDay {
    static constexpr qsizetype kSize = 264;
    static constexpr int kMaxBands = 8;

    std::vector<TariffBand> bands;

    // Nothing when the stored count exceeds the eight slots.
    static std::optional<TariffDay> Decode(QByteArrayView bytes, qsizetype offset);
    // Writes at most kMaxBands bands; unused slots and padding are zero.
    void Encode(QByteArray& bytes, qsizetype offset) const;

    friend bool operator==(const TariffDay&, const TariffDay&) = default;
};
