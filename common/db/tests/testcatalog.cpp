#include "testcatalog.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QCoreApplication>

#include <atomic>

namespace {

std::atomic<int> g_counter{0};

QString NextConnectionName() { return QStringLiteral("TestCatalog-%1").arg(++g_counter); }

// Runs one statement on a short-lived connection.
bool RunOn(const DbParameters& parameters, const QString& database, const QString& sql)
{
    const QString name = NextConnectionName();
    bool ran = false;
    {
        QSqlDatabase connection;
        if (parameters.backend == DbBackend::kPostgres) {
            connection = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            connection.setHostName(parameters.host);
            connection.setPort(parameters.port);
            connection.setUserName(parameters.user);
            connection.setDatabaseName(database);
        } else {
            connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            connection.setDatabaseName(parameters.file);
            connection.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
        }
        if (connection.open()) {
            QSqlQuery query(connection);
            ran = query.exec(sql);
            query.finish();
            connection.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ran;
}

}  // namespace

TestCatalog::TestCatalog(DbBackend backend)
{
    m_parameters.backend = backend;
    if (backend == DbBackend::kSqlite) {
        m_parameters.file = m_folder.filePath(QStringLiteral("Data/Corvanti.sqlite"));
        return;
    }
    const QString host = qEnvironmentVariable("SUITE_TEST_PGHOST");
    if (host.isEmpty()) {
        m_skipReason = QStringLiteral("PostgreSQL not tested: SUITE_TEST_PGHOST is not set");
        return;
    }
    m_parameters.host = host;
    bool portOk = false;
    const int port = qEnvironmentVariable("SUITE_TEST_PGPORT").toInt(&portOk);
    m_parameters.port = portOk ? port : kDefaultPostgresPort;
    m_parameters.user = qEnvironmentVariable("SUITE_TEST_PGUSER");
    m_parameters.database = QStringLiteral("corvanti_test_%1_%2_%3")
                                .arg(QCoreApplication::applicationPid())
                                .arg(++g_counter)
                                .arg(QRandomGenerator::global()->bounded(1000000));
}

TestCatalog::~TestCatalog()
{
    if (m_parameters.backend == DbBackend::kPostgres && m_skipReason.isEmpty())
        RunOn(m_parameters, QStringLiteral("postgres"),
              QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_parameters.database));
}

bool TestCatalog::Execute(const QString& sql) const
{
    return RunOn(m_parameters, m_parameters.database, sql);
}

QString BackendName(DbBackend backend)
{
    return backend == DbBackend::kPostgres ? QStringLiteral("Postgres") : QStringLiteral("Sqlite");
}
