// CallStatistics: the statistics of an extension group, from those of its members.
#include "callstatistics.h"

#include "engineerrorcode.h"
#include "extensiongroup.h"
#include "ratingdatabase.h"

namespace {

// Each member's means count with the same weight, members without calls with 0.
void AverageMeans(std::vector<CostStatsRow>& rows, int members)
{
    for (CostStatsRow& row : rows) {
        row.meanCost /= members;
        row.meanDuration /= members;
    }
}

void GroupShares(std::vector<CostStatsRow>& rows)
{
    double costTotal = 0.0;
    double durationTotal = 0.0;
    for (const CostStatsRow& row : rows) {
        costTotal += row.totalCost;
        durationTotal += row.totalDuration;
    }
    for (CostStatsRow& row : rows) {
        row.costShare = costTotal != 0.0 ? row.totalCost / costTotal : 0.0;
        row.durationShare = durationTotal != 0.0 ? row.totalDuration / durationTotal : 0.0;
    }
}

}  // namespace

bool CallStatistics::ComputeGroupCostStats(std::int32_t groupId, const StatsRequest& period,
                                           std::vector<CostStatsRow>& rows, int& code)
{
    const int n = m_callTypes.Count() + 1;
    rows.assign(static_cast<std::size_t>(n), CostStatsRow{});
    ExtensionGroup group;
    if ((code = m_database.SelectGroup(groupId, group)) != kNoError || group.memberCount == 0)
        return false;
    for (int i = 0; i < group.memberCount; ++i) {
        StatsRequest request = period;
        request.item = group.members[static_cast<std::size_t>(i)];
        std::vector<CostStatsRow> member(static_cast<std::size_t>(n));
        int capacity = n;
        if (ComputeExtensionCostStats(request, capacity, member, code) != 1)
            return false;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            rows[k].totalCost += member[k].totalCost;
            rows[k].totalDuration += member[k].totalDuration;
            rows[k].meanCost += member[k].meanCost;
            rows[k].meanDuration += member[k].meanDuration;
        }
        rows[0].grandTotalCost += member[0].grandTotalCost;
        rows[0].grandTotalDuration += member[0].grandTotalDuration;
    }
    AverageMeans(rows, group.memberCount);
    GroupShares(rows);
    return true;
}

bool CallStatistics::ComputeGroupEfficiencyStats(std::int32_t groupId, const StatsRequest& period,
                                                 std::vector<CostStatsRow>& rows, int& code)
{
    rows.assign(kEfficiencyRows, CostStatsRow{});
    ExtensionGroup group;
    if ((code = m_database.SelectGroup(groupId, group)) != kNoError || group.memberCount == 0)
        return false;
    for (int i = 0; i < group.memberCount; ++i) {
        StatsRequest request = period;
        request.item = group.members[static_cast<std::size_t>(i)];
        std::vector<CostStatsRow> member(kEfficiencyRows);
        int capacity = kEfficiencyRows;
        if (ComputeExtensionEfficiencyStats(request, capacity, member, code) != 1)
            return false;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            rows[k].totalDuration += member[k].totalDuration;
            rows[k].meanDuration += member[k].meanDuration;
        }
        rows[0].grandTotalDuration += member[0].grandTotalDuration;
    }
    AverageMeans(rows, group.memberCount);
    GroupShares(rows);  // costs stay 0, and so do their shares
    return true;
}
