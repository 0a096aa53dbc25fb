#include "ratingdatabase.h"

#include "dbtest.h"
#include "engineerrorcode.h"
#include "sqldate.h"
#include "testcallrecords.h"

namespace {

constexpr int kPbx = 0;
constexpr int kExtensionA = 201;
constexpr int kExtensionB = 202;

class RatingDatabaseTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
        m_database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(m_database->Connect(kServer), kNoError);
        ASSERT_EQ(m_database->CreateGroupsTable(), kNoError);
    }

    CRatingDatabase& Database() { return *m_database; }

    void StoreCall(int extension, const OleDate& start, int outgoing = 1, const QString& number = "0612345678")
    {
        ASSERT_EQ(Database().InsertLoggedCall(kPbx, PbxLogRecord(start, 65, 1, 3, outgoing, number), extension),
                  kNoError);
    }

    int Billed(int extension)
    {
        QString text;
        double number = -1;
        if (Database().OpenRecordset(
                QStringLiteral("SELECT COUNT(*) AS Total FROM LogCalls WHERE IndiceDerivato=? AND Fatturato=1"),
                {extension}) != kNoError ||
            Database().GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
            return -1;
        Database().CloseRecordset();
        return static_cast<int>(number);
    }

    static ExtensionGroup Group(const QString& name, int pbx, std::initializer_list<int> members)
    {
        ExtensionGroup group;
        group.name = name;
        group.pbx = static_cast<std::uint8_t>(pbx);
        for (int member : members)
            group.members[static_cast<std::size_t>(group.memberCount++)] = static_cast<std::uint8_t>(member);
        return group;
    }

    std::int32_t IdOf(const QString& name, int pbx)
    {
        std::vector<GroupListEntry> entries;
        EXPECT_EQ(Database().SelectGroups(pbx, entries), kNoError);
        for (const GroupListEntry& entry : entries)
            if (entry.name == name)
                return entry.id;
        return -1;
    }

    // A row of LogCalls written by hand: the engine's store keeps one call per extension and second.
    bool InsertRawCall(int extension, const OleDate& start, int outgoing = 1)
    {
        return Catalog().Execute(QStringLiteral("INSERT INTO LogCalls (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,"
                                                "Durata,IndiceEsterna,Scatti,Totale,Uscente,NumeroChiamato) VALUES "
                                                "(%1,%2,'%3','%3','2000-01-01 00:00:10',1,1,0,%4,'0612')")
                                     .arg(kPbx)
                                     .arg(extension)
                                     .arg(SqlDateText(start))
                                     .arg(outgoing));
    }

private:
    std::unique_ptr<CRatingDatabase> m_database;
};

TEST_P(RatingDatabaseTest, CreatingGroupsAgainKeepsItsRows)
{
    ASSERT_EQ(Database().InsertGroup(Group(QStringLiteral("Uffici"), kPbx, {1, 2})), kNoError);
    EXPECT_EQ(Database().CreateGroupsTable(), kNoError);
    std::vector<GroupListEntry> entries;
    ASSERT_EQ(Database().SelectGroups(kPbx, entries), kNoError);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, QStringLiteral("Uffici"));
}

TEST_P(RatingDatabaseTest, GroupNamesAreUniqueAcrossPbxsWithoutCase)
{
    const QString name = QStringLiteral("Sala d'attesa");
    ASSERT_EQ(Database().InsertGroup(Group(name, kPbx, {3, 7, 255})), kNoError);
    const std::int32_t id = IdOf(name, kPbx);
    ExtensionGroup group;
    ASSERT_EQ(Database().SelectGroup(id, group), kNoError);
    EXPECT_EQ(group.name, name);
    EXPECT_EQ(group.pbx, kPbx);
    ASSERT_EQ(group.memberCount, 3);
    EXPECT_EQ(group.members[2], 255);
    EXPECT_EQ(group.members[3], 0);

    EXPECT_EQ(Database().InsertGroup(Group(QStringLiteral("SALA D'ATTESA"), 1, {1})), kDbRecordSelection);

    group.members[group.memberCount++] = 9;
    EXPECT_EQ(Database().UpdateGroup(group), kNoError);  // keeping its own name
    ASSERT_EQ(Database().SelectGroup(id, group), kNoError);
    EXPECT_EQ(group.memberCount, 4);
    EXPECT_EQ(group.members[3], 9);

    ASSERT_EQ(Database().InsertGroup(Group(QStringLiteral("Reception"), kPbx, {1})), kNoError);
    ExtensionGroup renamed = group;
    renamed.name = QStringLiteral("reception");
    EXPECT_EQ(Database().UpdateGroup(renamed), kDbRecordSelection);

    EXPECT_EQ(Database().DeleteGroup(id), kNoError);
    EXPECT_EQ(Database().SelectGroup(id, group), kDbRecordSelection);
}

