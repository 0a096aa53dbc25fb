#include "sqldatabase.h"

#include "dbtest.h"
#include "engineerrorcode.h"

namespace {

using SqlDatabaseTest = DbTest;

TEST_P(SqlDatabaseTest, EmptyEngineConfigurationConnectsWithNoPbx)
{
    StartEngineDatabase();
    CSqlDatabase database(Parameters());
    EXPECT_EQ(database.Connect(kServer), kNoError);
    EXPECT_EQ(database.PbxCount(), 0);
}

TEST_P(SqlDatabaseTest, FailedConnectionLeavesTheObjectUsable)
{
    CSqlDatabase database(Parameters());
    EXPECT_EQ(database.Connect(kServer), kDbNotConnected);  // no catalog yet
    EXPECT_EQ(database.UpdateComStat(0, 0), kDbNotConnected);
    EXPECT_TRUE(database.GetDerivedLabel(0, 0).isEmpty());
    StartEngineDatabase();
    EXPECT_EQ(database.Connect(kServer), kNoError);
}

TEST_P(SqlDatabaseTest, PbxListKeepsRowsInComIdOrderUpToItsLength)
{
    auto engine = StartEngineDatabase();
    for (int id = 11; id >= 0; --id)
        ASSERT_EQ(engine->InsertEngineConfiguration(id, QStringLiteral("PBX%1").arg(id), id % 3), kNoError);
    CSqlDatabase database(Parameters());
    ASSERT_EQ(database.Connect(kServer), kNoError);
    ASSERT_EQ(database.PbxCount(), CSqlDatabase::kMaxPbxCount);
    for (int pbx = 0; pbx < CSqlDatabase::kMaxPbxCount; ++pbx) {
        EXPECT_EQ(database.PbxComId(pbx), pbx);
        EXPECT_EQ(database.PbxComNumber(pbx), pbx % 3);
        EXPECT_EQ(database.PbxIdentifier(pbx), QStringLiteral("PBX%1").arg(pbx));
    }
    EXPECT_EQ(database.PbxTableName(EngineTable::kDerivedStatus, 3), QStringLiteral("DerivedStatus_PBX3"));
    EXPECT_TRUE(database.PbxTableName(EngineTable::kDerivedStatus, 10).isEmpty());
    EXPECT_TRUE(database.PbxTableName(EngineTable::kLogCalls, 0).isEmpty());  // a shared table
}

TEST_P(SqlDatabaseTest, CreateTableWithoutColumnsRunsNothing)
{
    auto database = StartEngineDatabase();
    const QStringList before = LowerTables(*database);
    EXPECT_EQ(database->CreateTable(CSqlDatabase::kSharedTable, QStringLiteral("Nothing"), {}), kDbTableCreationFailed);
    EXPECT_EQ(LowerTables(*database), before);
}

TEST_P(SqlDatabaseTest, EnsureTableCreatesOnlyAMissingTable)
{
    auto database = StartEngineDatabase();
    const ColumnRun columns = Table(EngineTable::kWakeEvents).columns;
    ASSERT_EQ(database->EnsureTable(QStringLiteral("WakeEvents"), columns), kNoError);
    EXPECT_TRUE(LowerTables(*database).contains(QStringLiteral("wakeevents")));  // no suffix
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO WakeEvents (PbxIdentifier) VALUES (1)")), kNoError);

    EXPECT_EQ(database->EnsureTable(QStringLiteral("WAKEEVENTS"), columns), kNoError);  // names ignore case
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("SELECT * FROM WakeEvents")), kNoError);
    EXPECT_FALSE(database->IsEof());  // present: left as it was
}

TEST_P(SqlDatabaseTest, PerPbxTableTakesTheIdentifierAsSuffix)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("Hotel_1"), 0), kNoError);
    const ColumnRun columns = Table(EngineTable::kRelayStatus).columns;
    EXPECT_EQ(database->CreateTable(0, QStringLiteral("RelayStatus"), columns), kNoError);
    EXPECT_TRUE(LowerTables(*database).contains(QStringLiteral("relaystatus_hotel_1")));
    EXPECT_EQ(database->CreateTable(1, QStringLiteral("RelayStatus"), columns), kDbTableCreationFailed);  // no PBX 1
}

TEST_P(SqlDatabaseTest, AddColumnAddsOnlyAMissingColumn)
{
    auto database = StartEngineDatabase();
    const ColumnRun columns = Table(EngineTable::kAlarmEvents).columns;
    ASSERT_EQ(database->CreateTable(CSqlDatabase::kSharedTable, QStringLiteral("AlarmEvents"), columns.first(4)), kNoError);
    EXPECT_EQ(database->AddColumn(QStringLiteral("AlarmEvents"), 4, columns), kNoError);
    EXPECT_EQ(database->AddColumn(QStringLiteral("AlarmEvents"), 4, columns), kNoError);
    EXPECT_EQ(database->OpenRecordset(QStringLiteral("SELECT Ora FROM AlarmEvents")), kNoError);
}

INSTANTIATE_DB_TEST(SqlDatabaseTest);

}  // namespace
