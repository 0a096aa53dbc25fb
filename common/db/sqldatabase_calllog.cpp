// CSqlDatabase: call-log, wake-up and alarm rows.
#include "sqldatabase.h"

#include "binaryrecord.h"
#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "extensionlabel.h"
#include "pbxrecord.h"
#include "sqldate.h"

#include <QSet>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <optional>
#include <vector>

using namespace PbxRecord;

namespace {

constexpr qint64 kSecondsPerDay = 86400;
constexpr int kLoggedColumns = 10;  // every LogCalls column but Fatturato, which the rating program writes

int Byte(const QByteArray& record, qsizetype offset)
{
    return offset < record.size() ? static_cast<quint8>(record.at(offset)) : 0;
}

// A text of the record from `offset` to its first NUL (or the record's end).
QString RecordText(const QByteArray& record, qsizetype offset, qsizetype width)
{
    if (offset >= record.size())
        return {};
    return ReadAnsiField(record, offset, qMin(width, record.size() - offset));
}

// The PBX sends 32-bit counters; the integer columns keep them as the signed value of the same bits.
qint32 Counter32(const QByteArray& record, qsizetype offset)
{
    const QByteArray bytes = record.mid(offset, 4).leftJustified(4, '\0');
    return static_cast<qint32>(qFromBigEndian<quint32>(bytes.constData()));
}

OleDate TimeOfDay(const QDate& day, const QByteArray& record, qsizetype offset)
{
    return OleDate(day.year(), day.month(), day.day(), Byte(record, offset), Byte(record, offset + 1),
                   Byte(record, offset + 2));
}

}  // namespace

int CSqlDatabase::InsertCallRow(EngineTable table, const QVariantList& values)
{
    const ColumnRun columns = Table(table).columns.first(kLoggedColumns);
    return Run(QStringLiteral("INSERT INTO %1 (%2) VALUES (?,?,?,?,?,?,?,?,?,?)").arg(TableName(table), ColumnList(columns)),
               values, kDbRowInsertFailed);
}

int CSqlDatabase::StoreCallOnce(int pbx, int extension, const OleDate& start, const OleDate& end,
                                const OleDate& duration, int line, qint64 pulses, qint64 charge, int outgoing,
                                const QString& number)
{
    if (!start.IsValid() || !end.IsValid() || !duration.IsValid())
        return kDbRowInsertFailed;
    const QString startText = SqlDateText(start);
    if (OpenRecordset(QStringLiteral("SELECT PbxIdentifier FROM LogCalls WHERE (PbxIdentifier=? AND IndiceDerivato=? "
                                     "AND DataInizio=?)"),
                      {pbx, extension, startText}) != kNoError)
        return kDbTableCheckFailed;
    const bool stored = !IsEof();
    CloseRecordset();
    if (stored)
        return kNoError;  // the first stored copy of a call wins
    const ColumnDefinition& numberColumn = Table(EngineTable::kLogCalls).columns[kLoggedColumns - 1];
    return InsertCallRow(EngineTable::kLogCalls, {pbx, extension, startText, SqlDateText(end), SqlDateText(duration), line,
                                                  pulses, charge, outgoing, FitColumn(number, numberColumn)});
}

namespace {

// A call of the PBX's log record, as LogCalls keeps it.
struct LoggedCallRow {
    OleDate start, end, duration;
    int line = 0;
    qint32 pulses = 0, charge = 0;
    int outgoing = 0;
    QString number;
};

std::optional<LoggedCallRow> ReadLoggedCall(const QByteArray& record)
{
    const QDate day(2000 + Byte(record, kCallLogDay + 2), Byte(record, kCallLogDay + 1), Byte(record, kCallLogDay));
    if (!day.isValid())
        return std::nullopt;
    LoggedCallRow row;
    row.start = TimeOfDay(day, record, kCallLogStart);
    row.end = TimeOfDay(day, record, kCallLogEnd);
    if (row.start.IsValid() && row.end.IsValid() && row.end < row.start)
        row.end = row.end.AddSeconds(kSecondsPerDay);  // the call ended after midnight
    // The duration as the PBX reports it, on 1 January 2000.
    row.duration = TimeOfDay(QDate(2000, 1, 1), record, kCallLogDuration);
    if (!row.start.IsValid() || !row.end.IsValid() || !row.duration.IsValid())
        return std::nullopt;
    row.line = Byte(record, kCallLogLine);
    row.pulses = Counter32(record, kCallLogPulses);
    row.charge = Counter32(record, kCallLogCharge);
    row.outgoing = Byte(record, kCallLogOutgoing);
    row.number = RecordText(record, kCallLogNumber, kCallLogRecordSize - kCallLogNumber);
    return row;
}

}  // namespace

