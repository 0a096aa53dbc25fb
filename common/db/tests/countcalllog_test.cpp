#include "sqldatabase.h"

#include "dbtest.h"
#include "engineerrorcode.h"
#include "sqldate.h"
#include "testcallrecords.h"

namespace {

constexpr int kPbx = 0;
constexpr int kAllExtensions = 255;

class CountCallLogTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
    }

    CSqlDatabase& Database() { return *m_database; }

    // A switchboard call of `seconds` that started at 10:00 plus `offset` seconds on 1 May 2024.
    void Store(int extension, int lineKind, int direction, int offset, int seconds = 65, int pbx = kPbx)
    {
        const OleDate start = OleDate(2024, 5, 1, 10, 0, 0).AddSeconds(offset);
        ASSERT_EQ(Database().InsertCallSwNew(pbx, start.AddSeconds(seconds), extension,
                                             SwitchboardCallState(start, lineKind, 4, direction, QStringLiteral("0612"))),
                  kNoError);
    }

    int Count(int extension, unsigned kinds, const OleDate* from = nullptr, const OleDate* to = nullptr)
    {
        int count = -1;
        EXPECT_EQ(Database().CountCallLog(kPbx, extension, kinds, from, to, nullptr, count), kNoError);
        return count;
    }

private:
    std::unique_ptr<CSqlDatabase> m_database;
};

TEST_P(CountCallLogTest, KindsSelectOneDirectionAndOneLineKind)
{
    // extension, line kind (IndiceEsterna), direction (Uscente)
    Store(3, 1, 1, 0);
    Store(3, 1, 2, 1);
    Store(3, 2, 1, 2);
    Store(3, 2, 2, 3);
    Store(3, 1, 3, 4);
    Store(3, 2, 4, 5);
    Store(5, 1, 2, 6);
    Store(3, 1, 2, 7, 65, 1);  // another PBX
    const struct {
        unsigned kinds;
        int extension;
        int expected;
    } cases[] = {
        {9, 3, 1},    // in, internal
        {10, 3, 1},   // out (Uscente 2 only), internal
        {17, 3, 1},   // in, external
        {18, 3, 1},   // out, external: Uscente 4 is not counted
        {4, 3, 1},    // missed
        {3, 3, 6},    // two direction bits: no direction condition
        {24, 3, 6},   // both line kinds: no line condition
        {0, 3, 6},
        {10, kAllExtensions, 2},
        {0, kAllExtensions, 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Count(c.extension, c.kinds), c.expected) << "kinds " << c.kinds << " extension " << c.extension;
}

TEST_P(CountCallLogTest, PeriodIsStrictAndNeedsBothEnds)
{
    Store(3, 1, 2, 0);
    Store(3, 1, 2, 30);
    Store(3, 1, 2, 60);
    const OleDate from(2024, 5, 1, 10, 0, 0);
    const OleDate to(2024, 5, 1, 10, 1, 0);
    EXPECT_EQ(Count(3, 10, &from, &to), 1);  // the calls on either end are outside

    int count = 99;
    EXPECT_EQ(Database().CountCallLog(kPbx, 3, 10, &from, nullptr, nullptr, count), kDbTableCheckFailed);
    EXPECT_EQ(Database().CountCallLog(kPbx, 3, 10, nullptr, &to, nullptr, count), kDbTableCheckFailed);
    const OleDate invalid = OleDate::Invalid();
    EXPECT_EQ(Database().CountCallLog(kPbx, 3, 10, &from, &invalid, nullptr, count), kDbTableCheckFailed);
    EXPECT_EQ(count, 99);

    Database().Close();
    EXPECT_EQ(Database().CountCallLog(kPbx, 3, 10, nullptr, nullptr, nullptr, count), kDbNotConnected);
}

TEST_P(CountCallLogTest, RowsAreReadInStartOrder)
{
    Store(3, 2, 1, 90, 3725);
    Store(3, 1, 1, 10, 5);
    std::vector<CallLogEntry> rows(5);  // whatever the vector held is replaced
    int count = 0;
    ASSERT_EQ(Database().CountCallLog(kPbx, 3, 0, nullptr, nullptr, &rows, count), kNoError);
    ASSERT_EQ(count, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].start, OleDate(2024, 5, 1, 10, 0, 10));
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[1].start, OleDate(2024, 5, 1, 10, 1, 30));
    EXPECT_EQ(rows[1].line, 2);
    EXPECT_EQ(rows[1].direction, 1);
    EXPECT_EQ(rows[1].extension, 3);
    EXPECT_EQ(rows[1].pulses, 4);
    EXPECT_EQ(rows[1].number, QStringLiteral("0612"));
    EXPECT_EQ(rows[1].duration.Hour() * 3600 + rows[1].duration.Minute() * 60 + rows[1].duration.Second(), 3725);
}

