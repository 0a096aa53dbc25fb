#pragma once

#include "money.h"

#include <array>

namespace lodgix {

enum class Season { kLow, kMedium, kHigh };
// In the order a record keeps them; the columns run OB, BB, FB, HB instead.
enum class Treatment { kOvernight, kHalfBoard, kBedAndBreakfast, kFullBoard };

// The twelve daily prices of a room or an agreement: for each season, one per treatment.
struct PriceTable {
    static constexpr int kSeasons = 3;
    static constexpr int kTreatments = 4;
    static constexpr int kCount = kSeasons * kTreatments;

    std::array<Money, kCount> prices{};

    Money& Price(Season season, Treatment treatment) { return prices[Index(season, treatment)]; }
    Money Price(Season season, Treatment treatment) const { return prices[Index(season, treatment)]; }

    // The column that stores slot i of the table ("HBPriceMed" for the half board of the middle season).
    static const char* Column(int index);

    friend bool operator==(const PriceTable&, const PriceTable&) = default;

private:
    static int Index(Season season, Treatment treatment)
    {
        return static_cast<int>(season) * kTreatments + static_cast<int>(treatment);
    }
};

}  // namespace lodgix
