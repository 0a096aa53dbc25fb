#include "sqldatabase.h"

#include "binaryrecord.h"
#include "dbtest.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"

namespace {

constexpr int kPbx = 0;

class StorageTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
    }

    CSqlDatabase& Database() { return *m_database; }

    int RowCount(const QString& table, const QString& where = QStringLiteral("1=1"))
    {
        QString text;
        double number = -1;
        if (Database().OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Total FROM %1 WHERE %2").arg(table, where)) !=
                kNoError ||
            Database().GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
            return -1;
        return static_cast<int>(number);
    }

private:
    std::unique_ptr<CSqlDatabase> m_database;
};

QByteArray Pattern(qsizetype size, int seed)
{
    QByteArray record(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        record[i] = static_cast<char>((seed + i * 7) % 251);
    return record;
}

TEST_P(StorageTest, InitializationIsReplacedAndReadBack)
{
    QByteArray record = Pattern(PbxRecord::kInitializationSize, 1);
    WriteAnsiField(record, PbxRecord::kInitializationVersion, PbxRecord::kTextFieldWidth, QStringLiteral("NEXO28 'B' v2"));
    ASSERT_EQ(Database().SaveInitialization(kPbx, Pattern(PbxRecord::kInitializationSize, 9)), kNoError);
    ASSERT_EQ(Database().SaveInitialization(kPbx, record), kNoError);
    EXPECT_EQ(RowCount(QStringLiteral("Initialization_PBX1")), 1);
    QByteArray read;
    ASSERT_EQ(Database().ReadInitialization(kPbx, read), kNoError);
    ASSERT_EQ(read.size(), PbxRecord::kInitializationSize);
    EXPECT_EQ(read.left(PbxRecord::kInitializationNumbers), record.left(PbxRecord::kInitializationNumbers));
    EXPECT_EQ(ReadAnsiField(read, PbxRecord::kInitializationVersion, PbxRecord::kTextFieldWidth),
              QStringLiteral("NEXO28 'B' v2"));
}

TEST_P(StorageTest, SystemConfigurationIsReplacedAndReadBack)
{
    const QByteArray record = Pattern(PbxRecord::kSystemConfigurationSize, 3);
    ASSERT_EQ(Database().SaveSystemConfiguration(kPbx, Pattern(PbxRecord::kSystemConfigurationSize, 4)), kNoError);
    ASSERT_EQ(Database().SaveSystemConfiguration(kPbx, record), kNoError);
    EXPECT_EQ(RowCount(QStringLiteral("SystemConfiguration_PBX1")), 1);
    QByteArray read;
    ASSERT_EQ(Database().ReadSystemConfiguration(kPbx, read), kNoError);
    EXPECT_EQ(read, record);
}

TEST_P(StorageTest, ProgrammingRecordsAreReplacedPerObject)
{
    using Save = int (CSqlDatabase::*)(int, const QByteArray&);
    using Read = int (CSqlDatabase::*)(int, int, QByteArray&);
    struct Case {
        const char* table;
        quint8 type;
        qsizetype size;
        Save save;
        Read read;
    };
    const Case cases[] = {
        {"DerivedProgrammations_PBX1", PbxRecord::kObjectExtension, PbxRecord::kExtensionProgrammationSize,
         &CSqlDatabase::SaveDerivedProgrammation, &CSqlDatabase::ReadDerivedProgrammation},
        {"LineProgrammations_PBX1", PbxRecord::kObjectLine, PbxRecord::kLineProgrammationSize,
         &CSqlDatabase::SaveLineProgrammation, &CSqlDatabase::ReadLineProgrammation},
        {"EntryPhoneProgrammations_PBX1", PbxRecord::kObjectEntryPhone, PbxRecord::kEntryPhoneProgrammationSize,
         &CSqlDatabase::SaveEntryPhoneProgrammation, &CSqlDatabase::ReadEntryPhoneProgrammation},
        {"RelayProgrammations_PBX1", PbxRecord::kObjectRelay, PbxRecord::kRelayProgrammationSize,
         &CSqlDatabase::SaveRelayProgrammation, &CSqlDatabase::ReadRelayProgrammation},
    };
    for (const Case& c : cases) {
        for (const int index : {4, 7}) {
            for (const int seed : {10, 20}) {
                QByteArray record = Pattern(c.size, seed + index);
                record[0] = static_cast<char>(c.type);
                record[1] = static_cast<char>(index);
                ASSERT_EQ((Database().*c.save)(kPbx, record), kNoError) << c.table;
            }
        }
        EXPECT_EQ(RowCount(QString::fromLatin1(c.table)), 2) << c.table;
        QByteArray read;
        ASSERT_EQ((Database().*c.read)(kPbx, 7, read), kNoError) << c.table;
        QByteArray expected = Pattern(c.size, 27);
        expected[0] = static_cast<char>(c.type);
        expected[1] = 7;
        EXPECT_EQ(read, expected) << c.table;
        EXPECT_EQ((Database().*c.read)(kPbx, 9, read), kDbTableCheckFailed) << c.table;  // no such object
    }
}

TEST_P(StorageTest, SystemProgrammingKeepsOneRow)
{
    ASSERT_EQ(Database().SaveSystemProgrammation(kPbx, QByteArray("\x00\x00\x05", 3)), kNoError);
    ASSERT_EQ(Database().SaveSystemProgrammation(kPbx, QByteArray("\x00\x00\x06", 3)), kNoError);
    EXPECT_EQ(RowCount(QStringLiteral("SystemProgrammations_PBX1"), QStringLiteral("VolumeDelRisponditore = 6")), 1);
    EXPECT_EQ(RowCount(QStringLiteral("SystemProgrammations_PBX1")), 1);
}

TEST_P(StorageTest, FailedInsertKeepsTheStoredRow)
{
    // A table that refuses the new row: the old one must survive the replacement.
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("DROP TABLE DerivedProgrammations_PBX1")), kNoError);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("CREATE TABLE DerivedProgrammations_PBX1 (IndiceOggetto smallint)")),
              kNoError);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("INSERT INTO DerivedProgrammations_PBX1 VALUES (4)")), kNoError);
    QByteArray record(PbxRecord::kExtensionProgrammationSize, '\0');
    record[0] = PbxRecord::kObjectExtension;
    record[1] = 4;
    EXPECT_EQ(Database().SaveDerivedProgrammation(kPbx, record), kDbTableCreationFailed);
    EXPECT_EQ(RowCount(QStringLiteral("DerivedProgrammations_PBX1"), QStringLiteral("IndiceOggetto = 4")), 1);
}

