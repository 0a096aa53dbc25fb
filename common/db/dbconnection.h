#pragma once

#include "dbparameters.h"
#include "oledate.h"
#include "sqldialect.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

// The database connection of every program: one QtSql connection and the current statement, read row by
// row. Failures become result codes (43 connection, 44 statement, field or row); nothing throws, and a
// failed statement leaves the connection usable. Used from one thread.
class CDbConnection {
public:
    CDbConnection();
    explicit CDbConnection(const DbParameters& parameters);
    virtual ~CDbConnection();
    CDbConnection(const CDbConnection&) = delete;
    CDbConnection& operator=(const CDbConnection&) = delete;

    // What the next Open connects to. The server name stands for the PostgreSQL host unless the
    // parameters name one; without the catalog the connection reaches the server alone.
    void SetParameters(const DbParameters& parameters);
    const DbParameters& Parameters() const { return m_parameters; }
    void SetTarget(const QString& serverName, bool withCatalog);
    QString ServerName() const { return m_serverName; }

    int Open();   // 0 or 43; a previous connection is closed first
    int Close();  // 0 (also when nothing was open)
    bool IsOpen() const;

    // Runs any statement; every value is bound, never written into the text. 0 or 44.
    int OpenRecordset(const QString& sql, const QVariantList& values = {});
    int CloseRecordset();
    // True after the last row, for a statement that returns none, and after a failure.
    bool IsEof() const { return m_eof; }
    int MoveNext();  // 0 or 44
    int RowsAffected() const;

    // A column of the current row, found by name without regard to case. Numbers give their decimal text
    // and value; texts their text and 0; date-times the locale's short date and time and the date's
    // value; NULL an empty text and 0. 0 or 44.
    int GetFieldValue(const QString& field, QString& text, double& number) const;
    // A numeric column's value alone (no text made); NULL and texts give 0. 0 or 44.
    int GetFieldNumber(const QString& field, double& number) const;
    // A date-time column as stored; NULL gives an invalid date. 0 or 44.
    int GetFieldDate(const QString& field, OleDate& date) const;

    // Several statements that stand or fall together. An inner pair joins the outer transaction; an inner
    // rollback makes the outer commit roll back. 0 or 44.
    int BeginTransaction();
    int CommitTransaction();
    int RollbackTransaction();

    const SqlDialect& Dialect() const { return *m_dialect; }
    QString LastError() const { return m_lastError; }

private:
    QSqlDatabase Database() const;
    int RunControl(const QString& sql);
    std::shared_ptr<QSqlQuery> PrepareStatement(const QString& sql);
    int FieldIndex(const QString& field) const;
    bool IsDateColumn(int index, const QString& field) const;

    DbParameters m_parameters;
    std::unique_ptr<SqlDialect> m_dialect;
    QString m_serverName;
    bool m_withCatalog = true;
    QString m_connectionName;
    bool m_open = false;
    std::shared_ptr<QSqlQuery> m_query;  // the current statement
    // The current statement's columns, learnt once per statement: rows are read column by column by name.
    QSqlRecord m_record;
    QHash<QString, int> m_fieldIndex;  // by the name as the statement gives it, and in lower case
    mutable std::vector<signed char> m_dateColumn;  // per column: -1 not yet asked, 0 no, 1 a stored date-time
    // Statements with bound values stay prepared for their next use, by their text.
    QHash<QString, std::shared_ptr<QSqlQuery>> m_prepared;
    bool m_eof = true;
    int m_transactionDepth = 0;
    bool m_rollbackOnly = false;
    QString m_lastError;
};
