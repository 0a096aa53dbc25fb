// CHotelDatabase: hotels, their seasons and their rooms.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "statementtext.h"

#include <QStringList>

namespace lodgix {

namespace {

constexpr int kPeriodValues = 2 * 2 * SeasonTable::kRanges;  // start and end of five low and five high periods

// The period columns' values in column order: each low-season pair, then each high-season pair.
std::array<quint16, kPeriodValues> PeriodValues(const SeasonTable& seasons)
{
    std::array<quint16, kPeriodValues> values{};
    for (int i = 0; i < SeasonTable::kRanges; ++i) {
        values[2 * i] = seasons.low[i].start;
        values[2 * i + 1] = seasons.low[i].end;
        values[2 * SeasonTable::kRanges + 2 * i] = seasons.high[i].start;
        values[2 * SeasonTable::kRanges + 2 * i + 1] = seasons.high[i].end;
    }
    return values;
}

const char* PeriodColumn(int index)
{
    return HotelColumns(HotelTable::kHotelPeriod)[static_cast<std::size_t>(index) + 1].name;  // after IDHotel
}

QString RoomServiceColumn(int slot) { return QStringLiteral("service%1").arg(slot + 1); }

// The room's columns in the order of RoomValues.
QStringList RoomColumns()
{
    QStringList columns = {QStringLiteral("Label"), QStringLiteral("Bedrooms"), QStringLiteral("PBX"),
                           QStringLiteral("Interno")};
    for (int i = 0; i < PriceTable::kCount; ++i)
        columns << QLatin1String(PriceTable::Column(i));
    columns << QStringLiteral("IVA") << QStringLiteral("Quality") << QStringLiteral("IsVisible")
            << QStringLiteral("NumServices");
    for (int slot = 0; slot < kRoomServiceSlots; ++slot)
        columns << RoomServiceColumn(slot);
    return columns;
}

QVariantList RoomValues(const RoomRecord& room, const QVariant& label)
{
    QVariantList values = {label, room.bedrooms, room.pbx, room.extension};
    for (const Money& price : room.prices.prices)
        values << price.Text();
    values << room.vat.Text() << room.quality << 1 << static_cast<int>(room.services.size());
    for (int slot = 0; slot < kRoomServiceSlots; ++slot)
        values << (slot < static_cast<int>(room.services.size()) ? room.services[static_cast<std::size_t>(slot)] : 0);
    return values;
}

QStringList HotelColumnNames()
{
    QStringList columns;
    for (const TextColumn<HotelRecord>& text : HotelRecord::Columns())
        columns << QLatin1String(text.column);
    return columns << QStringLiteral("NumeroCamere");
}

}  // namespace

int CHotelDatabase::LoadHotelList(std::vector<HotelListEntry>& hotels)
{
    if (OpenRecordset(QStringLiteral("SELECT IDHotel,Nome FROM HotelConfiguration ORDER BY Nome")) != kNoError)
        return kDbStatementFailed;
    std::vector<HotelListEntry> list;
    FieldReader row(*this);
    while (!IsEof()) {
        list.push_back({row.Text("Nome"), row.Int("IDHotel")});
        if (!row.Ok() || MoveNext() != kNoError) {
            CloseRecordset();
            return kDbStatementFailed;
        }
    }
    CloseRecordset();
    hotels = std::move(list);
    return kNoError;
}

int CHotelDatabase::InsertHotel(const HotelRecord& hotel, int roomCount, int& id)
{
    const QStringList columns = HotelColumnNames();
    QVariantList values;
    for (const TextColumn<HotelRecord>& text : HotelRecord::Columns())
        values << HotelTextValue(HotelTable::kHotelConfiguration, text.column, hotel.*text.field);
    values << roomCount;
    return WithTableLock(HotelTable::kHotelConfiguration, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDHotel FROM HotelConfiguration WHERE Nome = ?"), {values.first()}, found) !=
                kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return InsertReturning(QStringLiteral("INSERT INTO HotelConfiguration (%1) VALUES (%2)")
                                   .arg(columns.join(u','), Placeholders(columns.size())),
                               values, "IDHotel", id);
    });
}

