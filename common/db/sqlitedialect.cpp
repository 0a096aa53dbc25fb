#include "sqlitedialect.h"

#include "dbconnection.h"
#include "engineerrorcode.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

namespace {

constexpr int kBusyTimeoutMs = 15000;
constexpr char kServerOnly[] = ":memory:";

// The file as an SQLite URI; mode=rw refuses a missing file, so that connecting never creates a catalog.
QString CatalogUri(const QString& file, bool create)
{
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
}

QString ConnectOptions()
{
    return QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_URI").arg(kBusyTimeoutMs);
}

}  // namespace

QString SqliteDialect::DriverName() const { return QStringLiteral("QSQLITE"); }

void SqliteDialect::Configure(QSqlDatabase& database, const DbParameters& parameters, const QString&,
                              bool withCatalog) const
{
    // Without a catalog there is no server to talk to: an empty in-memory database stands in for it.
    database.setDatabaseName(withCatalog ? CatalogUri(parameters.file, false) : QString::fromLatin1(kServerOnly));
    database.setConnectOptions(ConnectOptions());
}

QStringList SqliteDialect::SessionStatements(bool withCatalog) const
{
    if (!withCatalog)
        return {};
    return {QStringLiteral("PRAGMA journal_mode=WAL")};
}

int SqliteDialect::FindCatalog(CDbConnection& server, bool& found) const
{
    const QString file = server.Parameters().file;
    found = !file.isEmpty() && QFileInfo(file).isFile();
    return kNoError;
}

int SqliteDialect::CreateCatalog(CDbConnection& server) const
{
    const QString file = server.Parameters().file;
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).absolutePath()))
        return kDbCatalogCreationFailed;
    static std::atomic<int> s_counter{0};
    const QString name = QStringLiteral("SqliteCatalogCreation-%1").arg(++s_counter);
    bool created = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(DriverName(), name);
        database.setDatabaseName(CatalogUri(file, true));
        database.setConnectOptions(ConnectOptions());
        if (database.open()) {
            QSqlQuery query(database);
            created = query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            query.finish();
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return created ? kNoError : kDbCatalogCreationFailed;
}

QString SqliteDialect::ColumnType(const QString& declaredType) const
{
    const QString type = declaredType.trimmed().toLower();
    if (type.endsWith(QStringLiteral("identity")))
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    if (type == QStringLiteral("float"))
        return QStringLiteral("REAL");
    if (type.startsWith(QStringLiteral("varchar")))
        return declaredType.trimmed() + QStringLiteral(" COLLATE NOCASE");
    return declaredType.trimmed();
}

SqlStatement SqliteDialect::TablePresence(const QString& table) const
{
    return {QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), {table}};
}

SqlStatement SqliteDialect::ColumnPresence(const QString& table, const QString& column) const
{
    return {QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"), {table, column}};
}

SqlStatement SqliteDialect::TableList() const
{
    return {QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"),
            {}};
}

QString SqliteDialect::BeginTransaction() const
{
    // Take the write lock at once: a deferred transaction that reads first cannot wait for a writer.
    return QStringLiteral("BEGIN IMMEDIATE");
}

bool SqliteDialect::IsDateColumn(const QSqlDatabase& database, const QString& table, const QString& column) const
{
    if (table.isEmpty())
        return false;
    const QString tableKey = table.toLower();
    const QString columnKey = column.toLower();
    auto found = m_declaredTypes.constFind(tableKey);
    if (found == m_declaredTypes.constEnd() || !found->contains(columnKey)) {
        QHash<QString, QString> types;
        QSqlQuery query(database);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
        query.addBindValue(table);
        if (!query.exec())
            return false;
        while (query.next())
            types.insert(query.value(0).toString().toLower(), query.value(1).toString().toLower());
        found = m_declaredTypes.insert(tableKey, types);
    }
    return found->value(columnKey).startsWith(QStringLiteral("datetime"));
}

void SqliteDialect::BeforeStatement(const QSqlDatabase& database) const
{
    QSqlQuery version(database);
    if (!version.exec(QStringLiteral("PRAGMA schema_version")) || !version.next())
        return;
    const qint64 current = version.value(0).toLongLong();
    version.finish();
    if (current == m_schemaVersion)
        return;
    if (m_schemaVersion >= 0) {
        QSqlQuery reload(database);
        reload.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        reload.finish();
        ForgetSchema();
    }
    m_schemaVersion = current;
}

QString SqliteDialect::LockTableForWrite(const QString&) const
{
    return {};  // BEGIN IMMEDIATE holds the database's write lock already
}
