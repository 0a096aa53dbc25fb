#pragma once

// What the hotel benchmarks share: a catalog made as the engine's start-up makes it, and a stopwatch.

#include "catalogcache.h"
#include "engineerrorcode.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace hotelbench {

inline const QString kServer = QStringLiteral("server");

// False, with the run skipped and the reason given, when the backend cannot be used here or the catalog
// cannot be made.
inline bool StartCatalog(const TestCatalog& catalog, benchmark::State& state)
{
    if (!catalog.SkipReason().isEmpty()) {
        state.SkipWithError(catalog.SkipReason().toStdString().c_str());
        return false;
    }
    CSqlDatabase engine(catalog.Parameters());
    if (engine.ConnectAndCreateSchema(kServer) != kNoError) {
        state.SkipWithError("the catalog could not be made");
        return false;
    }
    return true;
}

using benchsupport::CatalogCache;

inline double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace hotelbench