int CHotelDatabase::CreateHotel(const HotelRecord& hotel, const std::vector<RoomRecord>& rooms, int& id)
{
    int newId = 0;
    const int result = InTransaction([&] {
        const int inserted = InsertHotel(hotel, static_cast<int>(rooms.size()), newId);
        return inserted == kNoError ? ReplaceRooms(newId, rooms) : inserted;
    });
    if (result == kNoError)
        id = newId;
    return result;
}

int CHotelDatabase::UpdateHotel(int id, const HotelRecord& hotel, int roomCount)
{
    QVariantList values;
    for (const TextColumn<HotelRecord>& text : HotelRecord::Columns())
        values << HotelTextValue(HotelTable::kHotelConfiguration, text.column, hotel.*text.field);
    values << roomCount << id;
    return WithTableLock(HotelTable::kHotelConfiguration, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDHotel FROM HotelConfiguration WHERE Nome = ? AND IDHotel <> ?"),
                   {values.first(), id}, found) != kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return Execute(QStringLiteral("UPDATE HotelConfiguration SET %1 WHERE IDHotel = ?")
                           .arg(Assignments(HotelColumnNames())),
                       values);
    });
}

int CHotelDatabase::LoadHotel(HotelRecord& hotel, int& roomCount, int id)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM HotelConfiguration WHERE IDHotel = ?"), {id}) != kNoError)
        return kDbStatementFailed;
    if (IsEof())
        return kDbStatementFailed;
    HotelRecord loaded;
    FieldReader row(*this);
    for (const TextColumn<HotelRecord>& text : HotelRecord::Columns())
        loaded.*text.field = row.Text(text.column);
    const int count = row.Int("NumeroCamere");
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    hotel = loaded;
    roomCount = count;
    return kNoError;
}

int CHotelDatabase::LoadHotelPeriods(int hotelId, SeasonTable& seasons)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM HotelPeriod WHERE IDHotel = ?"), {hotelId}) != kNoError)
        return kDbStatementFailed;
    if (IsEof())
        return kDbRecordSelection;
    std::array<quint16, kPeriodValues> values{};
    FieldReader row(*this);
    for (int i = 0; i < kPeriodValues; ++i)
        values[static_cast<std::size_t>(i)] = static_cast<quint16>(row.Int(PeriodColumn(i)));
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    for (int i = 0; i < SeasonTable::kRanges; ++i) {
        seasons.low[i] = {values[2 * i], values[2 * i + 1]};
        seasons.high[i] = {values[2 * SeasonTable::kRanges + 2 * i], values[2 * SeasonTable::kRanges + 2 * i + 1]};
    }
    return kNoError;
}

int CHotelDatabase::SaveHotelPeriods(int hotelId, const SeasonTable& seasons)
{
    return WithTableLock(HotelTable::kHotelPeriod, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDHotel FROM HotelPeriod WHERE IDHotel = ?"), {hotelId}, found) != kNoError)
            return static_cast<int>(kDbStatementFailed);
        if (found)
            return UpdateHotelPeriods(hotelId, seasons);
        QStringList columns = {QStringLiteral("IDHotel")};
        QVariantList values = {hotelId};
        const auto periods = PeriodValues(seasons);
        for (int i = 0; i < kPeriodValues; ++i) {
            columns << QLatin1String(PeriodColumn(i));
            values << periods[static_cast<std::size_t>(i)];
        }
        return Execute(QStringLiteral("INSERT INTO HotelPeriod (%1) VALUES (%2)")
                           .arg(columns.join(u','), Placeholders(columns.size())),
                       values);
    });
}

