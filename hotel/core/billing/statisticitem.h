#pragma once

#include "money.h"

#include <vector>

namespace lodgix {

// One line of a statistic: a key (a room, a guest, a service ...), the days and the amount summed over the
// records that had it, and how many records those were.
struct StatisticItem {
    int key = 0;
    int days = 0;
    Money amount;
    int count = 0;

    friend bool operator==(const StatisticItem&, const StatisticItem&) = default;
};

// The index of the item with the item's key, or -1.
int FindStatisticItem(const StatisticItem& item, const std::vector<StatisticItem>& items);
// Adds the item's days and amount to the item of its key and counts one more; a new key is appended with a
// count of 1.
void AddStatisticItem(const StatisticItem& item, std::vector<StatisticItem>& items);

}  // namespace lodgix
