#include "downloadcalllog.h"

#include "binaryrecord.h"
#include "dbtest.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "scriptedcalllogengine.h"

namespace {

constexpr int kPbx = 0;
constexpr int kProgrammedNumber = 301;

class DownloadCallLogTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(m_engine.IsListening());
        m_client = std::make_unique<CEngineClient>("127.0.0.1", m_engine.Port());
        m_database = StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
    }

    // Stores what the engine's start-up reads from a PBX of two extensions, renumbered with direct numbers:
    // extension 0 has no programmed number, extension 1 has 301.
    void StorePbx(const QString& model)
    {
        QByteArray initialization(PbxRecord::kInitializationSize, '\0');
        initialization[PbxRecord::kExtensionCount] = 2;
        WriteAnsiField(initialization, PbxRecord::kInitializationVersion, PbxRecord::kTextFieldWidth, model);
        ASSERT_EQ(Database().SaveInitialization(kPbx, initialization), kNoError);
        QByteArray configuration(PbxRecord::kSystemConfigurationSize, '\0');
        configuration[11] = 1;     // Rinumerazione
        configuration[24] = 0x40;  // ExtensioneBitmap1: programmed numbers are dialled as they are
        ASSERT_EQ(Database().SaveSystemConfiguration(kPbx, configuration), kNoError);
        for (int extension = 0; extension < 2; ++extension) {
            QByteArray programming(PbxRecord::kExtensionProgrammationSize, '\0');
            programming[0] = PbxRecord::kObjectExtension;
            programming[1] = static_cast<char>(extension);
            if (extension == 1) {
                programming[35] = static_cast<char>(kProgrammedNumber & 0xFF);
                programming[36] = static_cast<char>(kProgrammedNumber >> 8);
            }
            ASSERT_EQ(Database().SaveDerivedProgrammation(kPbx, programming), kNoError);
        }
    }

    CSqlDatabase& Database() { return *m_database; }
    ScriptedCallLogEngine& Engine() { return m_engine; }
    const CEngineClient* Client() const { return m_client.get(); }

    int StoredCalls(const QString& where = QStringLiteral("1=1"))
    {
        QString text;
        double number = -1;
        if (Database().OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Total FROM LogCalls WHERE ") + where) != kNoError ||
            Database().GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
            return -1;
        return static_cast<int>(number);
    }

private:
    ScriptedCallLogEngine m_engine;
    std::unique_ptr<CEngineClient> m_client;
    std::unique_ptr<CSqlDatabase> m_database;
};

// A call of the PBX's log as its answer carries it: the number's digits as 1-9, and 10 for '0'.
QByteArray Call(int hour, int minute, int second, const QByteArray& digits = "0612")
{
    QByteArray record(PbxRecord::kCallLogRecordSize, '\0');
    record[PbxRecord::kCallLogKind] = PbxRecord::kCallLogKindCall;
    record[3] = 15;
    record[4] = 4;
    record[5] = 24;
    const QList<int> start = {hour, minute, second};
    for (int i = 0; i < 3; ++i) {
        record[PbxRecord::kCallLogStart + i] = static_cast<char>(start[i]);
        record[PbxRecord::kCallLogEnd + i] = static_cast<char>(i == 0 ? hour + 1 : start[i]);
    }
    record[PbxRecord::kCallLogDuration] = 1;
    for (qsizetype i = 0; i < digits.size(); ++i)
        record[PbxRecord::kCallLogNumber + i] = static_cast<char>(digits.at(i) == '0' ? 10 : digits.at(i) - '0');
    return record;
}

TEST_P(DownloadCallLogTest, EveryCallIsStoredUnderItsDiallingNumberThenTheLogIsCleared)
{
    StorePbx(QStringLiteral("MODEL 16 v3"));
    Engine().SetCalls(0, {Call(9, 0, 0), Call(9, 30, 0, "3355")});
    Engine().SetCalls(1, {Call(10, 0, 0)});
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx), kNoError);
    EXPECT_EQ(StoredCalls(), 3);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001 AND NumeroChiamato = '3355'")), 1);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001 AND NumeroChiamato = '0612'")), 1);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 301")), 1);
    EXPECT_EQ(Engine().ClearCount(), 1);
    EXPECT_TRUE(Engine().Calls(0).isEmpty());
}

TEST_P(DownloadCallLogTest, Nexo28LogIsNeverClearedAndIsStoredOnce)
{
    StorePbx(QStringLiteral("NEXO28 1.4"));
    Engine().SetCalls(0, {Call(9, 0, 0), Call(9, 30, 0)});
    for (int download = 0; download < 2; ++download)
        EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx), kNoError);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 1001")), 2);
    EXPECT_EQ(Engine().ClearCount(), 0);
}

