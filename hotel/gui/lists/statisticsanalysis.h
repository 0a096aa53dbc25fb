#pragma once

#include "checkinrecord.h"
#include "statisticitem.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace lodgix {

// The statistical analysis of closed stays: days of stay or amounts paid, per customer, company or room.
enum class AnalysisBy { kCustomer = 0, kCompany = 1, kRoom = 2 };
enum class AnalysisOutput { kDays = 0, kAmounts = 1 };

// The items of the stays, in the order their keys first came.
std::vector<StatisticItem> AccumulateStatistics(const std::vector<CheckInRecord>& stays, AnalysisBy by,
                                                AnalysisOutput output);

// One row of the analysis list: name, value, mean per contribution, share of the total.
struct AnalysisRow {
    QString name;
    QString value;
    QString mean;
    QString share;
    double sortValue = 0;  // the value, for the list's sort
};

struct AnalysisResult {
    std::vector<AnalysisRow> rows;
    QString total;  // the grand total, "%0.2f"
};

// The rows of the items that have a name (`NameOf` gives none for a key whose record is gone) and a value
// other than 0, with their share of the total of the listed values: a share of a zero total is "0.00%".
using NameOf = std::function<std::optional<QString>(int key)>;
AnalysisResult AnalysisRows(const std::vector<StatisticItem>& items, AnalysisOutput output, const NameOf& nameOf);

}  // namespace lodgix
