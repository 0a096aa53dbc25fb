// CHotelDatabase: room groups and guest agreements.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "sqldate.h"
#include "statementtext.h"

namespace lodgix {

namespace {

const QStringList& GroupRoomColumns()
{
    static const QStringList columns = [] {
        QStringList names;
        for (int n = 1; n <= GroupRecord::kMaxRooms; ++n)
            names << QStringLiteral("Room%1").arg(n);
        return names;
    }();
    return columns;
}

bool HasUsableRoomCount(const GroupRecord& group)
{
    return group.roomCount >= 0 && group.roomCount <= GroupRecord::kMaxRooms;
}

// The columns a group writes, with their values: the group's own and its first roomCount room slots.
void GroupColumns(const GroupRecord& group, const QString& date, QStringList& columns, QVariantList& values)
{
    columns = {QStringLiteral("HotelID"), QStringLiteral("GroupName"), QStringLiteral("CreationDate"),
               QStringLiteral("IsVisible"), QStringLiteral("NumElement")};
    values = {group.hotelId, HotelTextValue(HotelTable::kHotelGroups, "GroupName", group.name), date, 1, group.roomCount};
    for (int n = 0; n < group.roomCount; ++n) {
        columns << GroupRoomColumns()[n];
        values << group.rooms[static_cast<std::size_t>(n)];
    }
}

// The agreement's columns in the order of ConventionValues.
QStringList ConventionColumns()
{
    QStringList columns = {QStringLiteral("Label")};
    for (int i = 0; i < PriceTable::kCount; ++i)
        columns << QLatin1String(PriceTable::Column(i));
    return columns << QStringLiteral("IVA") << QStringLiteral("IsVisible");
}

QVariantList ConventionValues(const ConventionRecord& convention, const QVariant& label)
{
    QVariantList values = {label};
    for (const Money& price : convention.prices.prices)
        values << price.Text();
    return values << convention.vat.Text() << 1;
}

void ReadConvention(FieldReader& row, ConventionRecord& convention)
{
    convention.label = row.Text(QStringLiteral("Label"));
    for (int i = 0; i < PriceTable::kCount; ++i)
        convention.prices.prices[static_cast<std::size_t>(i)] = row.Amount(QLatin1String(PriceTable::Column(i)));
    convention.vat = row.Rate(QStringLiteral("IVA"));
}

}  // namespace

int CHotelDatabase::InsertGroup(int bookingGroup, GroupRecord& group)
{
    const QString date = SqlDateText(group.creationDate);
    if (date.isEmpty())
        return kDbRowInsertFailed;
    if (!HasUsableRoomCount(group))
        return kDbRecordSelection;
    QStringList columns;
    QVariantList values;
    GroupColumns(group, date, columns, values);
    columns << QStringLiteral("BookingGroup");
    values << bookingGroup;
    // The key comes back from the insert itself: two groups alike in name and second are still two.
    return InsertReturning(QStringLiteral("INSERT INTO HotelGroups (%1) VALUES (%2)")
                               .arg(columns.join(u','), Placeholders(columns.size())),
                           values, "ID", group.id);
}

int CHotelDatabase::UpdateGroup(const GroupRecord& group)
{
    const QString date = SqlDateText(group.creationDate);
    if (date.isEmpty())
        return kDbRowInsertFailed;
    if (!HasUsableRoomCount(group))
        return kDbRecordSelection;
    QStringList columns;
    QVariantList values;
    GroupColumns(group, date, columns, values);  // room slots after the group's rooms keep their old values
    values << group.id;
    return Execute(QStringLiteral("UPDATE HotelGroups SET %1 WHERE ID = ?").arg(Assignments(columns)), values);
}

int CHotelDatabase::DeleteGroup(int id)
{
    return Execute(QStringLiteral("UPDATE HotelGroups SET IsVisible = 0 WHERE ID = ?"), {id});
}

int CHotelDatabase::LoadGroup(int id, GroupRecord& group)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM HotelGroups WHERE ID = ?"), {id}) != kNoError)
        return kDbStatementFailed;
    if (IsEof())
        return kDbRecordSelection;
    GroupRecord loaded;
    FieldReader row(*this);
    loaded.id = row.Int(QStringLiteral("ID"));
    loaded.hotelId = row.Int(QStringLiteral("HotelID"));
    loaded.name = row.Text(QStringLiteral("GroupName"));
    loaded.creationDate = row.Date(QStringLiteral("CreationDate"));
    loaded.roomCount = row.Int(QStringLiteral("NumElement"));
    for (int n = 0; n < GroupRecord::kMaxRooms; ++n)
        loaded.rooms[static_cast<std::size_t>(n)] = row.Int(GroupRoomColumns()[n]);
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    if (!HasUsableRoomCount(loaded))
        return kDbRecordSelection;  // more rooms than the row has slots for
    group = loaded;
    return kNoError;
}

