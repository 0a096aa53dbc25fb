#include "dbtransaction.h"

#include "dbconnection.h"
#include "engineerrorcode.h"

DbTransaction::DbTransaction(CDbConnection& connection)
    : m_connection(connection), m_beginResult(connection.BeginTransaction())
{
    m_finished = m_beginResult != kNoError;
}

DbTransaction::~DbTransaction()
{
    if (!m_finished)
        m_connection.RollbackTransaction();
}

int DbTransaction::Commit()
{
    if (m_finished)
        return m_beginResult != kNoError ? m_beginResult : kDbStatementFailed;
    m_finished = true;
    return m_connection.CommitTransaction();
}
