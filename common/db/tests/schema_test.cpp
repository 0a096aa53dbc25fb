#include "sqldatabase.h"

#include "dbtest.h"
#include "engineerrorcode.h"

namespace {

using SchemaTest = DbTest;

int RowCount(CSqlDatabase& database, const QString& table, const QString& where = QStringLiteral("1=1"),
             const QVariantList& values = {})
{
    QString text;
    double number = -1;
    if (database.OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Total FROM %1 WHERE %2").arg(table, where), values) !=
            kNoError ||
        database.GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
        return -1;
    return static_cast<int>(number);
}

// The definition of the call-log index that the duplicate check of every stored call uses, as the
// database keeps it (lower case); empty when there is none.
QString CallLogIndex(CSqlDatabase& database, DbBackend backend)
{
    const QString sql = backend == DbBackend::kSqlite
                            ? QStringLiteral("SELECT sql AS Definition FROM sqlite_master WHERE type='index' AND "
                                             "name='LogCallsCall'")
                            : QStringLiteral("SELECT indexdef AS Definition FROM pg_indexes WHERE indexname='logcallscall'");
    QString text;
    double number = 0;
    if (database.OpenRecordset(sql) != kNoError || database.IsEof() ||
        database.GetFieldValue(QStringLiteral("Definition"), text, number) != kNoError)
        return {};
    database.CloseRecordset();
    return text.toLower();
}

QStringList EveryEngineTable(const QString& identifier)
{
    QStringList names;
    for (const char* name : {"EngineConfiguration", "LogCalls", "LogCallsSwNew", "WakeEvents", "AlarmEvents",
                             "DerivedLabel", "AlarmLabel", "LineLabel", "EntryPhoneLabel", "RelayLabel", "AddressBook"})
        names << QString::fromLatin1(name).toLower();
    for (const EngineTable table : PbxSnapshotTables())
        names << (TableName(table) + u'_' + identifier).toLower();
    names.sort();
    return names;
}

TEST_P(SchemaTest, FreshCatalogGetsOnlyEngineConfiguration)
{
    auto database = StartEngineDatabase();
    EXPECT_EQ(database->PbxCount(), 0);
    EXPECT_EQ(LowerTables(*database), QStringList{QStringLiteral("engineconfiguration")});
}

TEST_P(SchemaTest, ConfiguredPbxGetsEveryTableAtTheNextStart)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0), kNoError);
    ASSERT_EQ(database->PbxCount(), 1);
    EXPECT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    EXPECT_EQ(LowerTables(*database), EveryEngineTable(QStringLiteral("pbx1")));
}

TEST_P(SchemaTest, SecondStartRenewsTheSnapshotsAndKeepsTheLog)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0), kNoError);
    ASSERT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO DerivedStatus_PBX1 (IndiceOggetto, Stato) VALUES (0, 2)")),
              kNoError);
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO LogCalls (PbxIdentifier, IndiceDerivato) VALUES (0, 201)")),
              kNoError);

    CSqlDatabase restarted(Parameters());
    ASSERT_EQ(restarted.ConnectAndCreateSchema(kServer), kNoError);
    EXPECT_EQ(LowerTables(restarted), EveryEngineTable(QStringLiteral("pbx1")));
    EXPECT_EQ(RowCount(restarted, QStringLiteral("DerivedStatus_PBX1")), 0);
    EXPECT_EQ(RowCount(restarted, QStringLiteral("LogCalls")), 1);
}

TEST_P(SchemaTest, OldCallLogGainsTheBilledColumnAndTheIndex)
{
    auto database = StartEngineDatabase();
    // LogCalls as older versions made it, before the rating program's billed flag.
    const ColumnRun columns = Table(EngineTable::kLogCalls).columns;
    ASSERT_EQ(database->CreateTable(CSqlDatabase::kSharedTable, QStringLiteral("LogCalls"), columns.first(10)), kNoError);
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO LogCalls (PbxIdentifier, NumeroChiamato) VALUES (0, ?)"),
                                      {QStringLiteral("0612345")}),
              kNoError);
    ASSERT_NE(database->OpenRecordset(QStringLiteral("SELECT Fatturato FROM LogCalls")), kNoError);
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0), kNoError);

    EXPECT_EQ(CallLogIndex(*database, GetParam()), QString());

    ASSERT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    // The old table gains the index of the duplicate check too.
    EXPECT_TRUE(CallLogIndex(*database, GetParam()).contains(QStringLiteral("(pbxidentifier, indicederivato, datainizio)")))
        << CallLogIndex(*database, GetParam()).toStdString();
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("SELECT Fatturato, NumeroChiamato FROM LogCalls")), kNoError);
    ASSERT_FALSE(database->IsEof());
    QString text;
    double number = 0;
    ASSERT_EQ(database->GetFieldValue(QStringLiteral("NumeroChiamato"), text, number), kNoError);
    EXPECT_EQ(text, QStringLiteral("0612345"));

    // A current table stays as it is.
    EXPECT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    EXPECT_EQ(RowCount(*database, QStringLiteral("LogCalls")), 1);
}