TEST_P(CountCallLogTest, LatestIsTheLastCallsStartAndStaysWhenNoneIsFound)
{
    Store(3, 1, 3, 90);
    Store(3, 2, 3, 30);
    Store(3, 1, 1, 150);  // incoming: not a missed call
    const OleDate from(2024, 5, 1, 10, 0, 0);
    const OleDate to(2024, 5, 1, 11, 0, 0);
    OleDate latest(2000, 1, 1);
    int count = -1;
    ASSERT_EQ(Database().CountCallLogWithLatest(kPbx, 3, 4, &from, &to, nullptr, count, latest), kNoError);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(latest, OleDate(2024, 5, 1, 10, 1, 30));

    std::vector<CallLogEntry> rows;
    ASSERT_EQ(Database().CountCallLogWithLatest(kPbx, 3, 0, nullptr, nullptr, &rows, count, latest), kNoError);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(latest, OleDate(2024, 5, 1, 10, 2, 30));

    const OleDate unchanged = latest;
    ASSERT_EQ(Database().CountCallLogWithLatest(kPbx, 5, 4, &from, &to, nullptr, count, latest), kNoError);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(latest, unchanged);
    EXPECT_EQ(Database().CountCallLogWithLatest(kPbx, 3, 4, &from, nullptr, nullptr, count, latest),
              kDbTableCheckFailed);
    EXPECT_EQ(latest, unchanged);
}

TEST_P(CountCallLogTest, MissedCallsCountFromTheReferenceToFiveMinutesPastNowAndPastSixteenBits)
{
    const OleDate reference(2024, 5, 1, 10, 0, 0);
    const OleDate now(2024, 5, 1, 10, 10, 0);
    // 70,000 missed calls of extension 3 at 10:00:30, in one statement.
    ASSERT_EQ(Database().OpenRecordset(
                  QStringLiteral("INSERT INTO LogCallsSwNew (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,"
                                 "IndiceEsterna,Scatti,Totale,Uscente,NumeroChiamato,Fatturato) WITH RECURSIVE n(i) AS "
                                 "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) SELECT ?, 3, ?, ?, ?, 2, 0, "
                                 "0, 3, '0612', 0 FROM n"),
                  {kPbx, SqlDateText(reference.AddSeconds(30)), SqlDateText(reference.AddSeconds(40)),
                   SqlDateText(OleDate(1899, 12, 30, 0, 0, 10))}),
              kNoError)
        << Database().LastError().toStdString();
    Database().CloseRecordset();
    Store(3, 1, 3, 0);        // at the reference: outside
    Store(3, 1, 3, 14 * 60);  // four minutes past now: counted
    Store(3, 1, 3, 16 * 60);  // six minutes past now: outside
    Store(3, 1, 1, 60);       // incoming
    Store(5, 1, 3, 60);       // another extension
    int count = -1;
    ASSERT_EQ(Database().CountMissedCalls(kPbx, 3, reference, now, count), kNoError);
    EXPECT_EQ(count, 70001);
    ASSERT_EQ(Database().CountMissedCalls(kPbx, 5, reference, now, count), kNoError);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Database().CountMissedCalls(kPbx, 3, OleDate::Invalid(), now, count), kDbTableCheckFailed);
}

INSTANTIATE_DB_TEST(CountCallLogTest);

}  // namespace
