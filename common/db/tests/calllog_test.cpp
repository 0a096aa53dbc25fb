#include "sqldatabase.h"

#include "binaryrecord.h"
#include "dbtest.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "sqldate.h"
#include "testcallrecords.h"

namespace {

constexpr int kPbx = 0;

class CallLogTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_database = StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
        m_database->SetClock([this] { return m_now; });
    }

    CSqlDatabase& Database() { return *m_database; }
    void SetNow(const OleDate& now) { m_now = now; }

    int RowCount(const QString& table, const QString& where = QStringLiteral("1=1"), const QVariantList& values = {})
    {
        QString text;
        double number = -1;
        if (Database().OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Total FROM %1 WHERE %2").arg(table, where), values) !=
                kNoError ||
            Database().GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
            return -1;
        return static_cast<int>(number);
    }

    // The first row of the query: dates as stored values, the other columns as text.
    QString Text(const QString& column)
    {
        QString text;
        double number = 0;
        EXPECT_EQ(Database().GetFieldValue(column, text, number), kNoError) << column.toStdString();
        return text;
    }
    OleDate Date(const QString& column)
    {
        OleDate date;
        EXPECT_EQ(Database().GetFieldDate(column, date), kNoError) << column.toStdString();
        return date;
    }

private:
    std::unique_ptr<CSqlDatabase> m_database;
    OleDate m_now = OleDate(2024, 6, 10, 12, 0, 0);
};

// A record of the PBX's log: date, start, end, duration, line, pulses, charge, outgoing, number.
QByteArray LoggedCall(int day, int month, int year, QList<int> start, QList<int> end, QList<int> duration,
                      const QByteArray& number = "0612345678")
{
    QByteArray record(PbxRecord::kCallLogRecordSize, '\0');
    record[PbxRecord::kCallLogKind] = PbxRecord::kCallLogKindCall;
    record[3] = static_cast<char>(day);
    record[4] = static_cast<char>(month);
    record[5] = static_cast<char>(year - 2000);
    for (int i = 0; i < 3; ++i) {
        record[PbxRecord::kCallLogStart + i] = static_cast<char>(start[i]);
        record[PbxRecord::kCallLogEnd + i] = static_cast<char>(end[i]);
        record[PbxRecord::kCallLogDuration + i] = static_cast<char>(duration[i]);
    }
    record[PbxRecord::kCallLogLine] = 2;
    record.replace(PbxRecord::kCallLogPulses, 4, QByteArray("\x00\x00\x01\x02", 4));  // 258, most significant first
    record.replace(PbxRecord::kCallLogCharge, 4, QByteArray("\x00\x01\x00\x00", 4));  // 65536
    record[PbxRecord::kCallLogOutgoing] = 1;
    record.replace(PbxRecord::kCallLogNumber, number.size(), number);
    return record;
}

TEST_P(CallLogTest, LoggedCallAcrossMidnightEndsOnTheNextDay)
{
    const QByteArray record = LoggedCall(31, 12, 2023, {23, 59, 30}, {0, 1, 10}, {0, 1, 40});
    ASSERT_EQ(Database().InsertLoggedCall(kPbx, record, 201), kNoError);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT * FROM LogCalls")), kNoError);
    ASSERT_FALSE(Database().IsEof());
    EXPECT_EQ(Text(QStringLiteral("PbxIdentifier")), QStringLiteral("0"));
    EXPECT_EQ(Text(QStringLiteral("IndiceDerivato")), QStringLiteral("201"));
    EXPECT_EQ(Date(QStringLiteral("DataInizio")), OleDate(2023, 12, 31, 23, 59, 30));
    EXPECT_EQ(Date(QStringLiteral("DataFine")), OleDate(2024, 1, 1, 0, 1, 10));
    EXPECT_EQ(Date(QStringLiteral("Durata")), OleDate(2000, 1, 1, 0, 1, 40));
    EXPECT_EQ(Text(QStringLiteral("IndiceEsterna")), QStringLiteral("2"));
    EXPECT_EQ(Text(QStringLiteral("Scatti")), QStringLiteral("258"));
    EXPECT_EQ(Text(QStringLiteral("Totale")), QStringLiteral("65536"));
    EXPECT_EQ(Text(QStringLiteral("Uscente")), QStringLiteral("1"));
    EXPECT_EQ(Text(QStringLiteral("NumeroChiamato")), QStringLiteral("0612345678"));
    EXPECT_EQ(Text(QStringLiteral("Fatturato")), QString());
}

