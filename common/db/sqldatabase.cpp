#include "sqldatabase.h"

#include "engineerrorcode.h"
#include "sqlname.h"

#include <cmath>

CSqlDatabase::CSqlDatabase() : CSqlDatabase(DefaultDbParameters()) {}

CSqlDatabase::CSqlDatabase(const DbParameters& parameters) : CDbConnection(parameters) {}

void CSqlDatabase::SetClock(std::function<OleDate()> clock) { m_clock = std::move(clock); }

OleDate CSqlDatabase::Now() const { return m_clock ? m_clock() : OleDate::Now(); }

int CSqlDatabase::Connect(const QString& serverName)
{
    Close();
    m_pbxCount = 0;
    SetTarget(serverName, true);
    if (Open() != kNoError)
        return kDbNotConnected;
    return LoadEngineConfiguration();
}

int CSqlDatabase::LoadEngineConfiguration()
{
    for (PbxEntry& entry : m_pbxList)
        entry = PbxEntry{};
    m_pbxCount = 0;
    if (!IsOpen())
        return kDbNotConnected;
    if (OpenRecordset(QStringLiteral("SELECT * FROM EngineConfiguration ORDER BY ComID")) != kNoError)
        return kDbTableCheckFailed;
    while (!IsEof()) {
        // Rows beyond the list's length are not kept.
        if (m_pbxCount < kMaxPbxCount) {
            QString text;
            double comId = 0;
            double comNumber = 0;
            QString identifier;
            if (GetFieldValue(QStringLiteral("ComID"), text, comId) != kNoError ||
                GetFieldValue(QStringLiteral("ComNumber"), text, comNumber) != kNoError ||
                FieldText(QStringLiteral("DeviceName"), identifier) != kNoError)
                return kDbTableCheckFailed;
            PbxEntry& entry = m_pbxList[m_pbxCount++];
            entry.comId = static_cast<int>(comId);
            entry.comNumber = static_cast<int>(comNumber);
            entry.identifier = identifier.left(kMaxPbxIdentifierLength);
        }
        if (MoveNext() != kNoError)
            return kDbTableCheckFailed;
    }
    CloseRecordset();
    return kNoError;
}

int CSqlDatabase::PbxComId(int pbx) const { return pbx >= 0 && pbx < m_pbxCount ? m_pbxList[pbx].comId : -1; }

int CSqlDatabase::PbxComNumber(int pbx) const
{
    return pbx >= 0 && pbx < m_pbxCount ? m_pbxList[pbx].comNumber : -1;
}

QString CSqlDatabase::PbxIdentifier(int pbx) const
{
    return pbx >= 0 && pbx < m_pbxCount ? m_pbxList[pbx].identifier : QString();
}

QString CSqlDatabase::PbxTableName(EngineTable table, int pbx) const
{
    const QString identifier = PbxIdentifier(pbx);
    if (!Table(table).perPbx || !IsValidPbxIdentifier(identifier))
        return {};
    return TableName(table) + u'_' + identifier;
}

int CSqlDatabase::CreateTable(int pbx, const QString& name, ColumnRun columns)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (columns.empty())
        return kDbTableCreationFailed;
    QString table = name;
    if (pbx != kSharedTable) {
        const QString identifier = PbxIdentifier(pbx);
        if (!IsValidPbxIdentifier(identifier))
            return kDbTableCreationFailed;
        table += u'_' + identifier;
    }
    if (!IsValidSqlName(table))
        return kDbTableCreationFailed;
    QStringList definitions;
    for (const ColumnDefinition& column : columns) {
        const QString columnName = QString::fromLatin1(column.name);
        if (!IsValidSqlName(columnName))
            return kDbTableCreationFailed;
        definitions << columnName + u' ' + Dialect().ColumnType(QString::fromLatin1(column.type));
    }
    return Run(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, definitions.join(u',')), {}, kDbTableCreationFailed);
}

int CSqlDatabase::TableExists(const QString& name, bool& exists)
{
    exists = false;
    if (!IsOpen())
        return kDbNotConnected;
    const SqlStatement presence = Dialect().TablePresence(name);
    if (OpenRecordset(presence.sql, presence.values) != kNoError)
        return kDbTableCheckFailed;
    exists = !IsEof();
    CloseRecordset();
    return kNoError;
}

int CSqlDatabase::EnsureTable(const QString& name, ColumnRun columns)
{
    bool exists = false;
    const int result = TableExists(name, exists);
    if (result != kNoError)
        return result;
    return exists ? kNoError : CreateTable(kSharedTable, name, columns);
}

int CSqlDatabase::AddColumn(const QString& table, int position, ColumnRun columns)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (position < 0 || position >= static_cast<int>(columns.size()) || !IsValidSqlName(table))
        return kDbTableUpdateFailed;
    const ColumnDefinition& column = columns[static_cast<std::size_t>(position)];
    const QString columnName = QString::fromLatin1(column.name);
    // Only a missing column is added: a failed ALTER would also end an open transaction on PostgreSQL.
    const SqlStatement presence = Dialect().ColumnPresence(table, columnName);
    if (OpenRecordset(presence.sql, presence.values) != kNoError)
        return kDbTableCheckFailed;
    const bool present = !IsEof();
    CloseRecordset();
    if (present)
        return kNoError;
    return Run(Dialect().AddColumn(table, columnName, QString::fromLatin1(column.type)), {}, kDbTableUpdateFailed);
}

int CSqlDatabase::ListTables(QStringList& names)
{
    names.clear();
    if (!IsOpen())
        return kDbNotConnected;
    const SqlStatement list = Dialect().TableList();
    if (OpenRecordset(list.sql, list.values) != kNoError)
        return kDbTableCheckFailed;
    while (!IsEof()) {
        QString name;
        if (FieldText(QStringLiteral("name"), name) != kNoError || MoveNext() != kNoError)
            return kDbTableCheckFailed;
        names << name;
    }
    CloseRecordset();
    return kNoError;
}

int CSqlDatabase::Run(const QString& sql, const QVariantList& values, int failure)
{
    const int result = OpenRecordset(sql, values);
    CloseRecordset();
    return result == kNoError ? kNoError : failure;
}

int CSqlDatabase::FieldByte(const QString& field, quint8& value)
{
    QString text;
    double number = 0;
    if (GetFieldValue(field, text, number) != kNoError)
        return kDbTableCheckFailed;
    // Numbers are kept as one byte: floored, low byte kept.
    value = static_cast<quint8>(static_cast<qint64>(std::floor(number)) & 0xFF);
    return kNoError;
}

int CSqlDatabase::FieldText(const QString& field, QString& value)
{
    double number = 0;
    return GetFieldValue(field, value, number) == kNoError ? kNoError : kDbTableCheckFailed;
}

QString FitColumn(const QString& text, const ColumnDefinition& column)
{
    const int width = VarcharWidth(column);
    if (text.isNull())
        return QStringLiteral("");  // an empty text, never NULL
    return width > 0 && text.size() > width ? text.left(width) : text;
}

QString ColumnList(ColumnRun columns)
{
    QStringList names;
    for (const ColumnDefinition& column : columns)
        names << QString::fromLatin1(column.name);
    return names.join(u',');
}
