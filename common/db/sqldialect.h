#pragma once

#include "dbparameters.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

class CDbConnection;

// One statement with its bound values.
struct SqlStatement {
    QString sql;
    QVariantList values;
};

// What differs between the two backends: connection set-up, the catalog, the presence of tables and
// columns, type names and transactions. Every other statement is written once, in the SQL both accept.
class SqlDialect {
public:
    virtual ~SqlDialect() = default;

    static std::unique_ptr<SqlDialect> For(DbBackend backend);

    virtual DbBackend Backend() const = 0;
    virtual QString DriverName() const = 0;

    // Sets up an added, not yet opened connection: to the server alone, or to its catalog.
    virtual void Configure(QSqlDatabase& database, const DbParameters& parameters, const QString& serverName,
                           bool withCatalog) const = 0;
    // Statements run on every freshly opened connection.
    virtual QStringList SessionStatements(bool withCatalog) const = 0;

    // Catalog look-up and creation, on a connection to the server alone: 0, or 49 / 51.
    virtual int FindCatalog(CDbConnection& server, bool& found) const = 0;
    virtual int CreateCatalog(CDbConnection& server) const = 0;
    // Statements run on the catalog each time the engine makes sure it exists.
    virtual QStringList CatalogSetup() const = 0;

    // The backend's type for a declared type of the column table ("smallint", "datetime", "varchar(50)",
    // "integer not null identity"...).
    virtual QString ColumnType(const QString& declaredType) const = 0;

    // Queries that return a row exactly when the table (or the column) exists; names compare without case.
    virtual SqlStatement TablePresence(const QString& table) const = 0;
    virtual SqlStatement ColumnPresence(const QString& table, const QString& column) const = 0;
    // A query listing the catalog's tables in its column "name".
    virtual SqlStatement TableList() const = 0;

    QString AddColumn(const QString& table, const QString& column, const QString& declaredType) const;

    virtual QString BeginTransaction() const = 0;
    // Run inside a transaction before a duplicate test and the write that follows it, so that another
    // connection's equal write waits for this one; empty when beginning the transaction took that lock.
    virtual QString LockTableForWrite(const QString& table) const = 0;

    // Whether a statement with bound values is worth keeping prepared for its next use (a round trip to
    // the server saved each time).
    virtual bool KeepsPreparedStatements() const = 0;

    // Whether a text value of the result column is a stored date-time (SQLite keeps them as text; the
    // declared type of the column says so).
    virtual bool IsDateColumn(const QSqlDatabase& database, const QString& table, const QString& column) const;
    // Forgets what was learnt of the schema (after a statement that changes it).
    virtual void ForgetSchema() const {}
    // Runs before each statement of the connection.
    virtual void BeforeStatement(const QSqlDatabase&) const {}

protected:
    SqlDialect() = default;
};