TEST_P(RatingDatabaseTest, ManyGroupsWideIdsAndUnreadableCounts)
{
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(Database().InsertGroup(Group(QStringLiteral("G%1").arg(i), kPbx, {i % 256})), kNoError);
    std::vector<GroupListEntry> entries;
    ASSERT_EQ(Database().SelectGroups(kPbx, entries), kNoError);
    EXPECT_EQ(entries.size(), 300u);
    EXPECT_EQ(entries.back().id, 300);

    ExtensionGroup group;
    ASSERT_EQ(Database().SelectGroup(300, group), kNoError);  // not group 300 % 256
    EXPECT_EQ(group.name, QStringLiteral("G299"));
    EXPECT_EQ(group.members[0], 299 % 256);

    ASSERT_TRUE(Catalog().Execute(QStringLiteral("UPDATE Groups SET NumElement=300 WHERE ID=300")));
    EXPECT_EQ(Database().SelectGroup(300, group), kDbRecordSelection);
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("UPDATE Groups SET NumElement=256 WHERE ID=300")));
    EXPECT_EQ(Database().SelectGroup(300, group), kNoError);
    EXPECT_EQ(Database().SelectGroups(1, entries), kNoError);
    EXPECT_TRUE(entries.empty());
}

TEST_P(RatingDatabaseTest, PeriodsNeedBothEndsAndIncludeThem)
{
    const OleDate start(2026, 12, 1, 0, 0, 0);
    const OleDate end(2026, 12, 31, 23, 59, 59);
    StoreCall(kExtensionA, start);
    StoreCall(kExtensionA, end);
    StoreCall(kExtensionA, start.AddSeconds(-1));
    StoreCall(kExtensionA, end.AddSeconds(1));
    StoreCall(kExtensionA, start.AddSeconds(60), 0);  // incoming
    StoreCall(kExtensionB, start.AddSeconds(30));

    int count = -1;
    EXPECT_EQ(Database().SelectExtensionCalls(kPbx, kExtensionA, &start, nullptr, nullptr, count), kDbTableCheckFailed);
    EXPECT_EQ(count, -1);
    std::vector<LoggedCall> rows;
    ASSERT_EQ(Database().SelectExtensionCalls(kPbx, kExtensionA, &start, &end, &rows, count), kNoError);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(rows[0].start, start);
    EXPECT_EQ(rows[1].start, end);
    EXPECT_EQ(rows[0].pulses, 3.0);
    EXPECT_EQ(rows[0].externalLine, 1);
    EXPECT_EQ(rows[0].dialledNumber, QStringLiteral("0612345678"));
    EXPECT_EQ(rows[0].duration.Minute() * 60 + rows[0].duration.Second(), 65);

    ASSERT_EQ(Database().SelectPbxCalls(kPbx, &start, &end, &rows, count), kNoError);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(rows[1].extension, kExtensionB);
    ASSERT_EQ(Database().SelectLineCalls(kPbx, 1, nullptr, nullptr, nullptr, count), kNoError);
    EXPECT_EQ(count, 5);
    ASSERT_EQ(Database().SelectLineCalls(kPbx, 0, nullptr, nullptr, nullptr, count), kNoError);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(Database().SelectExtensionCalls(kPbx, CRatingDatabase::kAllExtensionNumbers, nullptr, nullptr, nullptr,
                                              count),
              kNoError);
    EXPECT_EQ(count, 5);

    const OleDate empty(2020, 1, 1);
    ASSERT_EQ(Database().SelectPbxCalls(kPbx, &empty, &empty, &rows, count), kNoError);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(rows.empty());
}

