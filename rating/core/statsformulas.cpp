#include "statsformulas.h"

#include <cmath>

void ComputeStatShares(std::span<CostStatsRow> rows)
{
    double costSum = 0.0;
    double durationSum = 0.0;
    for (const CostStatsRow& row : rows) {
        costSum += row.totalCost;
        durationSum += row.totalDuration;
    }
    for (CostStatsRow& row : rows) {
        if (durationSum != 0.0)
            row.durationShare = row.totalDuration / durationSum;
        if (costSum != 0.0)
            row.costShare = row.totalCost / costSum;
    }
    if (!rows.empty()) {
        rows[0].grandTotalCost = costSum;
        rows[0].grandTotalDuration = durationSum;
    }
}

void ComputeStatMeans(std::span<CostStatsRow> rows, std::span<const long long> counts)
{
    for (std::size_t i = 0; i < rows.size() && i < counts.size(); ++i) {
        CostStatsRow& row = rows[i];
        ComputeMeanAndDeviation(row.meanCost, row.costDeviation, counts[i], row.meanCost, row.costDeviation);
        ComputeMeanAndDeviation(row.meanDuration, row.durationDeviation, counts[i], row.meanDuration,
                                row.durationDeviation);
    }
}

void ComputeMeanAndDeviation(double sum, double sumOfSquares, long long n, double& mean, double& deviation)
{
    const double count = static_cast<double>(n);
    mean = n > 0 ? sum / count : 0.0;
    const double spread = count * sumOfSquares - sum * sum;
    deviation = n > 1 && spread >= 0.0 ? std::sqrt(spread / (count * (count - 1.0))) : 0.0;
}

double SecondsOfDay(const OleDate& time)
{
    if (!time.IsValid())
        return 0.0;
    return time.Hour() * 3600.0 + time.Minute() * 60.0 + time.Second();
}