TEST_P(DownloadCallLogTest, FailedInsertKeepsTheLogInThePbx)
{
    StorePbx(QStringLiteral("MODEL 16 v3"));
    // A call-log table that refuses the calls of extension 301.
    QStringList columns;
    for (const ColumnDefinition& column : Table(EngineTable::kLogCalls).columns)
        columns << QString::fromLatin1(column.name) + u' ' + Database().Dialect().ColumnType(QString::fromLatin1(column.type));
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("DROP TABLE LogCalls")), kNoError);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("CREATE TABLE LogCalls (%1, CHECK (IndiceDerivato <> %2))")
                                           .arg(columns.join(u','))
                                           .arg(kProgrammedNumber)),
              kNoError);
    Engine().SetCalls(0, {Call(9, 0, 0)});
    Engine().SetCalls(1, {Call(10, 0, 0)});
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx), kDbRowInsertFailed);
    EXPECT_EQ(Engine().ClearCount(), 0);
    EXPECT_EQ(Engine().Calls(1).size(), 1);
}

TEST_P(DownloadCallLogTest, FailingInsertInsideAnExtensionStoresNoneOfItsCallsAndTheNextDownloadNoDuplicate)
{
    StorePbx(QStringLiteral("MODEL 16 v3"));
    // While this index stands, the third call of extension 301 (a second call to "22") cannot be stored.
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("CREATE UNIQUE INDEX OneCallPerNumber ON LogCalls "
                                                      "(IndiceDerivato, NumeroChiamato)")),
              kNoError);
    Engine().SetCalls(0, {Call(9, 0, 0), Call(9, 30, 0, "3355")});
    Engine().SetCalls(1, {Call(10, 0, 0, "11"), Call(10, 5, 0, "22"), Call(10, 10, 0, "22"), Call(10, 15, 0, "33")});
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx, std::chrono::milliseconds(0)), kDbRowInsertFailed);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 301")), 0);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001")), 2);
    EXPECT_EQ(Engine().ClearCount(), 0);
    EXPECT_EQ(Engine().Calls(1).size(), 4);

    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("DROP INDEX OneCallPerNumber")), kNoError);
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx, std::chrono::milliseconds(0)), kNoError);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 301")), 4);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001")), 2);
    EXPECT_EQ(Engine().ClearCount(), 1);
}

TEST_P(DownloadCallLogTest, CallRepeatedInOneAnswerIsStoredOnce)
{
    StorePbx(QStringLiteral("NEXO28 1.4"));
    Engine().SetCalls(0, {Call(9, 0, 0), Call(9, 30, 0), Call(9, 0, 0)});
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx, std::chrono::milliseconds(0)), kNoError);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 1001")), 2);
}

TEST_P(DownloadCallLogTest, LogLongerThanOneDownloadIsKept)
{
    StorePbx(QStringLiteral("MODEL 16 v3"));
    QList<QByteArray> calls;
    for (int i = 0; i < 300; ++i)
        calls << Call(8 + i / 60, i % 60, 0);
    Engine().SetCalls(0, calls);
    Engine().SetCalls(1, {Call(10, 0, 0)});
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx), kNoError);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001")), 255);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 301")), 1);
    EXPECT_EQ(Engine().ClearCount(), 0);
}

TEST_P(DownloadCallLogTest, EngineFailureEndsTheDownloadWithoutClearing)
{
    StorePbx(QStringLiteral("MODEL 16 v3"));
    Engine().SetCalls(0, {Call(9, 0, 0)});
    Engine().FailReads(1, kServerTimeout);
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx), kServerTimeout);
    EXPECT_EQ(StoredCalls(), 1);
    EXPECT_EQ(Engine().ClearCount(), 0);
}

// A stop asked in the middle of an extension's answer keeps the extensions stored before it, stores
// nothing of that one and clears nothing; the next download stores each call once.
TEST_P(DownloadCallLogTest, StopBetweenAnswersKeepsWholeExtensionsAndClearsNothing)
{
    StorePbx(QStringLiteral("MODEL 16 v3"));
    Engine().SetCalls(0, {Call(9, 0, 0), Call(9, 30, 0, "3355")});
    Engine().SetCalls(1, {Call(10, 0, 0, "11"), Call(10, 5, 0, "22"), Call(10, 10, 0, "33")});
    // Extension 0 takes three reads (two calls and the end); the stop comes after the second of extension 1.
    constexpr int kReadsBeforeStop = 5;
    const auto stop = [this] { return Engine().ReadCount() >= kReadsBeforeStop; };
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx, std::chrono::milliseconds(0), stop), kCallLogDownloadStopped);
    EXPECT_EQ(Engine().ReadCount(), kReadsBeforeStop);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001")), 2);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 301")), 0);
    EXPECT_EQ(Engine().ClearCount(), 0);
    EXPECT_EQ(Engine().Calls(0).size(), 2);
    EXPECT_EQ(Engine().Calls(1).size(), 3);

    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx, std::chrono::milliseconds(0)), kNoError);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 2001")), 2);
    EXPECT_EQ(StoredCalls(QStringLiteral("IndiceDerivato = 301")), 3);
    EXPECT_EQ(Engine().ClearCount(), 1);
}

TEST_P(DownloadCallLogTest, NeedsAClientAndTheStoredPbx)
{
    EXPECT_EQ(DownloadCallLog(nullptr, Database(), kPbx), kQueueSizesRefused);
    EXPECT_EQ(DownloadCallLog(Client(), Database(), kPbx), kDbTableCheckFailed);  // nothing stored yet
    EXPECT_EQ(Engine().ReadCount(), 0);
}

INSTANTIATE_DB_TEST(DownloadCallLogTest);

}  // namespace
