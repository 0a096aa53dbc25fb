// Loading the PBX state from the engine's tables on SQLite and PostgreSQL: the first PBX's rows, a
// non-zero link state, a missing row, and a second PBX taken whole or not at all.
#include "dbtest.h"
#include "consoletestpbx.h"
#include "pbxstateloader.h"

namespace {

class PbxStateLoad : public DbTest {
protected:
    // The engine's database with its PBXs, and the console's own tables as its start-up makes them.
    std::unique_ptr<CSqlDatabase> StartConsoleDatabase()
    {
        auto database = StartEngineDatabaseWithPbx(3, QStringLiteral("PBXA"));
        EXPECT_EQ(database->InsertEngineConfiguration(5, QStringLiteral("PBXB"), 1), kNoError);
        EXPECT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
        EXPECT_EQ(database->EnsureInternalMessageTable(), kNoError);
        EXPECT_EQ(database->UpgradeInternalMessageTable(), kNoError);
        return database;
    }
};

TEST_P(PbxStateLoad, FirstPbxRowsAndLinkState)
{
    auto database = StartConsoleDatabase();
    WritePbx(*database, 0, 2, 1, 1, 1);

    OperatorConsoleState state;
    ASSERT_EQ(LoadPbxState(*database, state, 3, 0, 255), kNoError) << database->LastError().toStdString();
    EXPECT_EQ(state.tables.Counts().extensions, 2);
    EXPECT_EQ(state.tables.extensionStatus[1].State(), 3);
    EXPECT_EQ(state.tables.extensionStatus[1].LinkType(), 2);
    EXPECT_EQ(state.tables.extensionProgramming[0][2], 1);
    EXPECT_EQ(state.tables.extensionName[1], "**NOTVALID**");
    EXPECT_EQ(state.tables.lineStatus[0].State(), 2);
    EXPECT_EQ(state.tables.entryPhoneStatus[0].State(), 1);
    EXPECT_EQ(state.tables.relayProgramming[0][2], 1);
    EXPECT_EQ(state.firstConfiguration.Renumbering(), 1);
    EXPECT_FALSE(state.hasSecondPbx);

    ASSERT_EQ(database->UpdateComStat(3, 9), kNoError);
    OperatorConsoleState stopped;
    EXPECT_EQ(LoadPbxState(*database, stopped, 3, 0, 255), 9);
}

TEST_P(PbxStateLoad, MissingRowIsTheError)
{
    auto database = StartConsoleDatabase();
    WritePbx(*database, 0, 2, 0, 0, 0);
    ASSERT_EQ(database->SaveInitialization(0, Record(77, {{2, 3}})), kNoError);  // a third extension without rows
    OperatorConsoleState state;
    EXPECT_NE(LoadPbxState(*database, state, 3, 0, 255), kNoError);
}

TEST_P(PbxStateLoad, SecondPbxBehindTheFirstOrLeftOut)
{
    auto database = StartConsoleDatabase();
    WritePbx(*database, 0, 2, 1, 0, 0);
    WritePbx(*database, 1, 3, 2, 1, 0);

    OperatorConsoleState state;
    ASSERT_EQ(LoadPbxState(*database, state, 3, 0, 5), kNoError);
    ASSERT_TRUE(state.hasSecondPbx);
    EXPECT_EQ(state.tables.Counts().extensions, 5);
    EXPECT_EQ(state.tables.Counts().lines, 3);
    EXPECT_EQ(state.tables.extensionStatus[2].State(), 2);  // the second PBX's first extension
    EXPECT_EQ(state.tables.extensionStatus[4].State(), 4);
    EXPECT_EQ(state.SplitExtension(4)->pbx, 1);

    // A second PBX with a row missing halfway leaves the first PBX alone.
    ASSERT_EQ(database->SaveInitialization(1, Record(77, {{2, 4}, {4, 2}, {6, 1}})), kNoError);
    OperatorConsoleState partial;
    ASSERT_EQ(LoadPbxState(*database, partial, 3, 0, 5), kNoError);
    EXPECT_FALSE(partial.hasSecondPbx);
    EXPECT_EQ(partial.tables.Counts().extensions, 2);
    EXPECT_EQ(partial.SplitExtension(2), std::nullopt);

    // 2 + 255 extensions would pass the combined numbering's 256: the second PBX stays out unread.
    ASSERT_EQ(database->SaveInitialization(1, Record(77, {{2, 255}})), kNoError);
    OperatorConsoleState tooMany;
    ASSERT_EQ(LoadPbxState(*database, tooMany, 3, 0, 5), kNoError);
    EXPECT_FALSE(tooMany.hasSecondPbx);
    EXPECT_EQ(tooMany.tables.Counts().extensions, 2);
}

INSTANTIATE_DB_TEST(PbxStateLoad);

}  // namespace
