#pragma once

#include "sqldialect.h"

// PostgreSQL: the catalog is a database of the server; text columns are citext, so that comparisons
// ignore case as on the original server.
class PostgresDialect : public SqlDialect {
public:
    DbBackend Backend() const override { return DbBackend::kPostgres; }
    QString DriverName() const override;
    void Configure(QSqlDatabase& database, const DbParameters& parameters, const QString& serverName,
                   bool withCatalog) const override;
    QStringList SessionStatements(bool withCatalog) const override;
    int FindCatalog(CDbConnection& server, bool& found) const override;
    int CreateCatalog(CDbConnection& server) const override;
    QStringList CatalogSetup() const override;
    QString ColumnType(const QString& declaredType) const override;
    SqlStatement TablePresence(const QString& table) const override;
    SqlStatement ColumnPresence(const QString& table, const QString& column) const override;
    SqlStatement TableList() const override;
    QString BeginTransaction() const override;
    QString LockTableForWrite(const QString& table) const override;
    bool KeepsPreparedStatements() const override { return true; }
};
