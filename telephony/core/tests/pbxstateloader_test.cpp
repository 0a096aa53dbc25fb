// Loading the PBX state from the engine's tables on SQLite and PostgreSQL: the first PBX's rows, a
// non-zero link state, a missing row, and a second PBX taken whole or not at all.
#include "dbtest.h"
#include "consoletestpbx.h"
#include "consolestartupload.h"
#include "mainsettings.h"
#include "pbxstateloader.h"
#include "service2pluginsettings.h"
#include "testcallrecords.h"

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

    // 2 + 255 extensions, or 200 + 100, would pass the combined numbering's 256: the second PBX stays out.
    ASSERT_EQ(database->SaveInitialization(1, Record(77, {{2, 255}})), kNoError);
    OperatorConsoleState tooMany;
    ASSERT_EQ(LoadPbxState(*database, tooMany, 3, 0, 5), kNoError);
    EXPECT_FALSE(tooMany.hasSecondPbx);
    EXPECT_EQ(tooMany.tables.Counts().extensions, 2);
    WritePbx(*database, 0, 200, 1, 0, 0);
    ASSERT_EQ(database->SaveInitialization(1, Record(77, {{2, 100}})), kNoError);
    OperatorConsoleState large;
    ASSERT_EQ(LoadPbxState(*database, large, 3, 0, 5), kNoError);
    EXPECT_FALSE(large.hasSecondPbx);
    EXPECT_EQ(large.tables.Counts().extensions, 200);
}

TEST_P(PbxStateLoad, WholeLoadWithVisibilityAndOwnCounters)
{
    auto database = StartConsoleDatabase();
    WritePbx(*database, 0, 3, 2, 0, 0);
    WritePbx(*database, 1, 2, 2, 0, 0);
    // Every extension handled (byte 1 at the count), so that only the lists hide one.
    ASSERT_EQ(database->SaveInitialization(0, Record(77, {{1, 3}, {2, 3}, {4, 2}})), kNoError);
    ASSERT_EQ(database->SaveInitialization(1, Record(77, {{1, 2}, {2, 2}, {4, 2}})), kNoError);
    const OleDate reference(2026, 12, 10, 8, 0);
    const OleDate now(2026, 12, 10, 9, 0);
    // A missed call of the own extension (1) after the reference, one before it, and a message for it.
    ASSERT_EQ(database->InsertCallSwNew(0, reference.AddSeconds(70), 1,
                                        SwitchboardCallState(reference.AddSeconds(60), 1, 0, 3, QStringLiteral("0612"))),
              kNoError);
    ASSERT_EQ(database->InsertCallSwNew(0, reference.AddSeconds(-50), 1,
                                        SwitchboardCallState(reference.AddSeconds(-60), 1, 0, 3, QStringLiteral("0612"))),
              kNoError);
    ASSERT_EQ(database->InsertMessage(3, 3, 0, 1, QStringLiteral("x")), kNoError);

    MainSettings settings(reference);
    Service2PluginSettings secondPbx;
    secondPbx.SetSecondPbxShown(true);
    secondPbx.SetSecondPbx(5);
    secondPbx.SetListCount(0, 1);
    secondPbx.SetListEntry(0, 1, 0, 1);  // the second PBX's extension 1 hidden
    secondPbx.SetListCount(1, 1);
    secondPbx.SetListEntry(1, 0, 0, 0);  // the second PBX's line 0 marked 254
    OperatorConsoleState state;
    ASSERT_EQ(LoadConsoleState(*database, state, settings, secondPbx, 3, 1, now), kNoError);
    ASSERT_TRUE(state.hasSecondPbx);
    EXPECT_EQ(state.tables.Counts().extensions, 5);
    EXPECT_EQ(settings.ObjectFlags(MainSettings::kExtensions, 3) & 1, 1);
    EXPECT_EQ(settings.ObjectFlags(MainSettings::kExtensions, 4) & 1, 0);
    EXPECT_EQ(settings.ObjectFlags(MainSettings::kLines, 2), 254);
    EXPECT_EQ(state.missedCalls, 1);
    EXPECT_TRUE(state.unreadMessages);
    EXPECT_EQ(state.ownExtensionStateText, "CH. ENTRANTE");  // WritePbx puts extension 1 in state 3
}

INSTANTIATE_DB_TEST(PbxStateLoad);

}  // namespace
