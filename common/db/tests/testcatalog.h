#pragma once

#include "dbparameters.h"

#include <QString>
#include <QTemporaryDir>

// A catalog of its own for one test, so that tests run in parallel: a file in a temporary folder
// (SQLite), or a uniquely named database of the cluster named by SUITE_TEST_PGHOST, SUITE_TEST_PGPORT and
// SUITE_TEST_PGUSER (PostgreSQL), dropped when the object goes. The catalog itself is created by the code
// under test.
class TestCatalog {
public:
    explicit TestCatalog(DbBackend backend);
    ~TestCatalog();
    TestCatalog(const TestCatalog&) = delete;
    TestCatalog& operator=(const TestCatalog&) = delete;

    // Empty when the backend can be tested here; otherwise why not.
    QString SkipReason() const { return m_skipReason; }
    const DbParameters& Parameters() const { return m_parameters; }

    // Runs statements on the catalog outside the code under test (set-up of old tables, checks).
    bool Execute(const QString& sql) const;

private:
    DbParameters m_parameters;
    QTemporaryDir m_folder;
    QString m_skipReason;
};

// The name of a backend for test names: "Sqlite" or "Postgres".
QString BackendName(DbBackend backend);
