#include "dbconnection.h"

#include "dbtest.h"
#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "sqldate.h"

#include <QLocale>

namespace {

class DbConnectionTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(CreateCatalog());
        m_connection = std::make_unique<CDbConnection>(Parameters());
        m_connection->SetTarget(kServer, true);
        ASSERT_EQ(m_connection->Open(), kNoError) << m_connection->LastError().toStdString();
        const QString table = QStringLiteral("CREATE TABLE Sample (Number smallint, Name %1, Moment %2)")
                                  .arg(m_connection->Dialect().ColumnType(QStringLiteral("varchar(50)")),
                                       m_connection->Dialect().ColumnType(QStringLiteral("datetime")));
        ASSERT_EQ(m_connection->OpenRecordset(table), kNoError) << m_connection->LastError().toStdString();
    }

    CDbConnection& Connection() { return *m_connection; }

    int Count(const QString& where = QStringLiteral("1=1"), const QVariantList& values = {})
    {
        double number = -1;
        QString text;
        if (Connection().OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Rows FROM Sample WHERE ") + where, values) !=
                kNoError ||
            Connection().GetFieldValue(QStringLiteral("Rows"), text, number) != kNoError)
            return -1;
        return static_cast<int>(number);
    }

private:
    std::unique_ptr<CDbConnection> m_connection;
};

TEST_P(DbConnectionTest, SyntaxErrorGives44AndLeavesTheConnectionUsable)
{
    EXPECT_EQ(Connection().OpenRecordset(QStringLiteral("SELEKT * FROM Sample")), kDbStatementFailed);
    EXPECT_TRUE(Connection().IsEof());
    EXPECT_TRUE(Connection().IsOpen());
    EXPECT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (?)"), {5}), kNoError);
    EXPECT_EQ(Count(), 1);
}

TEST_P(DbConnectionTest, StatementsWaitAtMostFifteenSeconds)
{
    // SQLite's busy wait and PostgreSQL's statement time-out bound how long a blocked statement waits.
    const bool postgres = GetParam() == DbBackend::kPostgres;
    const QString query = postgres ? QStringLiteral("SELECT current_setting('statement_timeout') AS Wait")
                                   : QStringLiteral("SELECT timeout AS Wait FROM pragma_busy_timeout");
    ASSERT_EQ(Connection().OpenRecordset(query), kNoError) << Connection().LastError().toStdString();
    QString text;
    double number = 0;
    ASSERT_EQ(Connection().GetFieldValue(QStringLiteral("Wait"), text, number), kNoError);
    EXPECT_EQ(text, postgres ? QStringLiteral("15s") : QStringLiteral("15000"));
}

TEST_P(DbConnectionTest, FieldValuesByColumnType)
{
    const OleDate moment(2024, 2, 29, 23, 5, 9);
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number, Name, Moment) VALUES (?,?,?)"),
                                         {5, QStringLiteral("O'Neill"), SqlDateText(moment)}),
              kNoError);
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (NULL)")), kNoError);
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("SELECT * FROM Sample ORDER BY Number")), kNoError);

    // NULL sorts first on SQLite and last on PostgreSQL: each row is recognised by its number.
    QString text;
    double number = -1;
    int seen = 0;
    while (!Connection().IsEof()) {
        ASSERT_EQ(Connection().GetFieldValue(QStringLiteral("NUMBER"), text, number), kNoError);  // case ignored
        if (text.isEmpty()) {
            EXPECT_EQ(number, 0);
            ASSERT_EQ(Connection().GetFieldValue(QStringLiteral("Moment"), text, number), kNoError);
            EXPECT_TRUE(text.isEmpty());
        } else {
            EXPECT_EQ(text, QStringLiteral("5"));
            EXPECT_EQ(number, 5);
            ASSERT_EQ(Connection().GetFieldValue(QStringLiteral("name"), text, number), kNoError);
            EXPECT_EQ(text, QStringLiteral("O'Neill"));
            EXPECT_EQ(number, 0);
            ASSERT_EQ(Connection().GetFieldValue(QStringLiteral("Moment"), text, number), kNoError);
            EXPECT_DOUBLE_EQ(number, moment.Value());
            EXPECT_EQ(text, QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat) + QStringLiteral(" 23:05:09"));
            OleDate stored;
            ASSERT_EQ(Connection().GetFieldDate(QStringLiteral("Moment"), stored), kNoError);
            EXPECT_EQ(stored, moment);
        }
        ++seen;
        ASSERT_EQ(Connection().MoveNext(), kNoError);
    }
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(Connection().GetFieldValue(QStringLiteral("Number"), text, number), kDbStatementFailed);  // past the end
}

TEST_P(DbConnectionTest, UnknownColumnGives44)
{
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (1)")), kNoError);
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("SELECT * FROM Sample")), kNoError);
    QString text;
    double number = 0;
    EXPECT_EQ(Connection().GetFieldValue(QStringLiteral("Missing"), text, number), kDbStatementFailed);
}

