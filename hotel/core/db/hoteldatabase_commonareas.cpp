// CHotelDatabase: the common areas of the key-card system.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"

namespace lodgix {

namespace {

void ReadArea(FieldReader& row, CommonAreaRecord& area)
{
    area.id = row.Int(QStringLiteral("IDCommonArea"));
    area.label = row.Text(QStringLiteral("Label"));
    area.code = row.Text(QStringLiteral("Code"));
    area.free = row.Int(QStringLiteral("Free")) != 0;
    area.visible = row.Int(QStringLiteral("IsVisible")) != 0;
}

}  // namespace

int CHotelDatabase::InsertCommonArea(const CommonAreaRecord& area, int* id)
{
    const QVariant label = HotelTextValue(HotelTable::kCommonAreas, "Label", area.label);
    const QVariant code = HotelTextValue(HotelTable::kCommonAreas, "Code", area.code);
    return WithTableLock(HotelTable::kCommonAreas, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDCommonArea FROM ITCCommonAreas WHERE ((Label = ? OR Code = ?) "
                                  "AND IsVisible = 1)"),
                   {label, code}, found) != kNoError)
            return static_cast<int>(kDbStatementFailed);
        if (found)
            return static_cast<int>(kDbRecordSelection);
        int newId = 0;
        const int result = InsertReturning(
            QStringLiteral("INSERT INTO ITCCommonAreas (Label,Code,Free,IsVisible) VALUES (?,?,?,1)"),
            {label, code, area.free ? 1 : 0}, "IDCommonArea", newId);
        if (result == kNoError && id)
            *id = newId;
        return result;
    });
}

int CHotelDatabase::UpdateCommonArea(int id, const CommonAreaRecord& area)
{
    const QVariant label = HotelTextValue(HotelTable::kCommonAreas, "Label", area.label);
    const QVariant code = HotelTextValue(HotelTable::kCommonAreas, "Code", area.code);
    return WithTableLock(HotelTable::kCommonAreas, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDCommonArea FROM ITCCommonAreas WHERE ((Label = ? OR Code = ?) "
                                  "AND IsVisible = 1 AND IDCommonArea <> ?)"),
                   {label, code, id}, found) != kNoError)
            return static_cast<int>(kDbStatementFailed);
        if (found)
            return static_cast<int>(kDbRecordSelection);
        return Execute(QStringLiteral("UPDATE ITCCommonAreas SET Label = ?,Code = ?,Free = ?,IsVisible = ? "
                                      "WHERE IDCommonArea = ?"),
                       {label, code, area.free ? 1 : 0, area.visible ? 1 : 0, id});
    });
}

int CHotelDatabase::DeleteCommonArea(int id)
{
    CommonAreaRecord area;
    const int result = LoadCommonArea(id, area);
    if (result != kNoError)
        return result;
    area.visible = false;
    return UpdateCommonArea(id, area);
}

int CHotelDatabase::LoadCommonArea(int id, CommonAreaRecord& area)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM ITCCommonAreas WHERE IDCommonArea = ?"), {id}) != kNoError)
        return kDbStatementFailed;
    if (IsEof())
        return kDbRecordSelection;
    CommonAreaRecord loaded;
    FieldReader row(*this);
    ReadArea(row, loaded);
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    area = loaded;
    return kNoError;
}

int CHotelDatabase::LoadAreas(const QString& sql, std::vector<CommonAreaRecord>& areas)
{
    if (OpenRecordset(sql) != kNoError)
        return kDbStatementFailed;
    std::vector<CommonAreaRecord> list;
    FieldReader row(*this);
    bool read = true;
    while (!IsEof() && read) {
        ReadArea(row, list.emplace_back());
        read = row.Ok() && MoveNext() == kNoError;
    }
    CloseRecordset();
    if (!read)
        return row.Ok() ? static_cast<int>(kDbStatementFailed) : row.Result();
    areas = std::move(list);
    return kNoError;
}

int CHotelDatabase::LoadCommonAreas(std::vector<CommonAreaRecord>& areas)
{
    return LoadAreas(QStringLiteral("SELECT * FROM ITCCommonAreas WHERE IsVisible = 1 ORDER BY IDCommonArea"), areas);
}

int CHotelDatabase::LoadChargeableAreas(std::vector<CommonAreaRecord>& areas)
{
    return LoadAreas(QStringLiteral("SELECT * FROM ITCCommonAreas WHERE IsVisible = 1 AND Free = 0 ORDER BY IDCommonArea"),
                     areas);
}

}  // namespace lodgix
