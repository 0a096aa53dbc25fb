#pragma once

#include "dbconnection.h"
#include "engineerrorcode.h"
#include "sqldatabase.h"
#include "testcatalog.h"

#include <gtest/gtest.h>

#include <memory>

// A test run on each backend with a catalog of its own; PostgreSQL is skipped, with the reason printed,
// only when no cluster is given.
class DbTest : public ::testing::TestWithParam<DbBackend> {
protected:
    void SetUp() override
    {
        m_catalog = std::make_unique<TestCatalog>(GetParam());
        if (!m_catalog->SkipReason().isEmpty())
            GTEST_SKIP() << m_catalog->SkipReason().toStdString();
    }

    TestCatalog& Catalog() { return *m_catalog; }
    DbParameters Parameters() const { return m_catalog->Parameters(); }

    // An engine database on a catalog made by the engine's start-up.
    std::unique_ptr<CSqlDatabase> StartEngineDatabase()
    {
        auto database = std::make_unique<CSqlDatabase>(Parameters());
        EXPECT_EQ(database->ConnectAndCreateSchema(kServer), kNoError) << database->LastError().toStdString();
        return database;
    }

    // An engine database with one configured PBX, started again so that its tables exist.
    std::unique_ptr<CSqlDatabase> StartEngineDatabaseWithPbx(int pbx, const QString& identifier)
    {
        auto database = StartEngineDatabase();
        EXPECT_EQ(database->InsertEngineConfiguration(pbx, identifier, 0), kNoError);
        EXPECT_EQ(database->ConnectAndCreateSchema(kServer), kNoError) << database->LastError().toStdString();
        return database;
    }

    // The catalog's table names in lower case (PostgreSQL folds them), sorted.
    static QStringList LowerTables(CSqlDatabase& database)
    {
        QStringList names;
        EXPECT_EQ(database.ListTables(names), kNoError);
        for (QString& name : names)
            name = name.toLower();
        names.sort();
        return names;
    }

    // Creates the empty catalog, as the engine's start-up does; true when it exists afterwards.
    bool CreateCatalog()
    {
        CDbConnection server(Parameters());
        server.SetTarget(kServer, false);
        bool found = false;
        if (server.Open() != kNoError || server.Dialect().FindCatalog(server, found) != kNoError)
            return false;
        if (!found && server.Dialect().CreateCatalog(server) != kNoError)
            return false;
        CDbConnection catalog(Parameters());
        catalog.SetTarget(kServer, true);
        if (catalog.Open() != kNoError)
            return false;
        for (const QString& statement : catalog.Dialect().CatalogSetup())
            if (catalog.OpenRecordset(statement) != kNoError)
                return false;
        return true;
    }

    static inline const QString kServer = QStringLiteral("server");

private:
    std::unique_ptr<TestCatalog> m_catalog;
};

#define INSTANTIATE_DB_TEST(suite)                                                                              \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),     \
                             [](const ::testing::TestParamInfo<DbBackend>& info) {                              \
                                 return BackendName(info.param).toStdString();                                  \
                             })