TEST_P(DbConnectionTest, TextComparisonsIgnoreCase)
{
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Name) VALUES (?)"), {QStringLiteral("Reception")}),
              kNoError);
    EXPECT_EQ(Count(QStringLiteral("Name = ?"), {QStringLiteral("RECEPTION")}), 1);
}

TEST_P(DbConnectionTest, TransactionStandsOrFallsWhole)
{
    {
        DbTransaction transaction(Connection());
        ASSERT_EQ(transaction.BeginResult(), kNoError);
        ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (1)")), kNoError);
        // not committed: rolled back at the end of the scope
    }
    EXPECT_EQ(Count(), 0);

    {
        DbTransaction outer(Connection());
        ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (2)")), kNoError);
        {
            DbTransaction inner(Connection());
            ASSERT_EQ(inner.BeginResult(), kNoError);
        }  // the inner part failed: the whole must fall
        EXPECT_EQ(outer.Commit(), kDbStatementFailed);
    }
    EXPECT_EQ(Count(), 0);

    {
        DbTransaction transaction(Connection());
        ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (3)")), kNoError);
        EXPECT_EQ(transaction.Commit(), kNoError);
    }
    EXPECT_EQ(Count(), 1);
}

TEST_P(DbConnectionTest, OpeningAMissingCatalogGives43AndCreatesNothing)
{
    DbParameters parameters = Parameters();
    parameters.file += QStringLiteral(".missing");
    parameters.database += QStringLiteral("_missing");
    CDbConnection missing(parameters);
    missing.SetTarget(kServer, true);
    EXPECT_EQ(missing.Open(), kDbConnectionFailed);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.OpenRecordset(QStringLiteral("SELECT 1")), kDbStatementFailed);
    if (GetParam() == DbBackend::kSqlite) {
        EXPECT_FALSE(QFile::exists(parameters.file));
    }
}

INSTANTIATE_DB_TEST(DbConnectionTest);

}  // namespace

namespace {

TEST(SqliteConnection, CatalogIsSharedInWalModeWithABusyWait)
{
    TestCatalog catalog(DbBackend::kSqlite);
    CDbConnection server(catalog.Parameters());
    server.SetTarget(QString(), false);
    ASSERT_EQ(server.Open(), kNoError);
    ASSERT_EQ(server.Dialect().CreateCatalog(server), kNoError);
    CDbConnection connection(catalog.Parameters());
    ASSERT_EQ(connection.Open(), kNoError);
    struct Case {
        const char* pragma;
        const char* column;
        const char* value;
    };
    const Case cases[] = {{"PRAGMA journal_mode", "journal_mode", "wal"}, {"PRAGMA busy_timeout", "timeout", "15000"}};
    for (const Case& c : cases) {
        ASSERT_EQ(connection.OpenRecordset(QString::fromLatin1(c.pragma)), kNoError);
        QString text;
        double number = 0;
        ASSERT_EQ(connection.GetFieldValue(QString::fromLatin1(c.column), text, number), kNoError) << c.pragma;
        EXPECT_EQ(text, QString::fromLatin1(c.value));
    }
}

}  // namespace

namespace {

TEST_P(DbConnectionTest, PreparedStatementFollowsATableChangedByAnotherProgram)
{
    ASSERT_EQ(Connection().OpenRecordset(QStringLiteral("INSERT INTO Sample (Number) VALUES (?)"), {4}), kNoError);
    const QString select = QStringLiteral("SELECT * FROM Sample WHERE Number = ?");
    ASSERT_EQ(Connection().OpenRecordset(select, {4}), kNoError);
    Connection().CloseRecordset();

    // Another program's connection rebuilds the table with one more column.
    CDbConnection other(Parameters());
    other.SetTarget(kServer, true);
    ASSERT_EQ(other.Open(), kNoError);
    ASSERT_EQ(other.OpenRecordset(QStringLiteral("DROP TABLE Sample")), kNoError);
    ASSERT_EQ(other.OpenRecordset(QStringLiteral("CREATE TABLE Sample (Number smallint, Name %1, Moment %2, Extra smallint)")
                                      .arg(other.Dialect().ColumnType(QStringLiteral("varchar(50)")),
                                           other.Dialect().ColumnType(QStringLiteral("datetime")))),
              kNoError);
    ASSERT_EQ(other.OpenRecordset(QStringLiteral("INSERT INTO Sample (Number, Extra) VALUES (4, 9)")), kNoError);
    other.Close();

    ASSERT_EQ(Connection().OpenRecordset(select, {4}), kNoError) << Connection().LastError().toStdString();
    ASSERT_FALSE(Connection().IsEof());
    QString text;
    double number = 0;
    ASSERT_EQ(Connection().GetFieldValue(QStringLiteral("Extra"), text, number), kNoError);
    EXPECT_EQ(number, 9);
}

}  // namespace
