#pragma once

#include "ratingconfiguration.h"
#include "ratingdatabase.h"
#include "testcatalog.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

#include <memory>

class PbxTables;

// The call log the rating benchmarks read: one PBX that times its calls, and kBenchCalls outgoing calls
// of 13 May 2024 spread over the dialling numbers of the first extensions.
constexpr int kBenchCalls = 100000;
constexpr int kBenchFirstExtensionNumber = 201;  // a PBX of at most 100 extensions numbers them from 201

// The first run's configuration of a PBX in Ancona.
RatingConfiguration BenchRatingConfiguration();

// A PBX that times its calls, so that each call is priced by its rule's tariff over its seconds.
QByteArray BenchTimingConfiguration();

// The catalog with one PBX and kBenchCalls outgoing calls spread over `extensions` dialling numbers,
// written by one statement; null (with the reason given to the state) when it cannot be made.
std::unique_ptr<CRatingDatabase> PrepareBenchCalls(benchmark::State& state, TestCatalog& catalog, int extensions);

// PBX 0 of the tables: the benchmarks' PBX with `extensions` extensions handled and found.
void SetBenchPbx(PbxTables& tables, int extensions);
