// CSqlDatabase: the labels that users give to extensions, alarms, lines, entry phones and relays.
#include "sqldatabase.h"

#include "dbtransaction.h"
#include "engineerrorcode.h"

// Each label table holds PbxIdentifier, the object's index column and Label, in this order.
int CSqlDatabase::SaveLabel(EngineTable table, int pbxIdentifier, int index, const QString& text)
{
    if (!IsOpen())
        return kDbNotConnected;
    const ColumnRun columns = Table(table).columns;
    const QString name = TableName(table);
    const QString indexColumn = QString::fromLatin1(columns[1].name);
    const QString label = FitColumn(text, columns[2]);
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return kDbTableCheckFailed;
    if (OpenRecordset(QStringLiteral("SELECT Label FROM %1 WHERE %2=? AND PbxIdentifier=?").arg(name, indexColumn),
                      {index, pbxIdentifier}) != kNoError)
        return kDbTableCheckFailed;
    const bool exists = !IsEof();
    CloseRecordset();
    const int result =
        exists ? Run(QStringLiteral("UPDATE %1 SET Label=? WHERE (PbxIdentifier=? AND %2=?)").arg(name, indexColumn),
                     {label, pbxIdentifier, index}, kDbTableUpdateFailed)
               : Run(QStringLiteral("INSERT INTO %1 (PbxIdentifier,%2,Label) VALUES (?,?,?)").arg(name, indexColumn),
                     {pbxIdentifier, index, label}, kDbRowInsertFailed);
    if (result != kNoError)
        return result;
    return transaction.Commit() == kNoError ? kNoError : (exists ? kDbTableUpdateFailed : kDbRowInsertFailed);
}

QString CSqlDatabase::GetLabel(EngineTable table, int pbxIdentifier, int index)
{
    if (!IsOpen())
        return {};
    const QString indexColumn = QString::fromLatin1(Table(table).columns[1].name);
    QString label;
    if (OpenRecordset(QStringLiteral("SELECT Label FROM %1 WHERE %2=? AND PbxIdentifier=?").arg(TableName(table), indexColumn),
                      {index, pbxIdentifier}) == kNoError &&
        !IsEof() && FieldText(QStringLiteral("Label"), label) != kNoError)
        label.clear();
    CloseRecordset();
    return label;
}

int CSqlDatabase::SaveDerivedLabel(int pbxIdentifier, int index, const QString& text)
{
    return SaveLabel(EngineTable::kDerivedLabel, pbxIdentifier, index, text);
}

int CSqlDatabase::SaveAlarmLabel(int pbxIdentifier, int index, const QString& text)
{
    return SaveLabel(EngineTable::kAlarmLabel, pbxIdentifier, index, text);
}

int CSqlDatabase::SaveLineLabel(int pbxIdentifier, int index, const QString& text)
{
    return SaveLabel(EngineTable::kLineLabel, pbxIdentifier, index, text);
}

int CSqlDatabase::SaveEntryPhoneLabel(int pbxIdentifier, int index, const QString& text)
{
    return SaveLabel(EngineTable::kEntryPhoneLabel, pbxIdentifier, index, text);
}

int CSqlDatabase::SaveRelayLabel(int pbxIdentifier, int index, const QString& text)
{
    return SaveLabel(EngineTable::kRelayLabel, pbxIdentifier, index, text);
}

QString CSqlDatabase::GetDerivedLabel(int pbxIdentifier, int index)
{
    return GetLabel(EngineTable::kDerivedLabel, pbxIdentifier, index);
}

QString CSqlDatabase::GetAlarmLabel(int pbxIdentifier, int index)
{
    return GetLabel(EngineTable::kAlarmLabel, pbxIdentifier, index);
}

QString CSqlDatabase::GetLineLabel(int pbxIdentifier, int index)
{
    return GetLabel(EngineTable::kLineLabel, pbxIdentifier, index);
}

QString CSqlDatabase::GetEntryPhoneLabel(int pbxIdentifier, int index)
{
    return GetLabel(EngineTable::kEntryPhoneLabel, pbxIdentifier, index);
}

QString CSqlDatabase::GetRelayLabel(int pbxIdentifier, int index)
{
    return GetLabel(EngineTable::kRelayLabel, pbxIdentifier, index);
}
