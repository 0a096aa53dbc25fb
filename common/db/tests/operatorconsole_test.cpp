// The operator console's tables and queries on both backends: schema steps, ranges, the call-log kinds,
// messages, notes and alarms, and the start-up counts.
#include "sqldatabase.h"

#include "dbtest.h"
#include "engineerrorcode.h"
#include "rowlist.h"
#include "sqldate.h"

namespace {

constexpr int kPbxId = 1;
const OleDate kNow(2024, 6, 10, 12, 0, 0);

class OperatorConsoleTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(0, QStringLiteral("PBX1"));
        m_database->SetClock([] { return kNow; });
        ASSERT_EQ(m_database->PrepareOperatorConsoleTables(), kNoError) << m_database->LastError().toStdString();
    }

    CSqlDatabase& Db() { return *m_database; }

    void Execute(const QString& sql, const QVariantList& values = {})
    {
        ASSERT_EQ(Db().OpenRecordset(sql, values), kNoError) << sql.toStdString() << Db().LastError().toStdString();
        Db().CloseRecordset();
    }

    // A switchboard call: extension, start, direction (Uscente), line kind, pulses, charge, number.
    void AddCall(int extension, const OleDate& start, int direction, int line = 1, int pulses = 0, int charge = 0,
                 const QString& number = QStringLiteral("0612"))
    {
        Execute(QStringLiteral("INSERT INTO LogCallsSwNew (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,"
                               "IndiceEsterna,Scatti,Totale,Uscente,NumeroChiamato,Fatturato) VALUES (?,?,?,?,?,?,?,?,?,?,0)"),
                {kPbxId, extension, SqlDateText(start), SqlDateText(start.AddSeconds(60)),
                 SqlDateText(OleDate(1899, 12, 30, 0, 1, 0)), line, pulses, charge, direction, number});
    }

    int Count(const QString& table)
    {
        QString text;
        double number = -1;
        if (Db().OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Total FROM ") + table) != kNoError ||
            Db().GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
            return -1;
        Db().CloseRecordset();
        return static_cast<int>(number);
    }

private:
    std::unique_ptr<CSqlDatabase> m_database;
};

TEST_P(OperatorConsoleTest, SchemaStepsCreateTheTablesOnceAndUpgradeOldMessages)
{
    const QStringList tables = LowerTables(Db());
    for (const char* table : {"alarmeventsnew", "internalmessage", "newnotes"})
        EXPECT_TRUE(tables.contains(QString::fromLatin1(table))) << table;
    // A second start changes nothing.
    ASSERT_EQ(Db().PrepareOperatorConsoleTables(), kNoError);
    EXPECT_EQ(LowerTables(Db()), tables);

    // An installation from before messages had an addressee's PBX: the old rows get 0.
    Execute(QStringLiteral("DROP TABLE InternalMessage"));
    Execute(QStringLiteral("CREATE TABLE InternalMessage (IDMessage integer, PbxIdentifier smallint, Source smallint, "
                           "Dest smallint, MessageDate %1, MessageText varchar(255), IsRead smallint)")
                .arg(Db().Dialect().ColumnType(QStringLiteral("datetime"))));
    Execute(QStringLiteral("INSERT INTO InternalMessage VALUES (7, 1, 2, 3, ?, 'old', 0)"), {SqlDateText(kNow)});
    ASSERT_EQ(Db().PrepareOperatorConsoleTables(), kNoError) << Db().LastError().toStdString();
    ASSERT_EQ(Db().PrepareOperatorConsoleTables(), kNoError);
    RowList rows;
    ASSERT_EQ(Db().QueryMessages({kPbxId, 0, 255, 255, 0}, nullptr, nullptr, &rows, nullptr), kNoError);
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Text(0, 1), QStringLiteral("3 + 0"));
    EXPECT_EQ(rows.Rows()[0].itemData, 7);
}

TEST_P(OperatorConsoleTest, RangesNeedBothValidEndsAndRunNothingOtherwise)
{
    const OleDate from(2024, 1, 1);
    const OleDate invalid = OleDate::Invalid();
    RowList rows;
    rows.Append({QStringLiteral("kept")}, 1);
    EXPECT_EQ(Db().QueryCallLog(kPbxId, 255, 0, &from, nullptr, rows), kDbTableCheckFailed);
    EXPECT_EQ(Db().QueryWakeEvents(kPbxId, 255, nullptr, &from, rows), kDbTableCheckFailed);
    EXPECT_EQ(Db().QueryAlarmEvents(kPbxId, 255, &invalid, &from, rows), kDbTableCheckFailed);
    EXPECT_EQ(Db().QueryNotes(kPbxId, 255, &from, &invalid, 0, {}, rows), kDbTableCheckFailed);
    EXPECT_EQ(Db().QueryMessages({}, &from, nullptr, &rows, nullptr), kDbTableCheckFailed);
    EXPECT_EQ(rows.Count(), 1);
}

