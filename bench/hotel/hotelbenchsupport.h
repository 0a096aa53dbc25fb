#pragma once

// What the hotel benchmarks share: a catalog made as the engine's start-up makes it, and a stopwatch.

#include "engineerrorcode.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

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

// One filled catalog per backend, made on the first run that asks and kept for the rest (filling takes
// longer than the runs). `Data` is made from its backend and keeps the filler's failure, empty on success.
// The catalogs go when the application ends, while QtSql is still there.
template <class Data>
class CatalogCache {
public:
    using Filler = QString (*)(Data&);
    explicit CatalogCache(Filler fill) : m_fill(fill)
    {
        s_live = this;
        qAddPostRoutine(&ClearLive);
    }
    ~CatalogCache() { s_live = nullptr; }

    Data& For(DbBackend backend)
    {
        auto& data = m_catalogs[backend];
        if (!data) {
            data = std::make_unique<Data>(backend);
            data->failure = m_fill(*data);
        }
        return *data;
    }
    void Clear() { m_catalogs.clear(); }

private:
    static void ClearLive()
    {
        if (s_live)
            s_live->Clear();
    }

    static inline CatalogCache* s_live = nullptr;
    Filler m_fill;
    std::map<DbBackend, std::unique_ptr<Data>> m_catalogs;
};

inline double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace hotelbench
