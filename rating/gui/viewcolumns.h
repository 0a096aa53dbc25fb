#pragma once

#include <cstdint>
#include <vector>

// The seven modes of the rating view.
enum ViewMode : std::uint8_t {
    kNoMode = 0,  // nothing built yet, or a rebuild is to be forced
    kHistoryMode = 1,
    kRulesMode = 2,
    kPrefixesMode = 3,
    kTariffsMode = 4,
    kStatisticsMode = 5,
    kAccountMode = 6,
    kLineHistoryMode = 7,
};

// Option bits of the two history modes.
constexpr std::uint8_t kHideDigitsOption = 0x01;
constexpr std::uint8_t kShowSecondColumnOption = 0x02;  // the line (mode 1) or the calling extension (mode 7)

// One column of the view's report list: heading, width in units of the mode, alignment.
struct ViewColumn {
    unsigned heading;  // string id
    int units;
    bool centred = false;
};

// The report columns of a mode: in the history modes four variants by the second-column option and by
// a PBX that reports durations (no "Scatti" column); in the account mode widths in eighths of the list;
// in the prefixes mode sixths. Other modes have no report columns of their own.
std::vector<ViewColumn> ModeColumns(std::uint8_t mode, std::uint8_t options, bool reportsDurations);

// The unit the widths of a mode count in, for a list of that inner width.
int ColumnUnit(std::uint8_t mode, int listWidth);