int CHotelDatabase::LoadGroups(int hotelId, int bookingGroup, std::vector<GroupListEntry>& groups)
{
    if (OpenRecordset(QStringLiteral("SELECT ID,GroupName FROM HotelGroups WHERE (HotelID = ? AND IsVisible = 1 "
                                     "AND (BookingGroup = ? OR BookingGroup IS NULL)) ORDER BY CreationDate,ID"),
                      {hotelId, bookingGroup}) != kNoError)
        return kDbStatementFailed;
    std::vector<GroupListEntry> list;
    FieldReader row(*this);
    bool read = true;
    while (!IsEof() && read) {
        list.push_back({row.Text(QStringLiteral("GroupName")), row.Int(QStringLiteral("ID"))});
        read = row.Ok() && MoveNext() == kNoError;
    }
    CloseRecordset();
    if (!read)
        return kDbRecordSelection;
    groups = std::move(list);
    return kNoError;
}

int CHotelDatabase::InsertConvention(const ConventionRecord& convention, int* id)
{
    const QVariant label = HotelTextValue(HotelTable::kGuestConventions, "Label", convention.label);
    const QStringList columns = ConventionColumns();
    return WithTableLock(HotelTable::kGuestConventions, [&] {
        // Deleted agreements count too: guests may still name them.
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDGuestConvenction FROM GuestConventions WHERE Label = ?"), {label}, found) !=
            kNoError)
            return static_cast<int>(kDbStatementFailed);
        if (found)
            return static_cast<int>(kDbRecordSelection);
        int newId = 0;
        const int result = InsertReturning(QStringLiteral("INSERT INTO GuestConventions (%1) VALUES (%2)")
                                               .arg(columns.join(u','), Placeholders(columns.size())),
                                           ConventionValues(convention, label), "IDGuestConvenction", newId);
        if (result == kNoError && id)
            *id = newId;
        return result;
    });
}

int CHotelDatabase::UpdateConvention(int id, const ConventionRecord& convention)
{
    const QVariant label = HotelTextValue(HotelTable::kGuestConventions, "Label", convention.label);
    return WithTableLock(HotelTable::kGuestConventions, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDGuestConvenction FROM GuestConventions WHERE Label = ? AND IsVisible = 1 "
                                  "AND IDGuestConvenction <> ?"),
                   {label, id}, found) != kNoError)
            return static_cast<int>(kDbStatementFailed);
        if (found)
            return static_cast<int>(kDbRecordSelection);
        QVariantList values = ConventionValues(convention, label);
        values << id;
        return Execute(QStringLiteral("UPDATE GuestConventions SET %1 WHERE IDGuestConvenction = ?")
                           .arg(Assignments(ConventionColumns())),
                       values);
    });
}

int CHotelDatabase::DeleteConvention(int id)
{
    return Execute(QStringLiteral("UPDATE GuestConventions SET IsVisible = 0 WHERE IDGuestConvenction = ?"), {id});
}

int CHotelDatabase::LoadConvention(int id, ConventionRecord& convention)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM GuestConventions WHERE IDGuestConvenction = ?"), {id}) != kNoError)
        return kDbStatementFailed;
    if (IsEof())
        return kDbRecordSelection;
    ConventionRecord loaded;
    FieldReader row(*this);
    ReadConvention(row, loaded);
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    convention = loaded;
    return kNoError;
}

bool CHotelDatabase::LoadConventionByLabel(const QString& label, ConventionRecord& convention)
{
    ConventionRecord loaded;
    if (!ReadFirstRow(QStringLiteral("SELECT * FROM GuestConventions WHERE Label = ? ORDER BY IsVisible DESC"),
                      {HotelTextValue(HotelTable::kGuestConventions, "Label", label)},
                      [&](FieldReader& row) { ReadConvention(row, loaded); }))
        return false;
    convention = loaded;
    return true;
}

}  // namespace lodgix
