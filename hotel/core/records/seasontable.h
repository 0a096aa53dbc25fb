#pragma once

#include <QtGlobal>

#include <array>

namespace lodgix {

// A period of the year, each end a day as month * 256 + day of month; 0 and 0 mark no period.
struct SeasonRange {
    quint16 start = 0;
    quint16 end = 0;
    friend bool operator==(const SeasonRange&, const SeasonRange&) = default;
};

// The hotel's calendar: five low-season and five high-season periods; other days are the middle season.
struct SeasonTable {
    static constexpr int kRanges = 5;
    std::array<SeasonRange, kRanges> low{};
    std::array<SeasonRange, kRanges> high{};

    static constexpr quint16 Day(int month, int day) { return static_cast<quint16>(month * 256 + day); }
    // The calendar a new hotel starts with.
    static SeasonTable Defaults();

    friend bool operator==(const SeasonTable&, const SeasonTable&) = default;
};

}  // namespace lodgix
