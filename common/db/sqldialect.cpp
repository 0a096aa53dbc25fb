#include "sqldialect.h"

#include "postgresdialect.h"
#include "sqlitedialect.h"

std::unique_ptr<SqlDialect> SqlDialect::For(DbBackend backend)
{
    if (backend == DbBackend::kPostgres)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}

QString SqlDialect::AddColumn(const QString& table, const QString& column, const QString& declaredType) const
{
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(table, column, ColumnType(declaredType));
}

bool SqlDialect::IsDateColumn(const QSqlDatabase&, const QString&, const QString&) const { return false; }