TEST_P(StorageTest, StatusAnswersAreStoredAndReadBackAsRecords)
{
    ASSERT_EQ(Database().SaveDerivedStatus(kPbx, QByteArray("\x01\x05\x07\x02\x03\x00\x09", 7)), kNoError);
    ASSERT_EQ(Database().SaveDerivedStatus(kPbx, QByteArray("\x01\x05\x08\x02\x03\x00\x09", 7)), kNoError);
    EXPECT_EQ(RowCount(QStringLiteral("DerivedStatus_PBX1")), 1);
    QByteArray extension;
    ASSERT_EQ(Database().ReadDerivedStatus(kPbx, 5, extension), kNoError);
    ASSERT_EQ(extension.size(), PbxRecord::kExtensionStatusSize);
    EXPECT_EQ(extension.left(9), QByteArray("\x01\x05\x08\x02\x03\x00\x09\x00\x00", 9));

    // A line record read into a caller's larger entry leaves the bytes after it alone.
    ASSERT_EQ(Database().SaveLineStatus(kPbx, QByteArray("\x02\x03\x07\x01\x05\x00\x00", 7)), kNoError);
    QByteArray line(108, 'x');
    ASSERT_EQ(Database().ReadLineStatus(kPbx, 3, line), kNoError);
    EXPECT_EQ(line.left(7), QByteArray("\x03\x07\x01\x05\x00\x00\x00", 7));
    EXPECT_EQ(line.mid(PbxRecord::kLineStatusSize), QByteArray(108 - PbxRecord::kLineStatusSize, 'x'));

    ASSERT_EQ(Database().SaveEntryPhoneStatus(kPbx, QByteArray("\x03\x01\x0D\x01\x05\x00\x00", 7)), kNoError);
    QByteArray entryPhone;
    ASSERT_EQ(Database().ReadEntryPhoneStatus(kPbx, 1, entryPhone), kNoError);
    EXPECT_EQ(entryPhone, QByteArray("\x03\x01\x0D\x01\x05\x00\x00", 7));

    ASSERT_EQ(Database().SaveRelayStatus(kPbx, QByteArray("\x04\x02\x01", 3)), kNoError);
    QByteArray relay;
    ASSERT_EQ(Database().ReadRelayStatus(kPbx, 2, relay), kNoError);
    EXPECT_EQ(relay, QByteArray("\x01", 1));
}