TEST_P(CallLogTest, SameCallIsStoredOnce)
{
    const QByteArray first = LoggedCall(5, 3, 2024, {10, 0, 0}, {10, 5, 0}, {0, 5, 0});
    const QByteArray second = LoggedCall(5, 3, 2024, {11, 0, 0}, {11, 1, 0}, {0, 1, 0});
    for (int download = 0; download < 2; ++download) {
        ASSERT_EQ(Database().InsertLoggedCall(kPbx, first, 201), kNoError);
        ASSERT_EQ(Database().InsertLoggedCall(kPbx, second, 201), kNoError);
    }
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls")), 2);
    ASSERT_EQ(Database().InsertLoggedCall(kPbx, first, 202), kNoError);      // another extension
    ASSERT_EQ(Database().InsertLoggedCall(kPbx + 1, first, 201), kNoError);  // another PBX
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls")), 4);
}

TEST_P(CallLogTest, ImpossibleDatesAndTimesStoreNothing)
{
    EXPECT_EQ(Database().InsertLoggedCall(kPbx, LoggedCall(30, 2, 2024, {10, 0, 0}, {10, 1, 0}, {0, 1, 0}), 201),
              kDbRowInsertFailed);
    EXPECT_EQ(Database().InsertLoggedCall(kPbx, LoggedCall(1, 3, 2024, {24, 0, 0}, {10, 1, 0}, {0, 1, 0}), 201),
              kDbRowInsertFailed);
    QByteArray event(PbxRecord::kCallEventSize, '\0');
    event[PbxRecord::kCallEventStart] = 10;
    event[PbxRecord::kCallEventEnd] = 10;
    event[PbxRecord::kCallEventEnd + 1] = 60;
    EXPECT_EQ(Database().InsertCallEvent(kPbx, event), kDbRowInsertFailed);
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls")), 0);
}

// A call-end event of extension index 1 (by default), which StoreRenumberedPbx numbers kRenumberedExtension.
QByteArray CallEvent(QList<int> start, QList<int> end, const QByteArray& number = "3355", int extension = 1)
{
    QByteArray event(PbxRecord::kCallEventSize, '\0');
    event[PbxRecord::kCallEventLine] = 1;
    event[PbxRecord::kCallEventOutgoing] = 1;
    event[PbxRecord::kCallEventExtension] = static_cast<char>(extension);  // 16 bits, low byte first
    for (int i = 0; i < 3; ++i) {
        event[PbxRecord::kCallEventStart + i] = static_cast<char>(start[i]);
        event[PbxRecord::kCallEventEnd + i] = static_cast<char>(end[i]);
    }
    event.replace(PbxRecord::kCallEventPulses, 2, QByteArray("\x05\x00", 2));
    event.replace(PbxRecord::kCallEventCharge, 2, QByteArray("\x00\x02", 2));
    event.replace(PbxRecord::kCallEventNumber, number.size(), number);
    return event;
}

TEST_P(CallLogTest, CallEndEventAcrossMidnightStartedYesterday)
{
    ASSERT_TRUE(StoreRenumberedPbx(Database(), kPbx, QStringLiteral("MODEL 16 v3")));
    SetNow(OleDate(2024, 3, 1, 0, 0, 50));
    const QByteArray event = CallEvent({23, 59, 30}, {0, 0, 40});
    ASSERT_EQ(Database().InsertCallEvent(kPbx, event), kNoError);
    ASSERT_EQ(Database().InsertCallEvent(kPbx, event), kNoError);  // seen again: stored once
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls")), 1);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT * FROM LogCalls")), kNoError);
    EXPECT_EQ(Date(QStringLiteral("DataInizio")), OleDate(2024, 2, 29, 23, 59, 30));
    EXPECT_EQ(Date(QStringLiteral("DataFine")), OleDate(2024, 3, 1, 0, 0, 40));
    EXPECT_EQ(Date(QStringLiteral("Durata")), OleDate(2000, 1, 1, 0, 1, 10));
    EXPECT_EQ(Text(QStringLiteral("IndiceDerivato")), QString::number(kRenumberedExtension));
    EXPECT_EQ(Text(QStringLiteral("Scatti")), QStringLiteral("5"));
    EXPECT_EQ(Text(QStringLiteral("Totale")), QStringLiteral("512"));
    EXPECT_EQ(Text(QStringLiteral("NumeroChiamato")), QStringLiteral("3355"));

    SetNow(OleDate(2024, 3, 1, 9, 30, 0));
    ASSERT_EQ(Database().InsertCallEvent(kPbx, CallEvent({9, 0, 0}, {9, 20, 5})), kNoError);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT * FROM LogCalls WHERE DataInizio = ?"),
                                       {SqlDateText(OleDate(2024, 3, 1, 9, 0, 0))}),
              kNoError);
    ASSERT_FALSE(Database().IsEof());
    EXPECT_EQ(Date(QStringLiteral("Durata")), OleDate(2000, 1, 1, 0, 20, 5));
}

