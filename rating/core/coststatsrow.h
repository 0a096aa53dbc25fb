#pragma once

// One class of calls in a statistic. During a pass the mean and deviation fields accumulate sums and sums
// of squares; at the end they hold means and sample standard deviations.
struct CostStatsRow {
    double totalCost = 0.0;          // euro
    double totalDuration = 0.0;      // seconds
    double meanCost = 0.0;
    double meanDuration = 0.0;
    double costDeviation = 0.0;
    double durationDeviation = 0.0;
    double costShare = 0.0;          // of all rows' total cost, a fraction
    double durationShare = 0.0;
    double grandTotalCost = 0.0;     // row 0 only: every row's total cost
    double grandTotalDuration = 0.0; // row 0 only
};
