// CSqlDatabase: the snapshot writers of the engine's start-up (and of programming changes). Each replaces
// its row in one transaction, so that a failed insert leaves the old row in place.
#include "sqldatabase.h"

#include "binaryrecord.h"
#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"

using namespace PbxRecord;

namespace {

// The record's bytes from `first` on, `count` of them, as numbers; a short record reads as zeros.
QVariantList RecordNumbers(const QByteArray& record, qsizetype first, qsizetype count)
{
    QVariantList values;
    for (qsizetype i = first; i < first + count; ++i)
        values << (i < record.size() ? static_cast<int>(static_cast<quint8>(record.at(i))) : 0);
    return values;
}

}  // namespace

// Deletes the object's row (IndiceOggetto = the first value; every row of a one-row table) and inserts
// the new one: 53 when the delete fails, 55 when the insert fails.
int CSqlDatabase::ReplaceObjectRow(EngineTable table, int pbx, ColumnRun columns, const QVariantList& values,
                                   bool wholeTable)
{
    if (!IsOpen())
        return kDbNotConnected;
    const QString name = PbxTableName(table, pbx);
    if (name.isEmpty())
        return kDbTableCheckFailed;
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return kDbTableCheckFailed;
    const int deleted = wholeTable ? Run(QStringLiteral("DELETE FROM ") + name, {}, kDbTableCheckFailed)
                               : Run(QStringLiteral("DELETE FROM %1 WHERE IndiceOggetto=?").arg(name), {values.front()},
                                     kDbTableCheckFailed);
    if (deleted != kNoError)
        return deleted;
    QStringList marks;
    for (std::size_t i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    const int inserted = Run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(name, ColumnList(columns), marks.join(u',')),
                             values, kDbTableCreationFailed);
    if (inserted != kNoError)
        return inserted;
    return transaction.Commit() == kNoError ? kNoError : kDbTableCreationFailed;
}

int CSqlDatabase::SaveInitialization(int pbx, const QByteArray& record)
{
    const ColumnRun columns = Table(EngineTable::kInitialization).columns;
    QVariantList values = RecordNumbers(record, 0, kInitializationNumbers);
    const QString version =
        record.size() > kInitializationVersion
            ? ReadAnsiField(record, kInitializationVersion, qMin(kTextFieldWidth, record.size() - kInitializationVersion))
            : QString();
    values << FitColumn(version, columns[kInitializationNumbers]);
    return ReplaceObjectRow(EngineTable::kInitialization, pbx, columns, values, true);
}

int CSqlDatabase::SaveSystemConfiguration(int pbx, const QByteArray& record)
{
    return ReplaceObjectRow(EngineTable::kSystemConfiguration, pbx, Table(EngineTable::kSystemConfiguration).columns,
                            RecordNumbers(record, 0, kSystemConfigurationSize), true);
}

int CSqlDatabase::ReplaceProgrammation(EngineTable table, int pbx, const QByteArray& record, qsizetype size)
{
    // Byte 0 is the object type; the columns start with IndiceOggetto at byte 1.
    const ColumnRun columns = Table(table).columns;
    return ReplaceObjectRow(table, pbx, columns, RecordNumbers(record, 1, qMin<qsizetype>(size - 1, columns.size())),
                            false);
}

int CSqlDatabase::SaveSystemProgrammation(int pbx, const QByteArray& record)
{
    // One row per PBX: the whole table is replaced.
    return ReplaceObjectRow(EngineTable::kSystemProgrammations, pbx, Table(EngineTable::kSystemProgrammations).columns,
                            RecordNumbers(record, 1, kSystemProgrammationSize - 1), true);
}

int CSqlDatabase::SaveDerivedProgrammation(int pbx, const QByteArray& record)
{
    return ReplaceProgrammation(EngineTable::kDerivedProgrammations, pbx, record, kExtensionProgrammationSize);
}

int CSqlDatabase::SaveLineProgrammation(int pbx, const QByteArray& record)
{
    return ReplaceProgrammation(EngineTable::kLineProgrammations, pbx, record, kLineProgrammationSize);
}

int CSqlDatabase::SaveEntryPhoneProgrammation(int pbx, const QByteArray& record)
{
    return ReplaceProgrammation(EngineTable::kEntryPhoneProgrammations, pbx, record, kEntryPhoneProgrammationSize);
}

int CSqlDatabase::SaveRelayProgrammation(int pbx, const QByteArray& record)
{
    return ReplaceProgrammation(EngineTable::kRelayProgrammations, pbx, record, kRelayProgrammationSize);
}

// A status answer (type, index, then the values) fills the first columns of the status table, from
// IndiceOggetto on.
int CSqlDatabase::SaveStatus(EngineTable table, int pbx, const QByteArray& statusAnswer, qsizetype values)
{
    return ReplaceObjectRow(table, pbx, Table(table).columns.first(static_cast<std::size_t>(values)),
                            RecordNumbers(statusAnswer, 1, values), false);
}

int CSqlDatabase::SaveDerivedStatus(int pbx, const QByteArray& statusAnswer)
{
    return SaveStatus(EngineTable::kDerivedStatus, pbx, statusAnswer, kStatusAnswerSize - 1);
}

int CSqlDatabase::SaveLineStatus(int pbx, const QByteArray& statusAnswer)
{
    return SaveStatus(EngineTable::kLineStatus, pbx, statusAnswer, kStatusAnswerSize - 1);
}

int CSqlDatabase::SaveEntryPhoneStatus(int pbx, const QByteArray& statusAnswer)
{
    return SaveStatus(EngineTable::kEntryPhoneStatus, pbx, statusAnswer, kStatusAnswerSize - 1);
}

int CSqlDatabase::SaveRelayStatus(int pbx, const QByteArray& statusAnswer)
{
    return SaveStatus(EngineTable::kRelayStatus, pbx, statusAnswer, kRelayStatusAnswerSize - 1);
}