TEST_P(RatingDatabaseTest, ManyCallsAreReadInOnePass)
{
    constexpr int kCalls = 70000;
    const QString rows =
        GetParam() == DbBackend::kSqlite
            ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) ").arg(kCalls)
            : QString();
    const QString source = GetParam() == DbBackend::kSqlite ? QStringLiteral("n")
                                                            : QStringLiteral("generate_series(1,%1) AS n(i)").arg(kCalls);
    ASSERT_TRUE(Catalog().Execute(rows + QStringLiteral("INSERT INTO LogCalls (PbxIdentifier,IndiceDerivato,DataInizio,"
                                                        "DataFine,Durata,IndiceEsterna,Scatti,Totale,Uscente,"
                                                        "NumeroChiamato) SELECT 0,%1,'2026-12-01 10:00:00',"
                                                        "'2026-12-01 10:01:00','2000-01-01 00:01:00',1,i,0,1,'0612' "
                                                        "FROM %2")
                                         .arg(kExtensionA)
                                         .arg(source)));
    std::vector<LoggedCall> calls;
    int count = 0;
    ASSERT_EQ(Database().SelectExtensionCalls(kPbx, kExtensionA, nullptr, nullptr, &calls, count), kNoError);
    EXPECT_EQ(count, kCalls);
    ASSERT_EQ(calls.size(), static_cast<std::size_t>(kCalls));
}

TEST_P(RatingDatabaseTest, BillingMarksTheExtensionsCallsOfThatSecondOrNone)
{
    const OleDate second(2026, 12, 3, 9, 30, 0);
    StoreCall(kExtensionA, second);
    ASSERT_TRUE(InsertRawCall(kExtensionA, second));  // a second call of A in the same second
    StoreCall(kExtensionB, second);
    const OleDate later = second.AddSeconds(600);
    StoreCall(kExtensionA, later);

    ASSERT_EQ(Database().MarkCallsBilled(kPbx, kExtensionA, {second}), kNoError);
    EXPECT_EQ(Billed(kExtensionA), 2);
    EXPECT_EQ(Billed(kExtensionB), 0);

    // A failing update (the second of the account) leaves every call of the account unbilled.
    const QString refuse =
        GetParam() == DbBackend::kSqlite
            ? QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON LogCalls WHEN NEW.IndiceDerivato=%1 AND "
                             "NEW.DataInizio='%2' BEGIN SELECT RAISE(ABORT, 'refused'); END")
                  .arg(kExtensionB)
                  .arg(SqlDateText(second))
            : QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ "
                             "LANGUAGE plpgsql; CREATE TRIGGER refuse BEFORE UPDATE ON LogCalls FOR EACH ROW WHEN "
                             "(NEW.IndiceDerivato=%1 AND NEW.DataInizio='%2') EXECUTE FUNCTION refuse()")
                  .arg(kExtensionB)
                  .arg(SqlDateText(second));
    ASSERT_TRUE(Catalog().Execute(refuse));
    StoreCall(kExtensionB, later);
    EXPECT_EQ(Database().MarkCallsBilled(kPbx, kExtensionB, {later, second}), kDbStatementFailed);
    EXPECT_EQ(Billed(kExtensionB), 0);
    EXPECT_EQ(Database().MarkCallsBilled(kPbx, kExtensionA, {later}), kNoError);  // the connection still works
    EXPECT_EQ(Billed(kExtensionA), 3);
}

TEST_P(RatingDatabaseTest, NotConnected)
{
    Database().Close();
    int count = 0;
    ExtensionGroup group;
    std::vector<GroupListEntry> entries;
    EXPECT_EQ(Database().SelectPbxCalls(kPbx, nullptr, nullptr, nullptr, count), kDbNotConnected);
    EXPECT_EQ(Database().MarkCallsBilled(kPbx, kExtensionA, {}), kDbNotConnected);
    EXPECT_EQ(Database().SelectGroup(1, group), kDbNotConnected);
    EXPECT_EQ(Database().SelectGroups(kPbx, entries), kDbNotConnected);
    EXPECT_EQ(Database().InsertGroup(group), kDbNotConnected);
}

INSTANTIATE_DB_TEST(RatingDatabaseTest);

}  // namespace