int CHotelDatabase::UpdateHotelPeriods(int hotelId, const SeasonTable& seasons)
{
    QStringList columns;
    QVariantList values;
    const auto periods = PeriodValues(seasons);
    for (int i = 0; i < kPeriodValues; ++i) {
        columns << QLatin1String(PeriodColumn(i));
        values << periods[static_cast<std::size_t>(i)];
    }
    values << hotelId;
    return Execute(QStringLiteral("UPDATE HotelPeriod SET %1 WHERE IDHotel=?").arg(Assignments(columns)), values);
}

int CHotelDatabase::InsertRoom(int hotelId, const RoomRecord& room, int* id)
{
    if (room.services.size() > static_cast<std::size_t>(kRoomServiceSlots))
        return kDbRecordSelection;
    const QStringList columns = RoomColumns();
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(HotelTableName(HotelTable::kRoomConfiguration, hotelId), columns.join(u','),
                                 Placeholders(columns.size()));
    const QVariantList values = RoomValues(room, HotelTextValue(HotelTable::kRoomConfiguration, "Label", room.label));
    int newId = 0;
    const int result = InsertReturning(sql, values, "IDRoom", newId);
    if (result == kNoError && id)
        *id = newId;
    return result;
}

int CHotelDatabase::UpdateRoom(int hotelId, const RoomRecord& room)
{
    if (room.services.size() > static_cast<std::size_t>(kRoomServiceSlots))
        return kDbRecordSelection;
    QVariantList values = RoomValues(room, HotelTextValue(HotelTable::kRoomConfiguration, "Label", room.label));
    values << room.id;
    return Execute(QStringLiteral("UPDATE %1 SET %2 WHERE IDRoom=?")
                       .arg(HotelTableName(HotelTable::kRoomConfiguration, hotelId), Assignments(RoomColumns())),
                   values);
}

int CHotelDatabase::DeleteRoom(int hotelId, const RoomRecord& room)
{
    return Execute(QStringLiteral("UPDATE %1 SET IsVisible=0 WHERE IDRoom=?")
                       .arg(HotelTableName(HotelTable::kRoomConfiguration, hotelId)),
                   {room.id});
}

int CHotelDatabase::LoadRooms(int hotelId, std::vector<RoomRecord>& rooms)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM %1 WHERE IsVisible = 1 ORDER BY Label")
                          .arg(HotelTableName(HotelTable::kRoomConfiguration, hotelId))) != kNoError)
        return kDbStatementFailed;
    static const QStringList kServiceColumns = [] {
        QStringList columns;
        for (int slot = 0; slot < kRoomServiceSlots; ++slot)
            columns << RoomServiceColumn(slot);
        return columns;
    }();
    std::vector<RoomRecord> list;
    FieldReader row(*this);
    int result = kNoError;
    while (!IsEof() && result == kNoError) {
        RoomRecord& room = list.emplace_back();
        room.id = row.Int("IDRoom");
        room.label = row.Text("Label");
        room.bedrooms = row.Int("Bedrooms");
        room.pbx = row.Int("PBX");
        room.extension = row.Int("Interno");
        for (int i = 0; i < PriceTable::kCount; ++i)
            room.prices.prices[static_cast<std::size_t>(i)] = row.Amount(PriceTable::Column(i));
        room.vat = row.Rate("IVA");
        room.quality = row.Int("Quality");
        const int count = row.Int("NumServices");
        if (count < 0 || count > kRoomServiceSlots) {
            result = kDbRecordSelection;  // more services than the room has slots for
            break;
        }
        for (int slot = 0; slot < count; ++slot)
            room.services.push_back(row.Int(kServiceColumns[slot]));
        if (!row.Ok() || MoveNext() != kNoError)
            result = kDbStatementFailed;
    }
    CloseRecordset();
    if (result != kNoError)
        return result;
    rooms = std::move(list);
    return kNoError;
}

}  // namespace lodgix
