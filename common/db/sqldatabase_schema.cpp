// CSqlDatabase: the engine's catalog, its tables and the EngineConfiguration rows.
#include "sqldatabase.h"

#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "sqlname.h"

namespace {

// The shared tables in their order of creation, with the columns that older tables gain.
struct SharedTableStep {
    EngineTable table;
    const char* addedColumn;  // or null
};

constexpr SharedTableStep kSharedTables[] = {
    {EngineTable::kLogCalls, "Fatturato"},
    {EngineTable::kLogCallsSwNew, nullptr},
    {EngineTable::kWakeEvents, nullptr},
    {EngineTable::kAlarmEvents, nullptr},
    {EngineTable::kDerivedLabel, nullptr},
    {EngineTable::kAlarmLabel, nullptr},
    {EngineTable::kLineLabel, nullptr},
    {EngineTable::kEntryPhoneLabel, nullptr},
    {EngineTable::kRelayLabel, nullptr},
    {EngineTable::kAddressBook, "WebAddress"},
};

// The call-log look-up of every insert (PBX, extension, start) would otherwise read the whole table.
constexpr char kCallLogIndex[] =
    "CREATE INDEX IF NOT EXISTS LogCallsCall ON LogCalls (PbxIdentifier, IndiceDerivato, DataInizio)";

int ColumnPosition(ColumnRun columns, const char* name)
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (qstrcmp(columns[i].name, name) == 0)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

int CSqlDatabase::ConnectAndCreateSchema(const QString& serverName)
{
    Close();
    m_pbxCount = 0;
    SetTarget(serverName, false);
    if (Open() != kNoError)
        return kDbNotConnected;
    int result = CreateDatabase();
    if (result == kNoError)
        result = EnsureTable(TableName(EngineTable::kEngineConfiguration), Table(EngineTable::kEngineConfiguration).columns);
    if (result == kNoError)
        result = LoadEngineConfiguration();
    // The snapshot tables are dropped by their exact names, so the PBX list comes first.
    if (result == kNoError)
        result = DropPbxTables();
    if (result != kNoError) {
        Close();
        return result;
    }
    if (m_pbxCount == 0)
        return kNoError;  // the other tables wait for the first configured PBX

    for (int pbx = 0; pbx < m_pbxCount; ++pbx) {
        for (const EngineTable table : PbxSnapshotTables()) {
            const QString name = PbxTableName(table, pbx);
            if (name.isEmpty())
                return kDbTableCreationFailed;
            result = EnsureTable(name, Table(table).columns);
            if (result != kNoError)
                return result;
        }
    }
    for (const SharedTableStep& step : kSharedTables) {
        const TableDefinition& table = Table(step.table);
        result = EnsureTable(TableName(step.table), table.columns);
        if (result == kNoError && step.addedColumn)
            result = AddColumn(TableName(step.table), ColumnPosition(table.columns, step.addedColumn), table.columns);
        if (result == kNoError && step.table == EngineTable::kLogCalls)
            result = Run(QString::fromLatin1(kCallLogIndex), {}, kDbTableCreationFailed);
        if (result != kNoError)
            return result;
    }
    return kNoError;
}

int CSqlDatabase::CreateDatabase()
{
    if (!IsOpen())
        return kDbNotConnected;
    bool found = false;
    int result = Dialect().FindCatalog(*this, found);
    if (result != kNoError)
        return result;
    // A missing catalog is created; files of an earlier catalog are never deleted.
    if (!found) {
        result = Dialect().CreateCatalog(*this);
        if (result != kNoError)
            return result;
    }
    if (Close() != kNoError)
        return kDbCatalogCloseFailed;
    SetTarget(ServerName(), true);
    if (Open() != kNoError)
        return kDbReconnectionFailed;
    for (const QString& statement : Dialect().CatalogSetup())
        if (Run(statement, {}, kDbCatalogCreationFailed) != kNoError)
            return kDbCatalogCreationFailed;
    return kNoError;
}

int CSqlDatabase::DropPbxTables()
{
    if (!IsOpen())
        return kDbNotConnected;
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return kDbTableDropFailed;
    for (int pbx = 0; pbx < m_pbxCount; ++pbx) {
        const int result = DropTablesOf(PbxIdentifier(pbx));
        if (result != kNoError)
            return result;
    }
    return transaction.Commit() == kNoError ? kNoError : kDbTableDropFailed;
}

int CSqlDatabase::DropTablesOf(const QString& identifier)
{
    if (!IsValidPbxIdentifier(identifier))
        return kNoError;  // an identifier that cannot name a table has no tables
    for (const EngineTable table : PbxSnapshotTables()) {
        if (!Table(table).perPbx)
            continue;
        const QString name = TableName(table) + u'_' + identifier;
        bool exists = false;
        const int result = TableExists(name, exists);
        if (result != kNoError)
            return result;
        if (exists && Run(QStringLiteral("DROP TABLE ") + name, {}, kDbTableDropFailed) != kNoError)
            return kDbTableDropFailed;
    }
    return kNoError;
}

int CSqlDatabase::CheckIdentifierFree(int comId, const QString& deviceName)
{
    // DeviceName compares without regard to case, as table names do: "ABC" and "abc" would share tables.
    if (OpenRecordset(QStringLiteral("SELECT ComID FROM EngineConfiguration WHERE DeviceName=? AND ComID<>?"),
                      {deviceName, comId}) != kNoError)
        return kDbTableCheckFailed;
    const bool taken = !IsEof();
    CloseRecordset();
    return taken ? kDbStatementFailed : kNoError;
}

QString CSqlDatabase::StoredIdentifier(int comId) const
{
    for (int pbx = 0; pbx < m_pbxCount; ++pbx)
        if (m_pbxList[pbx].comId == comId)
            return m_pbxList[pbx].identifier;
    return {};
}

int CSqlDatabase::InsertEngineConfiguration(int comId, const QString& deviceName, int comNumber)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidPbxIdentifier(deviceName))
        return kDbStatementFailed;
    {
        DbTransaction transaction(*this);
        if (transaction.BeginResult() != kNoError)
            return kDbStatementFailed;
        int result = CheckIdentifierFree(comId, deviceName);
        if (result == kNoError)
            result = Run(
                QStringLiteral("INSERT INTO EngineConfiguration (ComID,ComNumber,DeviceName,ComStat) VALUES (?,?,?,0)"),
                {comId, comNumber, deviceName}, kDbStatementFailed);
        if (result == kNoError)
            result = transaction.Commit();
        if (result != kNoError)
            return result;
    }
    return LoadEngineConfiguration();
}