TEST_P(OperatorConsoleTest, CallLogKindsSelectDirectionAndLine)
{
    // Direction 1-4 on line kind 1, then the same on line kind 2.
    for (int line = 1; line <= 2; ++line)
        for (int direction = 1; direction <= 4; ++direction)
            AddCall(line * 10 + direction, OleDate(2024, 3, line, 10, direction), direction, line);
    struct KindsCase {
        unsigned kinds;
        QStringList extensions;
    };
    const KindsCase cases[] = {
        {1, {"11", "21"}},
        {2, {"12", "14", "22", "24"}},
        {4, {"13", "23"}},
        {3, {"11", "12", "13", "14", "21", "22", "23", "24"}},
        {8, {"11", "12", "13", "14"}},
        {16, {"21", "22", "23", "24"}},
        {24, {"11", "12", "13", "14", "21", "22", "23", "24"}},
        {4 | 16, {"23"}},
    };
    for (const KindsCase& c : cases) {
        RowList rows;
        ASSERT_EQ(Db().QueryCallLog(kPbxId, 255, c.kinds, nullptr, nullptr, rows), kNoError);
        QStringList extensions;
        for (qsizetype row = 0; row < rows.Count(); ++row)
            extensions << rows.Text(row, 0);
        EXPECT_EQ(extensions, c.extensions) << "kinds " << c.kinds;
    }
}

TEST_P(OperatorConsoleTest, CallLogRangesOverMonthAndYearEndsExcludeTheirEnds)
{
    AddCall(1, OleDate(2024, 1, 31, 23, 59, 59), 1);
    AddCall(1, OleDate(2024, 2, 1, 0, 0, 0), 1);
    AddCall(1, OleDate(2024, 12, 31, 23, 0, 0), 1);
    AddCall(1, OleDate(2025, 1, 1, 1, 0, 0), 1);
    AddCall(2, OleDate(2025, 1, 1, 2, 0, 0), 1);
    struct RangeCase {
        OleDate from, to;
        int extension;
        qsizetype rows;
    };
    const RangeCase cases[] = {
        {OleDate(2024, 1, 31, 12), OleDate(2024, 2, 1, 12), 255, 2},
        {OleDate(2024, 1, 31, 23, 59, 59), OleDate(2024, 2, 1, 0, 0, 0), 255, 0},  // ends excluded
        {OleDate(2024, 12, 31), OleDate(2025, 1, 2), 255, 3},
        {OleDate(2024, 12, 31), OleDate(2025, 1, 2), 1, 2},
    };
    for (const RangeCase& c : cases) {
        RowList rows;
        ASSERT_EQ(Db().QueryCallLog(kPbxId, c.extension, 0, &c.from, &c.to, rows), kNoError);
        EXPECT_EQ(rows.Count(), c.rows);
    }
}

TEST_P(OperatorConsoleTest, CallLogColumnsShowLineAndPulsesAndTheChargesBytes)
{
    AddCall(7, OleDate(2024, 3, 1, 9), 2, 2, 300, 0x12345, QStringLiteral("0039061234"));
    RowList rows;
    ASSERT_EQ(Db().QueryCallLog(kPbxId, 7, 0, nullptr, nullptr, rows), kNoError);
    ASSERT_EQ(rows.Count(), 1);
    const QStringList& texts = rows.Rows()[0].texts;
    ASSERT_EQ(texts.size(), 9);
    EXPECT_EQ(texts[0], QStringLiteral("7"));
    EXPECT_EQ(texts[4], QString::number(2 * 256 + (300 & 0xFF)));  // each taken as a byte
    EXPECT_EQ(texts[5], QStringLiteral("2"));
    EXPECT_EQ(texts[6], QString::number(0x45));
    EXPECT_EQ(texts[7], QString::number(0x23));
    EXPECT_EQ(texts[8], QStringLiteral("0039061234"));
}