// The same call seen as the call-end event and in the downloaded log is one row under the dialling number,
// whichever copy comes first; the index of the event is never stored.
TEST_P(CallLogTest, CallEndEventAndDownloadedCopyAreOneCall)
{
    ASSERT_TRUE(StoreRenumberedPbx(Database(), kPbx, QStringLiteral("MODEL 16 v3")));
    SetNow(OleDate(2024, 3, 5, 10, 6, 0));
    const QByteArray downloaded = LoggedCall(5, 3, 2024, {10, 0, 0}, {10, 5, 0}, {0, 5, 0});
    const QByteArray later = LoggedCall(5, 3, 2024, {10, 2, 0}, {10, 4, 0}, {0, 2, 0});
    ASSERT_EQ(Database().InsertCallEvent(kPbx, CallEvent({10, 0, 0}, {10, 5, 0})), kNoError);  // event first
    ASSERT_EQ(Database().InsertLoggedCall(kPbx, downloaded, kRenumberedExtension), kNoError);
    ASSERT_EQ(Database().InsertLoggedCalls(kPbx, {downloaded, later}, kRenumberedExtension), kNoError);
    ASSERT_EQ(Database().InsertCallEvent(kPbx, CallEvent({10, 2, 0}, {10, 4, 0})), kNoError);  // download first
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls")), 2);
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls"), QStringLiteral("IndiceDerivato = ?"), {kRenumberedExtension}), 2);

    // Extension 0 has no programmed number: it dials the plan's own number.
    ASSERT_EQ(Database().InsertCallEvent(kPbx, CallEvent({11, 0, 0}, {11, 1, 0}, "3355", 0)), kNoError);
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls"), QStringLiteral("IndiceDerivato = 2001")), 1);
}

TEST_P(CallLogTest, CallEndEventOfAnExtensionThePbxLacksStoresNothing)
{
    SetNow(OleDate(2024, 3, 5, 10, 6, 0));
    // No stored records of the PBX: the number cannot be known, and the call waits in the PBX's log.
    EXPECT_NE(Database().InsertCallEvent(kPbx, CallEvent({10, 0, 0}, {10, 5, 0})), kNoError);
    ASSERT_TRUE(StoreRenumberedPbx(Database(), kPbx, QStringLiteral("MODEL 16 v3")));
    EXPECT_EQ(Database().InsertCallEvent(kPbx, CallEvent({10, 0, 0}, {10, 5, 0}, "3355", 2)), kDbRowInsertFailed);
    EXPECT_EQ(RowCount(QStringLiteral("LogCalls")), 0);
}

TEST_P(CallLogTest, ConsoleCallStateGoesToTheSoftwareLog)
{
    QByteArray state(PbxRecord::kCallStateSize, '\0');
    state[PbxRecord::kCallStateLinkType] = 2;
    state[PbxRecord::kCallStateLinkIndex] = 3;
    state[PbxRecord::kCallStateHandedFrom] = 4;
    state[PbxRecord::kCallStateHandedFrom + 1] = 1;
    state[PbxRecord::kCallStateKind] = 3;
    PutF64(state, PbxRecord::kCallStateStart, OleDate(2024, 5, 1, 10, 0, 0).Value());
    WriteAnsiField(state, PbxRecord::kCallStateNumber, PbxRecord::kCallStateNumberWidth, QStringLiteral("O'Hara 0612"));
    const OleDate end(2024, 5, 1, 10, 2, 5);
    ASSERT_EQ(Database().InsertCallSwNew(kPbx, end, 7, state), kNoError);
    ASSERT_EQ(Database().InsertCallSwNew(kPbx, end, 7, state), kNoError);  // no de-duplication here
    EXPECT_EQ(RowCount(QStringLiteral("LogCallsSwNew")), 2);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT * FROM LogCallsSwNew")), kNoError);
    EXPECT_EQ(Text(QStringLiteral("IndiceDerivato")), QStringLiteral("7"));
    EXPECT_EQ(Date(QStringLiteral("DataInizio")), OleDate(2024, 5, 1, 10, 0, 0));
    EXPECT_EQ(Date(QStringLiteral("DataFine")), end);
    EXPECT_EQ(Date(QStringLiteral("Durata")), OleDate(1899, 12, 30, 0, 2, 5));
    EXPECT_EQ(Text(QStringLiteral("IndiceEsterna")), QStringLiteral("2"));
    EXPECT_EQ(Text(QStringLiteral("Scatti")), QStringLiteral("3"));
    EXPECT_EQ(Text(QStringLiteral("Totale")), QStringLiteral("260"));
    EXPECT_EQ(Text(QStringLiteral("Uscente")), QStringLiteral("3"));
    EXPECT_EQ(Text(QStringLiteral("NumeroChiamato")), QStringLiteral("O'Hara 0612"));
}