TEST_P(SchemaTest, StartDropsOnlyTheSnapshotTablesOfConfiguredPbxs)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("PBX_1"), 0), kNoError);
    ASSERT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    // Names that a pattern on "Status" or "Programmations" (where '_' matches any character) would take.
    const QStringList bystanders = {QStringLiteral("StatusNotes"), QStringLiteral("DerivedStatus_PBXX1"),
                                    QStringLiteral("OldProgrammations")};
    for (const QString& name : bystanders) {
        ASSERT_EQ(database->CreateTable(CSqlDatabase::kSharedTable, name, Table(EngineTable::kRelayStatus).columns), kNoError);
        ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO %1 (IndiceOggetto) VALUES (7)").arg(name)), kNoError);
    }
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO RelayStatus_PBX_1 (IndiceOggetto) VALUES (7)")), kNoError);

    ASSERT_EQ(database->DropPbxTables(), kNoError);
    const QStringList tables = LowerTables(*database);
    for (const QString& name : bystanders) {
        EXPECT_TRUE(tables.contains(name.toLower())) << name.toStdString();
        EXPECT_EQ(RowCount(*database, name), 1) << name.toStdString();
    }
    for (const EngineTable table : PbxSnapshotTables())
        EXPECT_FALSE(tables.contains((TableName(table) + QStringLiteral("_pbx_1")).toLower()));
    EXPECT_TRUE(tables.contains(QStringLiteral("logcalls")));
}

TEST_P(SchemaTest, DeletingAPbxMovesTheFollowingPbxsAndTheirRowsDown)
{
    auto database = StartEngineDatabase();
    const QStringList names = {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")};
    for (int id = 0; id < names.size(); ++id)
        ASSERT_EQ(database->InsertEngineConfiguration(id, names[id], id), kNoError);
    ASSERT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    for (int id = 0; id < names.size(); ++id) {
        for (const char* table : {"LogCalls", "LogCallsSwNew", "WakeEvents"})
            ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO %1 (PbxIdentifier, IndiceDerivato) VALUES (?, ?)")
                                                  .arg(QString::fromLatin1(table)),
                                              {id, 200 + id}),
                      kNoError);
        ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO DerivedLabel (PbxIdentifier, IndiceDerivato, Label) "
                                                         "VALUES (?, 0, ?)"),
                                          {id, names[id]}),
                  kNoError);
    }

    ASSERT_EQ(database->DeleteEngineConfiguration(1), kNoError);
    ASSERT_EQ(database->PbxCount(), 2);
    EXPECT_EQ(database->PbxComId(0), 0);
    EXPECT_EQ(database->PbxIdentifier(0), QStringLiteral("Alpha"));
    EXPECT_EQ(database->PbxComId(1), 1);
    EXPECT_EQ(database->PbxIdentifier(1), QStringLiteral("Gamma"));
    EXPECT_EQ(database->PbxComNumber(1), 2);
    for (const char* table : {"LogCalls", "LogCallsSwNew", "WakeEvents"}) {
        const QString name = QString::fromLatin1(table);
        // Gamma's calls now carry index 1; Beta's belong to no PBX; Alpha's stay.
        EXPECT_EQ(RowCount(*database, name, QStringLiteral("PbxIdentifier = 1 AND IndiceDerivato = 202")), 1) << table;
        EXPECT_EQ(RowCount(*database, name, QStringLiteral("PbxIdentifier = ? AND IndiceDerivato = 201"),
                           {CSqlDatabase::kRetiredPbxIdentifier}),
                  1)
            << table;
        EXPECT_EQ(RowCount(*database, name, QStringLiteral("PbxIdentifier = 0 AND IndiceDerivato = 200")), 1) << table;
        EXPECT_EQ(RowCount(*database, name, QStringLiteral("PbxIdentifier = 2")), 0) << table;
    }
    EXPECT_EQ(database->GetDerivedLabel(1, 0), QStringLiteral("Gamma"));

    // Exactly Beta's snapshot tables went with it.
    const QStringList tables = LowerTables(*database);
    for (const EngineTable table : PbxSnapshotTables()) {
        const QString name = TableName(table).toLower();
        EXPECT_FALSE(tables.contains(name + QStringLiteral("_beta"))) << name.toStdString();
        EXPECT_TRUE(tables.contains(name + QStringLiteral("_alpha"))) << name.toStdString();
        EXPECT_TRUE(tables.contains(name + QStringLiteral("_gamma"))) << name.toStdString();
    }
}