TEST_P(OperatorConsoleTest, MessagesAreWrittenListedReadAndDeleted)
{
    ASSERT_EQ(Db().InsertMessage(kPbxId, 2, 12, 5, QStringLiteral("Call O'Neil about the 50% offer")), kNoError);
    ASSERT_EQ(Db().InsertMessage(kPbxId, kPbxId, 3, 4, QString(600, u'x')), kNoError);
    RowList rows;
    int count = -1;
    ASSERT_EQ(Db().QueryMessages({}, nullptr, nullptr, &rows, &count), kNoError);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(rows.Text(0, 0), QStringLiteral("12 + 1"));
    EXPECT_EQ(rows.Text(0, 1), QStringLiteral("5 + 2"));
    EXPECT_EQ(rows.Text(0, 3), QStringLiteral("Call O'Neil about the 50% offer"));
    EXPECT_EQ(rows.Text(0, 4), QStringLiteral("0"));
    EXPECT_EQ(rows.Text(1, 3).size(), 512);

    ASSERT_EQ(Db().MarkMessagesRead(5, 2), kNoError);
    ASSERT_EQ(Db().QueryMessages({255, 255, 255, 255, 1}, nullptr, nullptr, nullptr, &count), kNoError);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(Db().QueryMessages({255, 255, 255, 255, 2}, nullptr, nullptr, &rows, &count), kNoError);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(rows.Text(0, 0), QStringLiteral("3 + 1"));

    DeletedMessage deleted;
    ASSERT_EQ(Db().DeleteMessage(static_cast<int>(rows.Rows()[0].itemData), deleted), kNoError);
    EXPECT_TRUE(deleted.found);
    EXPECT_EQ(deleted.source, 3);
    EXPECT_EQ(deleted.destination, 4);
    EXPECT_EQ(deleted.destinationPbxIdentifier, kPbxId);
    ASSERT_EQ(Db().DeleteMessage(99999, deleted), kNoError);
    EXPECT_FALSE(deleted.found);
    EXPECT_EQ(Count(QStringLiteral("InternalMessage")), 1);

    // A range excludes its ends.
    const OleDate before = kNow.AddSeconds(-1);
    const OleDate after = kNow.AddSeconds(1);
    ASSERT_EQ(Db().QueryMessages({}, &before, &after, nullptr, &count), kNoError);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(Db().QueryMessages({}, &kNow, &after, nullptr, &count), kNoError);
    EXPECT_EQ(count, 0);
}

TEST_P(OperatorConsoleTest, UnreadCountsGoPastSixteenBitsAnd256IsNotNone)
{
    // 256 unread messages for extension 4 of this PBX, from extension 3; 70,000 from extension 9.
    const auto addMessages = [this](int source, int count) {
        Execute(QStringLiteral("INSERT INTO InternalMessage (PbxIdentifier,DestPbxIdentifier,Source,Dest,MessageDate,"
                               "MessageText,IsRead) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                               "WHERE i < %1) SELECT ?, ?, ?, 4, ?, 'm', 0 FROM n")
                    .arg(count),
                {kPbxId, kPbxId, source, SqlDateText(kNow)});
    };
    addMessages(3, 256);
    bool waiting = false;
    ASSERT_EQ(Db().HasUnreadMessages(kPbxId, 4, waiting), kNoError);
    EXPECT_TRUE(waiting);
    ASSERT_EQ(Db().HasUnreadMessages(kPbxId, 5, waiting), kNoError);
    EXPECT_FALSE(waiting);

    addMessages(9, 70000);
    int count = 0;
    ASSERT_EQ(Db().CountUnreadMessagesFor({kPbxId, 9, 8, 255, 0}, 4, count), kNoError);
    EXPECT_EQ(count, 70000);
}

TEST_P(OperatorConsoleTest, UnreadCountsReachTheSecondPbxByItsRange)
{
    ASSERT_EQ(Db().InsertMessage(kPbxId, 2, 3, 1, QStringLiteral("to the second PBX")), kNoError);
    ASSERT_EQ(Db().InsertMessage(kPbxId, kPbxId, 3, 1, QStringLiteral("to this PBX")), kNoError);
    const StationMessages station{kPbxId, 3, 8, 2, 4};
    struct IndexCase {
        int index;
        int count;
    };
    for (const IndexCase& c : {IndexCase{1, 1}, IndexCase{9, 1}, IndexCase{10, 0}, IndexCase{12, 0}}) {
        int count = -1;
        ASSERT_EQ(Db().CountUnreadMessagesFor(station, c.index, count), kNoError);
        EXPECT_EQ(count, c.count) << "index " << c.index;
    }
    int count = -1;
    ASSERT_EQ(Db().CountUnreadMessagesFor({kPbxId, 3, 8, 255, 4}, 9, count), kNoError);
    EXPECT_EQ(count, 0);  // no second PBX
}

