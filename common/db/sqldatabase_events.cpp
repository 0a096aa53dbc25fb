// CSqlDatabase: updates of the state tables as the PBX's events arrive.
#include "sqldatabase.h"

#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "sqldate.h"

using namespace PbxRecord;

namespace {

// The state table of an object type: extensions, lines and entry phones have one.
bool StateTable(int objectType, EngineTable& table)
{
    switch (objectType) {
    case kObjectExtension:
        table = EngineTable::kDerivedStatus;
        return true;
    case kObjectLine:
        table = EngineTable::kLineStatus;
        return true;
    case kObjectEntryPhone:
        table = EngineTable::kEntryPhoneStatus;
        return true;
    default:
        return false;
    }
}

const ColumnDefinition& Column(EngineTable table, const char* name)
{
    for (const ColumnDefinition& column : Table(table).columns)
        if (qstrcmp(column.name, name) == 0)
            return column;
    return Table(table).columns.front();
}

}  // namespace

int CSqlDatabase::UpdateObjectColumns(int pbx, int objectType, int index, const QString& assignments,
                                      const QVariantList& values)
{
    if (!IsOpen())
        return kDbNotConnected;
    EngineTable table;
    if (!StateTable(objectType, table))
        return kDbTableUpdateFailed;
    const QString name = PbxTableName(table, pbx);
    if (name.isEmpty())
        return kDbTableUpdateFailed;
    return Run(QStringLiteral("UPDATE %1 SET %2 WHERE IndiceOggetto=?").arg(name, assignments),
               QVariantList(values) << index, kDbTableUpdateFailed);
}

int CSqlDatabase::UpdateObjectLink(int pbx, int objectType, int index, int linkType, int linkIndex)
{
    return UpdateObjectColumns(pbx, objectType, index, QStringLiteral("Link=?,IndiceLink=?"), {linkType, linkIndex});
}

int CSqlDatabase::SetObjectState(int pbx, int objectType, int index, int state)
{
    return UpdateObjectColumns(pbx, objectType, index, QStringLiteral("Stato=?"), {state});
}

int CSqlDatabase::UpdateObjectState(int pbx, const QByteArray& typeIndexState)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (typeIndexState.size() < 3)
        return kDbTableUpdateFailed;
    const auto byte = [&typeIndexState](int i) { return static_cast<int>(static_cast<quint8>(typeIndexState.at(i))); };
    return SetObjectState(pbx, byte(0), byte(1), byte(2));
}

int CSqlDatabase::ClearDialledDigits(int pbx, int extension)
{
    return UpdateObjectColumns(pbx, kObjectExtension, extension, QStringLiteral("Digits=?"), {QStringLiteral("")});
}

int CSqlDatabase::AppendDialledDigits(int pbx, int extension, const QString& digits)
{
    if (!IsOpen())
        return kDbNotConnected;
    const QString name = PbxTableName(EngineTable::kDerivedStatus, pbx);
    if (name.isEmpty())
        return kDbTableUpdateFailed;
    if (OpenRecordset(QStringLiteral("SELECT Digits FROM %1 WHERE ( IndiceOggetto = ?)").arg(name), {extension}) !=
            kNoError ||
        IsEof())
        return kDbTableUpdateFailed;
    QString stored;
    const int read = FieldText(QStringLiteral("Digits"), stored);
    CloseRecordset();
    if (read != kNoError)
        return kDbTableUpdateFailed;
    const QString text = FitColumn(stored + digits, Column(EngineTable::kDerivedStatus, "Digits"));
    return UpdateObjectColumns(pbx, kObjectExtension, extension, QStringLiteral("Digits=?"), {text});
}

int CSqlDatabase::ClearLineCallerId(int pbx, int line)
{
    return UpdateObjectColumns(pbx, kObjectLine, line, QStringLiteral("CallerID=?"), {QStringLiteral("")});
}

int CSqlDatabase::SetLineCallerId(int pbx, int line, const QString& callerId)
{
    return UpdateObjectColumns(pbx, kObjectLine, line, QStringLiteral("CallerID=?"),
                               {FitColumn(callerId, Column(EngineTable::kLineStatus, "CallerID"))});
}

int CSqlDatabase::UpdateRing(int pbx, int extension, int ringType, int linkType, int linkIndex)
{
    return UpdateObjectColumns(pbx, kObjectExtension, extension, QStringLiteral("TipoRing=?,Link=?,IndiceLink=?"),
                               {ringType, linkType, linkIndex});
}

int CSqlDatabase::UpdateHandset(int pbx, int extension, int state)
{
    return UpdateObjectColumns(pbx, kObjectExtension, extension, QStringLiteral("MicroTelefono=?"), {state});
}

int CSqlDatabase::UpdateWakeUp(int pbx, const QByteArray& wakeUp)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (wakeUp.size() < kWakeUpSize)
        return kDbRowInsertFailed;
    const auto byte = [&wakeUp](int i) { return static_cast<int>(static_cast<quint8>(wakeUp.at(i))); };
    // The wake-up time is kept on 1 January 2000.
    const OleDate time(2000, 1, 1, byte(2), byte(3), byte(4));
    if (!time.IsValid())
        return kDbRowInsertFailed;
    return UpdateObjectColumns(pbx, kObjectExtension, byte(0), QStringLiteral("SvegliaAbilita=?,OraSveglia=?"),
                               {byte(1), SqlDateText(time)});
}
