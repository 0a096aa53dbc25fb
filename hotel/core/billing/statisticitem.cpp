#include "statisticitem.h"

#include <algorithm>

namespace lodgix {

int FindStatisticItem(const StatisticItem& item, const std::vector<StatisticItem>& items)
{
    const auto found =
        std::find_if(items.begin(), items.end(), [&](const StatisticItem& other) { return other.key == item.key; });
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void AddStatisticItem(const StatisticItem& item, std::vector<StatisticItem>& items)
{
    const int index = FindStatisticItem(item, items);
    if (index < 0) {
        StatisticItem added = item;
        added.count = 1;
        items.push_back(added);
        return;
    }
    StatisticItem& existing = items[static_cast<std::size_t>(index)];
    existing.days += item.days;
    existing.amount = existing.amount + item.amount;
    ++existing.count;
}

}  // namespace lodgix
