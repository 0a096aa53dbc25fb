// CSqlDatabase: readers of the engine's per-PBX tables into the fixed byte records.
#include "sqldatabase.h"

#include "binaryrecord.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"

using namespace PbxRecord;

namespace {

constexpr int kOneRow = -1;  // the table holds a single row: no IndiceOggetto to select

// A record the reader fills: its first `size` bytes are cleared; bytes beyond them (a caller's larger
// entry) are kept.
void Prepare(QByteArray& record, qsizetype size)
{
    if (record.size() < size)
        record.resize(size);
    std::fill(record.begin(), record.begin() + size, '\0');
}

}  // namespace

// Selects the row (IndiceOggetto = index, or the table's one row) and copies the numeric columns of the
// run from `firstColumn` into the record from `firstByte` up to `endByte`. The row stays current.
int CSqlDatabase::ReadRecordColumns(const QString& table, int index, ColumnRun columns, QByteArray& record,
                                    qsizetype firstColumn, qsizetype firstByte, qsizetype endByte)
{
    if (table.isEmpty())
        return kDbTableCheckFailed;
    const int result = index == kOneRow
                           ? OpenRecordset(QStringLiteral("SELECT * FROM ") + table)
                           : OpenRecordset(QStringLiteral("SELECT * FROM %1 WHERE IndiceOggetto=?").arg(table), {index});
    if (result != kNoError || IsEof())
        return kDbTableCheckFailed;
    for (qsizetype offset = firstByte; offset < endByte; ++offset) {
        const auto column = static_cast<std::size_t>(firstColumn + offset - firstByte);
        if (column >= columns.size())
            break;
        quint8 value = 0;
        if (FieldByte(QString::fromLatin1(columns[column].name), value) != kNoError)
            return kDbTableCheckFailed;
        record[offset] = static_cast<char>(value);
    }
    return kNoError;
}

// An object's record: `headerBytes` of type and index (2), index alone (1) or none (0), the columns after
// IndiceOggetto up to `endByte`, and the text column that follows them at `textOffset` (none when < 0).
int CSqlDatabase::ReadObjectRecord(EngineTable table, int pbx, int index, QByteArray& record, qsizetype size,
                                   qsizetype headerBytes, quint8 objectType, qsizetype endByte, qsizetype textOffset)
{
    if (!IsOpen())
        return kDbNotConnected;
    Prepare(record, size);
    if (headerBytes == 2) {
        record[0] = static_cast<char>(objectType);
        record[1] = static_cast<char>(index);
    } else if (headerBytes == 1) {
        record[0] = static_cast<char>(index);
    }
    const ColumnRun columns = Table(table).columns;
    int result = ReadRecordColumns(PbxTableName(table, pbx), index, columns, record, 1, headerBytes, endByte);
    if (result == kNoError && textOffset >= 0) {
        const auto textColumn = static_cast<std::size_t>(1 + endByte - headerBytes);
        QString text;
        result = FieldText(QString::fromLatin1(columns[textColumn].name), text);
        if (result == kNoError)
            WriteAnsiField(record, textOffset, kTextFieldWidth, text);
    }
    CloseRecordset();
    return result;
}

int CSqlDatabase::ReadInitialization(int pbx, QByteArray& record)
{
    if (!IsOpen())
        return kDbNotConnected;
    Prepare(record, kInitializationSize);
    const ColumnRun columns = Table(EngineTable::kInitialization).columns;
    int result = ReadRecordColumns(PbxTableName(EngineTable::kInitialization, pbx), kOneRow, columns, record, 0, 0,
                                   kInitializationNumbers);
    QString version;
    if (result == kNoError)
        result = FieldText(QString::fromLatin1(columns[kInitializationNumbers].name), version);
    CloseRecordset();
    if (result != kNoError)
        return result;
    WriteAnsiField(record, kInitializationVersion, kTextFieldWidth, version);
    return kNoError;
}

int CSqlDatabase::ReadSystemConfiguration(int pbx, QByteArray& record)
{
    if (!IsOpen())
        return kDbNotConnected;
    Prepare(record, kSystemConfigurationSize);
    const int result = ReadRecordColumns(PbxTableName(EngineTable::kSystemConfiguration, pbx), kOneRow,
                                         Table(EngineTable::kSystemConfiguration).columns, record, 0, 0,
                                         kSystemConfigurationSize);
    CloseRecordset();
    return result;
}

int CSqlDatabase::ReadDerivedProgrammation(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kDerivedProgrammations, pbx, index, record, kExtensionProgrammationSize, 2,
                            kObjectExtension, kExtensionProgrammationSize, -1);
}

int CSqlDatabase::ReadLineProgrammation(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kLineProgrammations, pbx, index, record, kLineProgrammationSize, 2,
                            kObjectLine, kLineProgrammationSize, -1);
}

int CSqlDatabase::ReadEntryPhoneProgrammation(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kEntryPhoneProgrammations, pbx, index, record, kEntryPhoneProgrammationSize,
                            2, kObjectEntryPhone, kEntryPhoneProgrammationSize, -1);
}

int CSqlDatabase::ReadRelayProgrammation(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kRelayProgrammations, pbx, index, record, kRelayProgrammationSize, 2,
                            kObjectRelay, kRelayProgrammationSize, -1);
}

int CSqlDatabase::ReadDerivedStatus(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kDerivedStatus, pbx, index, record, kExtensionStatusSize, 2,
                            kObjectExtension, kExtensionStatusDigits, kExtensionStatusDigits);
}

int CSqlDatabase::ReadLineStatus(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kLineStatus, pbx, index, record, kLineStatusSize, 1, kObjectLine,
                            kLineStatusCallerId, kLineStatusCallerId);
}

int CSqlDatabase::ReadEntryPhoneStatus(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kEntryPhoneStatus, pbx, index, record, kEntryPhoneStatusSize, 2,
                            kObjectEntryPhone, kEntryPhoneStatusSize, -1);
}

int CSqlDatabase::ReadRelayStatus(int pbx, int index, QByteArray& record)
{
    return ReadObjectRecord(EngineTable::kRelayStatus, pbx, index, record, kRelayStatusSize, 0, kObjectRelay,
                            kRelayStatusSize, -1);
}

int CSqlDatabase::ReadWakeUp(int pbx, int index, QByteArray& record)
{
    if (!IsOpen())
        return kDbNotConnected;
    Prepare(record, kWakeUpSize);
    record[0] = static_cast<char>(index);
    const QString table = PbxTableName(EngineTable::kDerivedStatus, pbx);
    if (table.isEmpty() ||
        OpenRecordset(QStringLiteral("SELECT SvegliaAbilita,OraSveglia FROM %1 WHERE IndiceOggetto=?").arg(table),
                      {index}) != kNoError ||
        IsEof())
        return kDbTableCheckFailed;
    quint8 enabled = 0;
    OleDate time;
    // The time is read as stored, never parsed from locale text; a row without one reads as 00:00:00.
    int result = FieldByte(QStringLiteral("SvegliaAbilita"), enabled);
    if (result == kNoError && GetFieldDate(QStringLiteral("OraSveglia"), time) != kNoError)
        result = kDbTableCheckFailed;
    CloseRecordset();
    if (result != kNoError)
        return result;
    record[1] = static_cast<char>(enabled);
    if (time.IsValid()) {
        record[2] = static_cast<char>(time.Hour());
        record[3] = static_cast<char>(time.Minute());
        record[4] = static_cast<char>(time.Second());
    }
    return kNoError;
}
