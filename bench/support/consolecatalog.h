#pragma once

// A catalog of the engine's tables with one PBX, for the benchmarks of the console's call-log readers.

#include "engineerrorcode.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace benchsupport {

struct ConsoleCatalog {
    explicit ConsoleCatalog(DbBackend backend) : catalog(backend) {}
    ConsoleCatalog(const ConsoleCatalog&) = delete;
    ConsoleCatalog& operator=(const ConsoleCatalog&) = delete;

    TestCatalog catalog;
    std::unique_ptr<CSqlDatabase> database;
    QString failure;
};

// Makes the schema with the PBX "PBX1" of identifier `pbx` (and the operator console's tables when asked);
// empty on success, else why not.
inline QString OpenConsoleCatalog(ConsoleCatalog& data, int pbx, bool consoleTables)
{
    if (!data.catalog.SkipReason().isEmpty())
        return data.catalog.SkipReason();
    data.database = std::make_unique<CSqlDatabase>(data.catalog.Parameters());
    CSqlDatabase& database = *data.database;
    // The second schema pass makes the PBX's own tables, known only once its configuration row is there.
    if (database.ConnectAndCreateSchema(QString()) != kNoError ||
        database.InsertEngineConfiguration(pbx, QStringLiteral("PBX1"), 0) != kNoError ||
        database.ConnectAndCreateSchema(QString()) != kNoError ||
        (consoleTables && database.PrepareOperatorConsoleTables() != kNoError))
        return QStringLiteral("the catalog could not be made");
    return QString();
}

// False, with the run skipped and the reason given, when the catalog could not be filled.
inline bool CatalogUsable(const ConsoleCatalog& data, benchmark::State& state)
{
    if (data.failure.isEmpty())
        return true;
    state.SkipWithError(data.failure.toStdString().c_str());
    return false;
}

}  // namespace benchsupport
