#include "viewcolumns.h"

#include "viewstrings.h"

namespace {

// The list's width less its border, shared out in twelfths (history), sixths (prefixes) or eighths
// (account).
constexpr int kListBorder = 4;
constexpr int kHistoryUnits = 12;
constexpr int kPrefixUnits = 6;
constexpr int kAccountUnits = 8;

std::vector<ViewColumn> HistoryColumns(unsigned secondColumn, std::uint8_t options, bool durations)
{
    if (options & kShowSecondColumnOption) {
        if (durations)
            return {{kDateTimeText, 2}, {kDurationText, 1}, {secondColumn, 2}, {kCalledNumberText, 2},
                    {kTariffUsedText, 2}, {kAmountText, 1}, {kBilledText, 2, true}};
        return {{kDateTimeText, 2}, {kDurationText, 1}, {kPulsesText, 1}, {secondColumn, 1}, {kCalledNumberText, 2},
                {kTariffUsedText, 2}, {kAmountText, 1}, {kBilledText, 2, true}};
    }
    if (durations)
        return {{kDateTimeText, 2}, {kDurationText, 2}, {kCalledNumberText, 2}, {kTariffUsedText, 3},
                {kAmountText, 1}, {kBilledText, 2}};
    return {{kDateTimeText, 2}, {kDurationText, 2}, {kPulsesText, 1}, {kCalledNumberText, 2}, {kTariffUsedText, 2},
            {kAmountText, 1}, {kBilledText, 2}};
}

}  // namespace

std::vector<ViewColumn> ModeColumns(std::uint8_t mode, std::uint8_t options, bool reportsDurations)
{
    switch (mode) {
    case kHistoryMode:
        return HistoryColumns(kLineText, options, reportsDurations);
    case kLineHistoryMode:
        return HistoryColumns(kExtensionText, options, reportsDurations);
    case kPrefixesMode:
        return {{kPrefixLabelText, 5}, {kPrefixText, 1}};
    case kAccountMode:
        if (reportsDurations)
            return {{kDateTimeText, 2}, {kDurationText, 1}, {kCalledNumberText, 3}, {kAmountText, 2}};
        return {{kDateTimeText, 2}, {kDurationText, 1}, {kPulsesText, 1}, {kCalledNumberText, 2}, {kAmountText, 2}};
    default:
        return {};
    }
}

int ColumnUnit(std::uint8_t mode, int listWidth)
{
    switch (mode) {
    case kAccountMode:
        return (listWidth - kListBorder) / kAccountUnits;
    case kPrefixesMode:
        return (listWidth - kListBorder) / kPrefixUnits;
    default:
        return (listWidth - kListBorder) / kHistoryUnits;
    }
}