TEST_P(SchemaTest, RenamingAPbxDropsTheOldNamesTablesOnly)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("Front"), 0), kNoError);
    ASSERT_EQ(database->InsertEngineConfiguration(1, QStringLiteral("Frontdesk"), 1), kNoError);
    ASSERT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
    ASSERT_EQ(database->OpenRecordset(QStringLiteral("INSERT INTO DerivedStatus_Front (IndiceOggetto, Stato) VALUES (0, 2)")),
              kNoError);

    // A change of case names the same tables: they stay with their rows.
    ASSERT_EQ(database->UpdateEngineConfiguration(0, QStringLiteral("FRONT"), 0), kNoError);
    EXPECT_EQ(RowCount(*database, QStringLiteral("DerivedStatus_FRONT")), 1);

    ASSERT_EQ(database->UpdateEngineConfiguration(0, QStringLiteral("Lobby"), 0), kNoError);
    const QStringList tables = LowerTables(*database);
    for (const EngineTable table : PbxSnapshotTables()) {
        const QString name = TableName(table).toLower();
        EXPECT_FALSE(tables.contains(name + QStringLiteral("_front"))) << name.toStdString();
        EXPECT_TRUE(tables.contains(name + QStringLiteral("_frontdesk"))) << name.toStdString();
    }
    EXPECT_TRUE(tables.contains(QStringLiteral("engineconfiguration")));
    EXPECT_EQ(database->PbxIdentifier(0), QStringLiteral("Lobby"));
}

TEST_P(SchemaTest, IdentifierOfAnotherPbxIsRefusedWhateverItsCase)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("ABC"), 0), kNoError);
    ASSERT_EQ(database->InsertEngineConfiguration(1, QStringLiteral("Other"), 1), kNoError);
    for (const char* taken : {"ABC", "abc", "aBc"}) {
        EXPECT_EQ(database->InsertEngineConfiguration(2, QString::fromLatin1(taken), 2), kDbStatementFailed) << taken;
        EXPECT_EQ(database->UpdateEngineConfiguration(1, QString::fromLatin1(taken), 1), kDbStatementFailed) << taken;
    }
    EXPECT_EQ(database->PbxCount(), 2);
    EXPECT_EQ(database->PbxIdentifier(1), QStringLiteral("Other"));
    // A PBX keeps its own identifier, in any case.
    EXPECT_EQ(database->UpdateEngineConfiguration(0, QStringLiteral("abc"), 5), kNoError);
    EXPECT_EQ(database->PbxComNumber(0), 5);
}

TEST_P(SchemaTest, PbxIdentifierMustBeAPlainName)
{
    auto database = StartEngineDatabase();
    EXPECT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("X'); DROP TABLE EngineConfiguration; --"), 0),
              kDbStatementFailed);
    EXPECT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"), 0), kDbStatementFailed);
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 3), kNoError);
    EXPECT_EQ(database->UpdateEngineConfiguration(0, QStringLiteral("Two Words"), 4), kDbStatementFailed);
    ASSERT_EQ(database->UpdateEngineConfiguration(0, QStringLiteral("Reception"), 4), kNoError);
    EXPECT_EQ(database->PbxCount(), 1);
    EXPECT_EQ(database->PbxIdentifier(0), QStringLiteral("Reception"));
    EXPECT_EQ(database->PbxComNumber(0), 4);
}

TEST_P(SchemaTest, LinkStateOfEachPbx)
{
    auto database = StartEngineDatabase();
    ASSERT_EQ(database->InsertEngineConfiguration(0, QStringLiteral("PBX1"), 0), kNoError);
    quint8 state = 99;
    ASSERT_EQ(database->ReadComStat(0, state), kNoError);
    EXPECT_EQ(state, 0);
    ASSERT_EQ(database->UpdateComStat(0, kChannelTimeout), kNoError);
    ASSERT_EQ(database->ReadComStat(0, state), kNoError);
    EXPECT_EQ(state, kChannelTimeout);
    EXPECT_EQ(database->ReadComStat(1, state), kDbTableCheckFailed);
}

INSTANTIATE_DB_TEST(SchemaTest);

}  // namespace
