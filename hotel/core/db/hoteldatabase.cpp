// CHotelDatabase: the hotel's tables, their creation and upgrades, and the statement helpers of the
// record operations.
#include "hoteldatabase.h"

#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "fieldreader.h"

namespace lodgix {

namespace {

// Columns that tables made by older versions lack, as positions in their runs.
constexpr int kFirstLaterBookingColumn = 9;   // TipoTrattamento
constexpr int kLastLaterBookingColumn = 42;   // Service32
constexpr int kBookingGroupIdColumn = 43;     // GroupID
constexpr int kFirstLaterCheckInColumn = 221;  // Service40UserID
constexpr int kLastLaterCheckInColumn = 241;   // CardID5

}  // namespace

CHotelDatabase::CHotelDatabase() = default;

CHotelDatabase::CHotelDatabase(const DbParameters& parameters) : CSqlDatabase(parameters) {}

int CHotelDatabase::TableTest(const QString& name, int mode, ColumnRun columns)
{
    bool exists = false;
    const int result = TableExists(name, exists);
    if (result != kNoError)
        return result;
    if (exists)
        return kNoError;
    if (mode == kTestOnly)
        return kDbRecordSelection;
    return CreateTable(kSharedTable, name, columns);
}

int CHotelDatabase::EnsureGlobalTable(HotelTable table, int mode)
{
    if (IsPerHotelTable(table))
        return kDbTableCreationFailed;
    ColumnRun columns = HotelColumns(table);
    if (table == HotelTable::kHotelGroups)
        columns = columns.first(columns.size() - 1);  // BookingGroup comes by its own upgrade
    return TableTest(HotelTableName(table), mode, columns);
}

int CHotelDatabase::EnsureHotelTable(HotelTable table, int hotelId)
{
    if (!IsPerHotelTable(table) || hotelId <= 0)
        return kDbTableCreationFailed;
    return TableTest(HotelTableName(table, hotelId), kCreate, HotelColumns(table));
}

int CHotelDatabase::AddMissingColumns(HotelTable table, int hotelId, int first, int last)
{
    const QString name = HotelTableName(table, hotelId);
    const ColumnRun columns = HotelColumns(table);
    for (int position = first; position <= last; ++position) {
        const int result = AddColumn(name, position, columns);
        if (result != kNoError)
            return result;
    }
    return kNoError;
}

int CHotelDatabase::AddConventionNameColumn()
{
    const int position = HotelColumnPosition(HotelTable::kGuestConfiguration, "ConventionName");
    return AddMissingColumns(HotelTable::kGuestConfiguration, 0, position, position);
}

int CHotelDatabase::AddRoomBookingColumns(int hotelId)
{
    const int result =
        AddMissingColumns(HotelTable::kRoomBooking, hotelId, kFirstLaterBookingColumn, kLastLaterBookingColumn);
    if (result != kNoError)
        return result;
    return AddMissingColumns(HotelTable::kRoomBooking, hotelId, kBookingGroupIdColumn, kBookingGroupIdColumn);
}

int CHotelDatabase::AddCheckInColumns(int hotelId)
{
    return AddMissingColumns(HotelTable::kRoomCheckIn, hotelId, kFirstLaterCheckInColumn, kLastLaterCheckInColumn);
}

int CHotelDatabase::CreateHotelGroupsTable() { return EnsureGlobalTable(HotelTable::kHotelGroups, kCreate); }

int CHotelDatabase::AddBookingGroupColumn()
{
    const int position = HotelColumnPosition(HotelTable::kHotelGroups, "BookingGroup");
    return AddMissingColumns(HotelTable::kHotelGroups, 0, position, position);
}

int CHotelDatabase::EnsureGuestConventionsTable(int mode)
{
    return EnsureGlobalTable(HotelTable::kGuestConventions, mode);
}

int CHotelDatabase::EnsureCommonAreasTable(int mode) { return EnsureGlobalTable(HotelTable::kCommonAreas, mode); }

int CHotelDatabase::RecreateRoomTable(int hotelId)
{
    if (hotelId <= 0)
        return kDbTableCreationFailed;
    const QString name = HotelTableName(HotelTable::kRoomConfiguration, hotelId);
    bool exists = false;
    int result = TableExists(name, exists);
    if (result != kNoError)
        return result;
    if (exists && Execute(QStringLiteral("DROP TABLE ") + name) != kNoError)
        return kDbTableDropFailed;
    return CreateTable(kSharedTable, name, HotelColumns(HotelTable::kRoomConfiguration));
}

int CHotelDatabase::ReplaceRooms(int hotelId, const std::vector<RoomRecord>& rooms)
{
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return transaction.BeginResult();
    int result = RecreateRoomTable(hotelId);
    for (std::size_t i = 0; i < rooms.size() && result == kNoError; ++i)
        result = InsertRoom(hotelId, rooms[i]);
    return result == kNoError ? transaction.Commit() : result;
}

int CHotelDatabase::Execute(const QString& sql, const QVariantList& values)
{
    const int result = OpenRecordset(sql, values);
    CloseRecordset();
    return result == kNoError ? kNoError : kDbStatementFailed;
}

int CHotelDatabase::Exists(const QString& sql, const QVariantList& values, bool& found)
{
    found = false;
    if (OpenRecordset(sql, values) != kNoError)
        return kDbStatementFailed;
    found = !IsEof();
    CloseRecordset();
    return kNoError;
}

int CHotelDatabase::InsertReturning(const QString& sql, const QVariantList& values, const char* key, int& id)
{
    if (OpenRecordset(sql + QStringLiteral(" RETURNING ") + QLatin1String(key), values) != kNoError)
        return kDbStatementFailed;
    FieldReader row(*this);
    const int newId = IsEof() ? 0 : row.Int(QLatin1String(key));
    const bool read = !IsEof() && row.Ok();
    CloseRecordset();
    if (!read)
        return kDbStatementFailed;
    id = newId;
    return kNoError;
}

bool CHotelDatabase::ReadFirstRow(const QString& sql, const QVariantList& values,
                                  const std::function<void(FieldReader&)>& read)
{
    if (OpenRecordset(sql, values) != kNoError)
        return false;
    if (IsEof()) {
        CloseRecordset();
        return false;
    }
    FieldReader row(*this);
    read(row);
    CloseRecordset();
    return row.Ok();
}

int CHotelDatabase::WithTableLock(HotelTable table, const std::function<int()>& body)
{
    return WithTableLock(table, 0, body);
}

int CHotelDatabase::WithTableLock(HotelTable table, int hotelId, const std::function<int()>& body)
{
    return InTransaction([&] {
        const QString lock = Dialect().LockTableForWrite(HotelTableName(table, hotelId));
        if (!lock.isEmpty() && Execute(lock) != kNoError)
            return static_cast<int>(kDbStatementFailed);
        return body();
    });
}

int CHotelDatabase::InTransaction(const std::function<int()>& body)
{
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return transaction.BeginResult();
    const int result = body();
    return result == kNoError ? transaction.Commit() : result;
}

int CHotelDatabase::ExecuteCounting(const QString& sql, const QVariantList& values, int& rows)
{
    rows = 0;
    const int result = OpenRecordset(sql, values);
    if (result == kNoError)
        rows = RowsAffected();
    CloseRecordset();
    return result == kNoError ? kNoError : kDbStatementFailed;
}

int CHotelDatabase::ReadRows(const QString& sql, const QVariantList& values,
                             const std::function<int(FieldReader&)>& readRow)
{
    if (OpenRecordset(sql, values) != kNoError)
        return kDbStatementFailed;
    FieldReader row(*this);
    int result = kNoError;
    while (!IsEof() && result == kNoError) {
        result = readRow(row);
        if (result == kNoError)
            result = row.Ok() ? MoveNext() : row.Result();
    }
    CloseRecordset();
    return result == kNoError ? kNoError : result;
}

}  // namespace lodgix