TEST_P(StorageTest, NumbersAreReadAsTheirLowByte)
{
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("INSERT INTO RelayStatus_PBX1 (IndiceOggetto, Stato) VALUES (0, 300)")),
              kNoError);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("INSERT INTO RelayStatus_PBX1 (IndiceOggetto, Stato) VALUES (1, -1)")),
              kNoError);
    QByteArray relay;
    ASSERT_EQ(Database().ReadRelayStatus(kPbx, 0, relay), kNoError);
    EXPECT_EQ(static_cast<quint8>(relay.at(0)), 44);
    ASSERT_EQ(Database().ReadRelayStatus(kPbx, 1, relay), kNoError);
    EXPECT_EQ(static_cast<quint8>(relay.at(0)), 255);
}

TEST_P(StorageTest, EventsUpdateTheStateTables)
{
    ASSERT_EQ(Database().SaveDerivedStatus(kPbx, QByteArray("\x01\x05\x02\x00\x00\x00\x00", 7)), kNoError);
    EXPECT_EQ(Database().SetObjectState(kPbx, PbxRecord::kObjectExtension, 5, 7), kNoError);
    EXPECT_EQ(Database().UpdateObjectLink(kPbx, PbxRecord::kObjectExtension, 5, 2, 3), kNoError);
    EXPECT_EQ(Database().UpdateHandset(kPbx, 5, 1), kNoError);
    QByteArray extension;
    ASSERT_EQ(Database().ReadDerivedStatus(kPbx, 5, extension), kNoError);
    EXPECT_EQ(extension.left(9), QByteArray("\x01\x05\x07\x02\x03\x00\x00\x01\x00", 9));

    EXPECT_EQ(Database().UpdateRing(kPbx, 5, 16, 3, 1), kNoError);
    EXPECT_EQ(Database().UpdateObjectState(kPbx, QByteArray("\x01\x05\x03", 3)), kNoError);
    ASSERT_EQ(Database().ReadDerivedStatus(kPbx, 5, extension), kNoError);
    EXPECT_EQ(extension.left(9), QByteArray("\x01\x05\x03\x03\x01\x00\x00\x01\x10", 9));

    // Relays have no link or state row to update.
    EXPECT_EQ(Database().UpdateObjectLink(kPbx, PbxRecord::kObjectRelay, 0, 1, 5), kDbTableUpdateFailed);
    EXPECT_EQ(Database().UpdateObjectState(kPbx, QByteArray("\x04\x00\x01", 3)), kDbTableUpdateFailed);
}

TEST_P(StorageTest, DialledDigitsAndCallerIds)
{
    ASSERT_EQ(Database().SaveDerivedStatus(kPbx, QByteArray("\x01\x05\x02\x00\x00\x00\x00", 7)), kNoError);
    EXPECT_EQ(Database().AppendDialledDigits(kPbx, 5, QStringLiteral("06")), kNoError);
    EXPECT_EQ(Database().AppendDialledDigits(kPbx, 5, QStringLiteral("12")), kNoError);
    QByteArray extension;
    ASSERT_EQ(Database().ReadDerivedStatus(kPbx, 5, extension), kNoError);
    EXPECT_EQ(ReadAnsiField(extension, PbxRecord::kExtensionStatusDigits, PbxRecord::kTextFieldWidth), QStringLiteral("0612"));
    EXPECT_EQ(Database().AppendDialledDigits(kPbx, 5, QString(60, u'9')), kNoError);  // cut to the column
    ASSERT_EQ(Database().ReadDerivedStatus(kPbx, 5, extension), kNoError);
    EXPECT_EQ(ReadAnsiField(extension, PbxRecord::kExtensionStatusDigits, PbxRecord::kTextFieldWidth),
              QStringLiteral("0612") + QString(46, u'9'));
    EXPECT_EQ(Database().ClearDialledDigits(kPbx, 5), kNoError);
    ASSERT_EQ(Database().ReadDerivedStatus(kPbx, 5, extension), kNoError);
    EXPECT_EQ(extension.at(PbxRecord::kExtensionStatusDigits), '\0');
    EXPECT_EQ(RowCount(QStringLiteral("DerivedStatus_PBX1"), QStringLiteral("Digits = ''")), 1);  // empty, not NULL
    EXPECT_EQ(Database().AppendDialledDigits(kPbx, 6, QStringLiteral("1")), kDbTableUpdateFailed);  // no row

    ASSERT_EQ(Database().SaveLineStatus(kPbx, QByteArray("\x02\x01\x02\x00\x00\x00\x00", 7)), kNoError);
    EXPECT_EQ(Database().SetLineCallerId(kPbx, 1, QStringLiteral("O'Brien 0612")), kNoError);
    QByteArray line;
    ASSERT_EQ(Database().ReadLineStatus(kPbx, 1, line), kNoError);
    EXPECT_EQ(ReadAnsiField(line, PbxRecord::kLineStatusCallerId, PbxRecord::kTextFieldWidth), QStringLiteral("O'Brien 0612"));
    EXPECT_EQ(Database().ClearLineCallerId(kPbx, 1), kNoError);
    ASSERT_EQ(Database().ReadLineStatus(kPbx, 1, line), kNoError);
    EXPECT_EQ(line.at(PbxRecord::kLineStatusCallerId), '\0');
    EXPECT_EQ(RowCount(QStringLiteral("LineStatus_PBX1"), QStringLiteral("CallerID = ''")), 1);
}