int CSqlDatabase::InsertLoggedCall(int pbx, const QByteArray& record, int extensionNumber)
{
    if (!IsOpen())
        return kDbNotConnected;
    const std::optional<LoggedCallRow> row = ReadLoggedCall(record);
    if (!row)
        return kDbRowInsertFailed;
    return StoreCallOnce(pbx, extensionNumber, row->start, row->end, row->duration, row->line, row->pulses,
                         row->charge, row->outgoing, row->number);
}

int CSqlDatabase::InsertLoggedCalls(int pbx, const QList<QByteArray>& records, int extensionNumber)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (records.isEmpty())
        return kNoError;
    std::vector<LoggedCallRow> rows;
    rows.reserve(static_cast<std::size_t>(records.size()));
    for (const QByteArray& record : records) {
        std::optional<LoggedCallRow> row = ReadLoggedCall(record);
        if (!row)
            return kDbRowInsertFailed;  // nothing of the answer is stored
        rows.push_back(std::move(*row));
    }
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return transaction.BeginResult();
    // One look for the calls of the answer already stored (an answer holds at most 255), instead of one a
    // call: the first stored copy of a call wins, also within the answer. The bounds of the answer's period
    // keep the look on the index's three columns: a list of values alone leaves PostgreSQL's planner
    // reading every stored call of the extension.
    const auto [first, last] = std::minmax_element(rows.begin(), rows.end(),
                                                   [](const LoggedCallRow& a, const LoggedCallRow& b) {
                                                       return a.start < b.start;
                                                   });
    QVariantList values{pbx, extensionNumber, SqlDateText(first->start), SqlDateText(last->start)};
    QStringList marks;
    for (const LoggedCallRow& row : rows) {
        values << SqlDateText(row.start);
        marks << QStringLiteral("?");
    }
    if (OpenRecordset(QStringLiteral("SELECT DataInizio FROM LogCalls WHERE PbxIdentifier=? AND IndiceDerivato=? "
                                     "AND DataInizio>=? AND DataInizio<=? AND DataInizio IN (%1)")
                          .arg(marks.join(u',')),
                      values) != kNoError)
        return kDbTableCheckFailed;
    QSet<QString> stored;
    while (!IsEof()) {
        OleDate start;
        if (GetFieldDate(QStringLiteral("DataInizio"), start) != kNoError || MoveNext() != kNoError)
            return kDbTableCheckFailed;
        stored.insert(SqlDateText(start));
    }
    CloseRecordset();
    const ColumnDefinition& numberColumn = Table(EngineTable::kLogCalls).columns[kLoggedColumns - 1];
    for (const LoggedCallRow& row : rows) {
        const QString startText = SqlDateText(row.start);
        if (stored.contains(startText))
            continue;
        const int result = InsertCallRow(EngineTable::kLogCalls,
                                         {pbx, extensionNumber, startText, SqlDateText(row.end),
                                          SqlDateText(row.duration), row.line, row.pulses, row.charge, row.outgoing,
                                          FitColumn(row.number, numberColumn)});
        if (result != kNoError)
            return result;  // the transaction rolls back: none of these calls is stored
        stored.insert(startText);
    }
    return transaction.Commit();
}