TEST_P(CallLogTest, WakeUpResultsAndExtensionAlarms)
{
    SetNow(OleDate(2024, 6, 10, 7, 0, 30));
    ASSERT_EQ(Database().InsertWakeEvent(kPbx, QByteArray("\x05\x01\x07\x00\x00", 5)), kNoError);
    EXPECT_EQ(Database().InsertWakeEvent(kPbx, QByteArray("\x05\x01\x18\x00\x00", 5)), kDbRowInsertFailed);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT * FROM WakeEvents")), kNoError);
    EXPECT_EQ(Text(QStringLiteral("IndiceDerivato")), QStringLiteral("5"));
    EXPECT_EQ(Text(QStringLiteral("Risposta")), QStringLiteral("1"));
    EXPECT_EQ(Date(QStringLiteral("Ora")), OleDate(2024, 6, 10, 7, 0, 0));

    ASSERT_EQ(Database().InsertAlarm(kPbx, QByteArray("\x01\x04\x02", 3)), kNoError);
    ASSERT_EQ(Database().InsertAlarm(kPbx, QByteArray("\x05\x00\x03", 3)), kNoError);  // not an extension: not kept
    EXPECT_EQ(RowCount(QStringLiteral("AlarmEvents")), 1);
    ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT * FROM AlarmEvents")), kNoError);
    EXPECT_EQ(Text(QStringLiteral("IndiceOggetto")), QStringLiteral("4"));
    EXPECT_EQ(Text(QStringLiteral("TipoAllarme")), QStringLiteral("2"));
    EXPECT_EQ(Date(QStringLiteral("Ora")), OleDate(2024, 6, 10, 7, 0, 30));
}

TEST_P(CallLogTest, DateRangesAcrossMonthAndYearBoundaries)
{
    const QList<QList<int>> days = {{31, 12, 2023}, {1, 1, 2024}, {31, 1, 2024}, {1, 2, 2024}, {2, 12, 2024}};
    for (const QList<int>& day : days)
        ASSERT_EQ(Database().InsertLoggedCall(kPbx, LoggedCall(day[0], day[1], day[2], {10, 0, 0}, {10, 1, 0}, {0, 1, 0}), 201),
                  kNoError);
    struct Case {
        OleDate from;
        OleDate to;
        QList<OleDate> starts;
    };
    const Case cases[] = {
        {OleDate(2024, 1, 1), OleDate(2024, 2, 1), {OleDate(2024, 1, 1, 10, 0, 0), OleDate(2024, 1, 31, 10, 0, 0)}},
        {OleDate(2023, 12, 15), OleDate(2024, 1, 15), {OleDate(2023, 12, 31, 10, 0, 0), OleDate(2024, 1, 1, 10, 0, 0)}},
        {OleDate(2024, 1, 31, 12, 0, 0), OleDate(2024, 12, 31), {OleDate(2024, 2, 1, 10, 0, 0), OleDate(2024, 12, 2, 10, 0, 0)}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Database().OpenRecordset(QStringLiteral("SELECT DataInizio FROM LogCalls WHERE DataInizio >= ? AND "
                                                          "DataInizio < ? ORDER BY DataInizio"),
                                           {SqlDateText(c.from), SqlDateText(c.to)}),
                  kNoError);
        QList<OleDate> starts;
        while (!Database().IsEof()) {
            starts << Date(QStringLiteral("DataInizio"));
            ASSERT_EQ(Database().MoveNext(), kNoError);
        }
        EXPECT_EQ(starts, c.starts) << SqlDateText(c.from).toStdString();
    }
}

INSTANTIATE_DB_TEST(CallLogTest);

}  // namespace