TEST_P(OperatorConsoleTest, NotesSearchByLinkOrByNumberTakenLiterally)
{
    const auto note = [](std::uint16_t link, const char* number) {
        return NoteRecord{link, OleDate(2024, 5, 1, 8), QString::fromLatin1(number), QStringLiteral("O'Neil rang")};
    };
    ASSERT_EQ(Db().InsertNote(kPbxId, 4, note(0x0102, "50%1")), kNoError);
    ASSERT_EQ(Db().InsertNote(kPbxId, 4, note(7, "5011")), kNoError);
    ASSERT_EQ(Db().InsertNote(kPbxId, 5, note(7, "5_11")), kNoError);
    struct SearchCase {
        int kind;
        const char* text;
        int result;
        QStringList numbers;
    };
    const SearchCase cases[] = {
        {0, "", kNoError, {"50%1", "5011", "5_11"}},
        {1, "258", kNoError, {"50%1"}},
        {1, "seven", kDbTableCheckFailed, {}},
        {2, "50%", kNoError, {"50%1"}},
        {2, "5_1", kNoError, {"5_11"}},
        {2, "01", kNoError, {"5011"}},
    };
    for (const SearchCase& c : cases) {
        RowList rows;
        ASSERT_EQ(Db().QueryNotes(kPbxId, 255, nullptr, nullptr, c.kind, QString::fromLatin1(c.text), rows), c.result)
            << c.text;
        QStringList numbers;
        for (qsizetype row = 0; row < rows.Count(); ++row)
            numbers << rows.Text(row, 3);
        numbers.sort();
        EXPECT_EQ(numbers, c.numbers) << c.text;
    }
    RowList rows;
    ASSERT_EQ(Db().QueryNotes(kPbxId, 5, nullptr, nullptr, 0, {}, rows), kNoError);
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Text(0, 2), QStringLiteral("7"));
    EXPECT_EQ(rows.Text(0, 4), QStringLiteral("O'Neil rang"));
    EXPECT_GT(rows.Rows()[0].itemData, 0);
}

TEST_P(OperatorConsoleTest, AlarmsAreKeptForExtensionsOnly)
{
    const OleDate alarmTime(2024, 6, 10, 11, 30);
    ASSERT_EQ(Db().InsertAlarmEvent(kPbxId, {2, 1, 3}, alarmTime, 4, 1), kNoError);
    EXPECT_EQ(Count(QStringLiteral("AlarmEventsNew")), 0);
    ASSERT_EQ(Db().InsertAlarmEvent(kPbxId, {1, 6, 3}, alarmTime, 4, 1), kNoError);
    EXPECT_EQ(Db().InsertAlarmEvent(kPbxId, {1, 6, 3}, OleDate::Invalid(), 4, 1), kDbRowInsertFailed);
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("SELECT * FROM AlarmEventsNew")), kNoError);
    OleDate stored;
    ASSERT_EQ(Db().GetFieldDate(QStringLiteral("Ora"), stored), kNoError);
    EXPECT_EQ(stored, alarmTime);
    ASSERT_EQ(Db().GetFieldDate(QStringLiteral("OraRisposta"), stored), kNoError);
    EXPECT_EQ(stored, kNow);
    Db().CloseRecordset();
    RowList rows;
    ASSERT_EQ(Db().QueryAlarmEvents(kPbxId, 6, &alarmTime, &alarmTime, rows), kNoError);  // ends included
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Text(0, 0), QStringLiteral("6"));
    EXPECT_EQ(rows.Text(0, 3), QStringLiteral("1"));
    EXPECT_EQ(rows.Text(0, 5), QStringLiteral("3"));
}

TEST_P(OperatorConsoleTest, WakeEventsByExtensionAndRange)
{
    for (int extension : {2, 3})
        Execute(QStringLiteral("INSERT INTO WakeEvents (PbxIdentifier,IndiceDerivato,Risposta,Ora) VALUES (?,?,1,?)"),
                {kPbxId, extension, SqlDateText(OleDate(2024, 2, 29, 7))});
    RowList rows;
    const OleDate from(2024, 2, 29, 7);
    ASSERT_EQ(Db().QueryWakeEvents(kPbxId, 3, &from, &from, rows), kNoError);
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Text(0, 0), QStringLiteral("3"));
    EXPECT_EQ(rows.Text(0, 2), QStringLiteral("1"));
    ASSERT_EQ(Db().QueryWakeEvents(kPbxId, 255, nullptr, nullptr, rows), kNoError);
    EXPECT_EQ(rows.Count(), 2);
}

TEST(NoteRecordBytes, LayoutOfTheNoteRecord)
{
    const NoteRecord note{0x0102, OleDate(2024, 5, 1, 8), QStringLiteral("0612"), QStringLiteral("perché")};
    const QByteArray bytes = note.ToBytes();
    ASSERT_EQ(bytes.size(), NoteRecord::kSize);
    EXPECT_EQ(bytes.at(0), 1);
    EXPECT_EQ(bytes.at(1), 2);
    EXPECT_EQ(bytes.mid(16, 5), QByteArray("0612\0", 5));
    EXPECT_EQ(bytes.mid(66, 7), QByteArray("perch\xE9\0", 7));
    const NoteRecord back = NoteRecord::FromBytes(bytes);
    EXPECT_EQ(back.link, 0x0102);
    EXPECT_EQ(back.date, note.date);
    EXPECT_EQ(back.note, note.note);
}

INSTANTIATE_DB_TEST(OperatorConsoleTest);

}  // namespace