TEST_P(StorageTest, WakeUpTimeIsStoredAndReadAsAValue)
{
    ASSERT_EQ(Database().SaveDerivedStatus(kPbx, QByteArray("\x01\x05\x02\x00\x00\x00\x00", 7)), kNoError);
    QByteArray wakeUp;
    ASSERT_EQ(Database().ReadWakeUp(kPbx, 5, wakeUp), kNoError);  // none set yet
    EXPECT_EQ(wakeUp, QByteArray("\x05\x00\x00\x00\x00", 5));
    ASSERT_EQ(Database().UpdateWakeUp(kPbx, QByteArray("\x05\x01\x06\x1E\x09", 5)), kNoError);
    EXPECT_EQ(Database().UpdateWakeUp(kPbx, QByteArray("\x05\x00\x19\x00\x00", 5)), kDbRowInsertFailed);  // 25:00
    ASSERT_EQ(Database().ReadWakeUp(kPbx, 5, wakeUp), kNoError);
    EXPECT_EQ(wakeUp, QByteArray("\x05\x01\x06\x1E\x09", 5));
}

TEST_P(StorageTest, LabelsAreInsertedThenUpdatedAsTyped)
{
    using SaveLabel = int (CSqlDatabase::*)(int, int, const QString&);
    using GetLabel = QString (CSqlDatabase::*)(int, int);
    struct Case {
        const char* table;
        SaveLabel save;
        GetLabel get;
    };
    const Case cases[] = {
        {"DerivedLabel", &CSqlDatabase::SaveDerivedLabel, &CSqlDatabase::GetDerivedLabel},
        {"AlarmLabel", &CSqlDatabase::SaveAlarmLabel, &CSqlDatabase::GetAlarmLabel},
        {"LineLabel", &CSqlDatabase::SaveLineLabel, &CSqlDatabase::GetLineLabel},
        {"EntryPhoneLabel", &CSqlDatabase::SaveEntryPhoneLabel, &CSqlDatabase::GetEntryPhoneLabel},
        {"RelayLabel", &CSqlDatabase::SaveRelayLabel, &CSqlDatabase::GetRelayLabel},
    };
    for (const Case& c : cases) {
        const QString table = QString::fromLatin1(c.table);
        EXPECT_TRUE((Database().*c.get)(kPbx, 3).isEmpty()) << c.table;
        ASSERT_EQ((Database().*c.save)(kPbx, 3, QStringLiteral("Reception")), kNoError) << c.table;
        ASSERT_EQ((Database().*c.save)(kPbx, 3, QStringLiteral("Room 12 'Sea view'")), kNoError) << c.table;
        ASSERT_EQ((Database().*c.save)(kPbx + 1, 3, QStringLiteral("Other PBX")), kNoError) << c.table;
        EXPECT_EQ((Database().*c.get)(kPbx, 3), QStringLiteral("Room 12 'Sea view'")) << c.table;
        EXPECT_EQ((Database().*c.get)(kPbx + 1, 3), QStringLiteral("Other PBX")) << c.table;
        EXPECT_EQ(RowCount(table), 2) << c.table;
    }
    ASSERT_EQ(Database().SaveDerivedLabel(kPbx, 4, QString(60, u'L')), kNoError);
    EXPECT_EQ(Database().GetDerivedLabel(kPbx, 4), QString(50, u'L'));
}

INSTANTIATE_DB_TEST(StorageTest);

}  // namespace
