#pragma once

#include "sqldialect.h"

#include <QHash>

// SQLite: one file per catalog, shared by the programs of one workstation (WAL, 15-second busy wait).
class SqliteDialect : public SqlDialect {
public:
    DbBackend Backend() const override { return DbBackend::kSqlite; }
    QString DriverName() const override;
    void Configure(QSqlDatabase& database, const DbParameters& parameters, const QString& serverName,
                   bool withCatalog) const override;
    QStringList SessionStatements(bool withCatalog) const override;
    int FindCatalog(CDbConnection& server, bool& found) const override;
    int CreateCatalog(CDbConnection& server) const override;
    QStringList CatalogSetup() const override { return {}; }
    QString ColumnType(const QString& declaredType) const override;
    SqlStatement TablePresence(const QString& table) const override;
    SqlStatement ColumnPresence(const QString& table, const QString& column) const override;
    SqlStatement TableList() const override;
    QString BeginTransaction() const override;
    QString LockTableForWrite(const QString& table) const override;
    // Preparing costs next to nothing here, and QtSql's SQLite statement keeps the columns it first saw
    // even after another program changed the table.
    bool KeepsPreparedStatements() const override { return false; }
    bool IsDateColumn(const QSqlDatabase& database, const QString& table, const QString& column) const override;
    void ForgetSchema() const override { m_declaredTypes.clear(); }
    // Another program may have changed a table: the connection then reloads the schema before it prepares
    // the statement, or QtSql would read the result with the columns of the old table.
    void BeforeStatement(const QSqlDatabase& database) const override;

private:
    // Declared types by table and column, both in lower case, learnt on first use.
    mutable QHash<QString, QHash<QString, QString>> m_declaredTypes;
    mutable qint64 m_schemaVersion = -1;
};
