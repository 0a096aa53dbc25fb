#pragma once

class CDbConnection;

// A transaction for the life of a scope: it rolls back unless Commit was called.
class DbTransaction {
public:
    explicit DbTransaction(CDbConnection& connection);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    // The result of beginning it: 0, or 44 when it could not begin.
    int BeginResult() const { return m_beginResult; }
    int Commit();  // 0 or 44 (then everything was rolled back)

private:
    CDbConnection& m_connection;
    int m_beginResult;
    bool m_finished = false;
};