int CSqlDatabase::InsertCallEvent(int pbx, const QByteArray& callEvent)
{
    if (!IsOpen())
        return kDbNotConnected;
    // The event comes when the call ends: the end is today, and a start later in the day than the end was
    // yesterday.
    const QDate today = Now().Date();
    const OleDate end = TimeOfDay(today, callEvent, kCallEventEnd);
    OleDate start = TimeOfDay(today, callEvent, kCallEventStart);
    if (start.IsValid() && end.IsValid() && end < start)
        start = start.AddSeconds(-kSecondsPerDay);
    const OleDate duration =
        start.IsValid() && end.IsValid() ? OleDate(2000, 1, 1).AddSeconds(SecondsBetween(start, end)) : OleDate::Invalid();
    if (!duration.IsValid())
        return kDbRowInsertFailed;
    const QByteArray record = callEvent.leftJustified(kCallEventSize, '\0');
    // The event names the extension by its index; LogCalls keeps the dialling number, as the download
    // stores the same call and as every reader of the table looks calls up.
    int number = 0;
    const int result = ReadExtensionNumber(pbx, GetU16(record, kCallEventExtension), number);
    if (result != kNoError)
        return result;  // the call stays in the PBX's log for the next download
    return StoreCallOnce(pbx, number, start, end, duration, Byte(record, kCallEventLine),
                         GetU16(record, kCallEventPulses), GetU16(record, kCallEventCharge),
                         Byte(record, kCallEventOutgoing),
                         RecordText(record, kCallEventNumber, kCallEventSize - kCallEventNumber));
}

int CSqlDatabase::ReadExtensionNumber(int pbx, int extension, int& number)
{
    QByteArray initialization;
    QByteArray configuration;
    QByteArray programming;
    int result = ReadInitialization(pbx, initialization);
    if (result == kNoError)
        result = ReadSystemConfiguration(pbx, configuration);
    if (result == kNoError && extension < static_cast<quint8>(initialization.at(kExtensionCount)))
        result = ReadDerivedProgrammation(pbx, extension, programming);
    if (result != kNoError)
        return result;
    bool isNumber = false;
    number = ExtensionDiallingNumber(extension, initialization, configuration, programming).toInt(&isNumber);
    // An extension that the PBX does not have has no number.
    return isNumber ? kNoError : kDbRowInsertFailed;
}

int CSqlDatabase::InsertCallSwNew(int pbx, const OleDate& end, int extension, const QByteArray& callState)
{
    if (!IsOpen())
        return kDbNotConnected;
    const QByteArray record = callState.leftJustified(kCallStateSize, '\0');
    const OleDate start(GetF64(record, kCallStateStart));
    if (!start.IsValid() || !end.IsValid())
        return kDbRowInsertFailed;
    // The duration is a date-time on the date type's day zero, 30/12/1899.
    const OleDate duration = OleDate().AddSeconds(SecondsBetween(start, end));
    const ColumnDefinition& numberColumn = Table(EngineTable::kLogCallsSwNew).columns[kLoggedColumns - 1];
    return InsertCallRow(EngineTable::kLogCallsSwNew,
                         {pbx, extension, SqlDateText(start), SqlDateText(end), SqlDateText(duration),
                          Byte(record, kCallStateLinkType), Byte(record, kCallStateLinkIndex),
                          GetU16(record, kCallStateHandedFrom), Byte(record, kCallStateKind),
                          FitColumn(ReadAnsiField(record, kCallStateNumber, kCallStateNumberWidth), numberColumn)});
}

int CSqlDatabase::InsertWakeEvent(int pbx, const QByteArray& wakeEvent)
{
    if (!IsOpen())
        return kDbNotConnected;
    const OleDate time = TimeOfDay(Now().Date(), wakeEvent, 2);
    if (!time.IsValid())
        return kDbRowInsertFailed;
    return Run(QStringLiteral("INSERT INTO WakeEvents (PbxIdentifier,IndiceDerivato,Risposta,Ora) VALUES (?,?,?,?)"),
               {pbx, Byte(wakeEvent, 0), Byte(wakeEvent, 1), SqlDateText(time)}, kDbRowInsertFailed);
}

int CSqlDatabase::InsertAlarm(int pbx, const QByteArray& alarmEvent)
{
    if (!IsOpen())
        return kDbNotConnected;
    // Only the alarms of extensions are kept.
    if (Byte(alarmEvent, 0) != kObjectExtension)
        return kNoError;
    return Run(QStringLiteral("INSERT INTO AlarmEvents (PbxIdentifier,TipoOggetto,IndiceOggetto,TipoAllarme,Ora) "
                              "VALUES (?,?,?,?,?)"),
               {pbx, Byte(alarmEvent, 0), Byte(alarmEvent, 1), Byte(alarmEvent, 2), SqlDateText(Now())},
               kDbRowInsertFailed);
}