int CSqlDatabase::UpdateEngineConfiguration(int comId, const QString& deviceName, int comNumber)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidPbxIdentifier(deviceName))
        return kDbStatementFailed;
    // A renamed PBX starts its snapshot tables afresh; the old name's tables would otherwise stay for good.
    // A change of case only keeps the tables: their names compare without regard to case.
    const QString previous = StoredIdentifier(comId);
    {
        DbTransaction transaction(*this);
        if (transaction.BeginResult() != kNoError)
            return kDbStatementFailed;
        int result = CheckIdentifierFree(comId, deviceName);
        if (result == kNoError)
            result = Run(QStringLiteral("UPDATE EngineConfiguration SET ComNumber=?,DeviceName=? WHERE (ComID=?)"),
                         {comNumber, deviceName, comId}, kDbStatementFailed);
        if (result == kNoError && previous.compare(deviceName, Qt::CaseInsensitive) != 0)
            result = DropTablesOf(previous);
        if (result == kNoError)
            result = transaction.Commit();
        if (result != kNoError)
            return result;
    }
    return LoadEngineConfiguration();
}

int CSqlDatabase::DeleteEngineConfiguration(int comId)
{
    if (!IsOpen())
        return kDbNotConnected;
    // The PBXs after the deleted one move down by one, and the rows keyed by their index move with them in
    // the same transaction; the deleted PBX's rows are kept under an index that no PBX has, so that no
    // call, event or label changes owner.
    QList<int> following;
    for (int pbx = 0; pbx < m_pbxCount; ++pbx)
        if (m_pbxList[pbx].comId > comId)
            following << m_pbxList[pbx].comId;
    {
        DbTransaction transaction(*this);
        if (transaction.BeginResult() != kNoError)
            return kDbStatementFailed;
        int result = Run(QStringLiteral("DELETE FROM EngineConfiguration WHERE ComID = ?"), {comId}, kDbStatementFailed);
        if (result == kNoError)
            result = MoveKeyedRows(comId, kRetiredPbxIdentifier);
        if (result == kNoError)
            result = DropTablesOf(StoredIdentifier(comId));
        for (const int id : following) {
            if (result == kNoError)
                result = RenumberEngineConfiguration(id);
            if (result == kNoError)
                result = MoveKeyedRows(id, id - 1);
        }
        if (result == kNoError)
            result = transaction.Commit();
        if (result != kNoError)
            return result;
    }
    return LoadEngineConfiguration();
}

int CSqlDatabase::RenumberEngineConfiguration(int comId)
{
    if (!IsOpen())
        return kDbNotConnected;
    return Run(QStringLiteral("UPDATE EngineConfiguration SET ComID=? WHERE (ComID=?)"), {comId - 1, comId},
               kDbStatementFailed);
}

int CSqlDatabase::MoveKeyedRows(int from, int to)
{
    for (const EngineTable table : PbxKeyedTables()) {
        bool exists = false;
        const int result = TableExists(TableName(table), exists);
        if (result != kNoError)
            return result;
        if (exists && Run(QStringLiteral("UPDATE %1 SET PbxIdentifier=? WHERE PbxIdentifier=?").arg(TableName(table)),
                          {to, from}, kDbTableUpdateFailed) != kNoError)
            return kDbTableUpdateFailed;
    }
    return kNoError;
}

int CSqlDatabase::UpdateComStat(int comId, int state)
{
    if (!IsOpen())
        return kDbNotConnected;
    return Run(QStringLiteral("UPDATE EngineConfiguration SET ComStat=? WHERE ComID=?"), {state, comId},
               kDbTableUpdateFailed);
}

int CSqlDatabase::ReadComStat(int comId, quint8& state)
{
    state = 0;
    if (!IsOpen())
        return kDbNotConnected;
    if (OpenRecordset(QStringLiteral("SELECT ComStat FROM EngineConfiguration WHERE ComID=?"), {comId}) != kNoError ||
        IsEof())
        return kDbTableCheckFailed;
    const int result = FieldByte(QStringLiteral("ComStat"), state);
    CloseRecordset();
    return result;
}
