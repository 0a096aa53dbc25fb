#pragma once

#include "coststatsrow.h"
#include "oledate.h"

#include <span>

// Shares of each row in the totals of all rows (left 0 when a total is 0), and the totals in row 0.
void ComputeStatShares(std::span<CostStatsRow> rows);

// Turns each row's accumulated sums into means and deviations, with the row's number of calls.
void ComputeStatMeans(std::span<CostStatsRow> rows, std::span<const long long> counts);

// Mean (0 for no value) and sample standard deviation (0 for fewer than two values or a negative
// variance from rounding).
void ComputeMeanAndDeviation(double sum, double sumOfSquares, long long n, double& mean, double& deviation);

// The time of day in seconds; 0 for an invalid time.
double SecondsOfDay(const OleDate& time);
