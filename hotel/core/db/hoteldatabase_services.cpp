// CHotelDatabase: room services (features and optional services) and client services.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"

namespace lodgix {

int CHotelDatabase::InsertService(HotelTable table, const QString& name, Money price, VatRate vat, int& id)
{
    const QString tableName = HotelTableName(table);
    const QVariant serviceName = HotelTextValue(table, "NomeServizio", name);
    return WithTableLock(table, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDRoomService FROM %1 WHERE NomeServizio = ? AND IsVisible = 1").arg(tableName),
                   {serviceName}, found) != kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return InsertReturning(
            QStringLiteral("INSERT INTO %1 (NomeServizio,Prezzo,IVA,IsVisible) VALUES (?,?,?,1)").arg(tableName),
            {serviceName, price.Text(), vat.Text()}, "IDRoomService", id);
    });
}

int CHotelDatabase::UpdateService(HotelTable table, int id, const QString& name, Money price, VatRate vat)
{
    const QString tableName = HotelTableName(table);
    const QVariant serviceName = HotelTextValue(table, "NomeServizio", name);
    return WithTableLock(table, [&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT IDRoomService FROM %1 WHERE NomeServizio = ? AND IsVisible = 1 "
                                  "AND IDRoomService <> ?")
                       .arg(tableName),
                   {serviceName, id}, found) != kNoError ||
            found)
            return static_cast<int>(kDbStatementFailed);
        return Execute(QStringLiteral("UPDATE %1 SET NomeServizio = ?,Prezzo = ?,IVA = ?,IsVisible = 1 "
                                      "WHERE IDRoomService = ?")
                           .arg(tableName),
                       {serviceName, price.Text(), vat.Text(), id});
    });
}

int CHotelDatabase::InsertRoomService(const QString& name, Money price, VatRate vat, int& id)
{
    return InsertService(HotelTable::kRoomServices, name, price, vat, id);
}

int CHotelDatabase::UpdateRoomService(int id, const QString& name, Money price, VatRate vat)
{
    return UpdateService(HotelTable::kRoomServices, id, name, price, vat);
}

bool CHotelDatabase::LoadRoomServices(std::vector<ServiceRecord>& services)
{
    if (OpenRecordset(QStringLiteral("SELECT * FROM RoomServices WHERE IsVisible = 1 AND Prezzo <> 0 "
                                     "ORDER BY NomeServizio")) != kNoError)
        return false;
    std::vector<ServiceRecord> list;
    FieldReader row(*this);
    bool read = true;
    while (!IsEof() && read) {
        list.push_back({row.Int(QStringLiteral("IDRoomService")), row.Amount(QStringLiteral("Prezzo")),
                        row.Text(QStringLiteral("NomeServizio")), false});
        read = row.Ok() && MoveNext() == kNoError;
    }
    CloseRecordset();
    if (!read)
        return false;
    services = std::move(list);
    return true;
}

QString CHotelDatabase::GetRoomServiceName(int id)
{
    QString name;
    ReadFirstRow(QStringLiteral("SELECT NomeServizio FROM RoomServices WHERE IDRoomService = ?"), {id},
                 [&](FieldReader& row) { name = row.Text(QStringLiteral("NomeServizio")); });
    return name;
}

Money CHotelDatabase::GetRoomServicePrice(int id)
{
    Money price;
    if (!ReadFirstRow(QStringLiteral("SELECT Prezzo FROM RoomServices WHERE IDRoomService = ?"), {id},
                      [&](FieldReader& row) { price = row.Amount(QStringLiteral("Prezzo")); }))
        return {};
    return price;
}

int CHotelDatabase::InsertClientService(const QString& name, Money price, VatRate vat, int& id)
{
    return InsertService(HotelTable::kClientServices, name, price, vat, id);
}

int CHotelDatabase::UpdateClientService(int id, const QString& name, Money price, VatRate vat)
{
    return UpdateService(HotelTable::kClientServices, id, name, price, vat);
}

int CHotelDatabase::DeleteClientService(const QString& name)
{
    const QVariant serviceName = HotelTextValue(HotelTable::kClientServices, "NomeServizio", name);
    return WithTableLock(HotelTable::kClientServices, [&] {
        int id = 0;
        if (!ReadFirstRow(QStringLiteral("SELECT IDRoomService FROM ClientServices WHERE NomeServizio = ? "
                                         "AND IsVisible = 1"),
                          {serviceName}, [&](FieldReader& row) { id = row.Int(QStringLiteral("IDRoomService")); }))
            return static_cast<int>(kDbStatementFailed);
        return Execute(QStringLiteral("UPDATE ClientServices SET IsVisible = 0 WHERE IDRoomService = ?"), {id});
    });
}

Money CHotelDatabase::GetClientServicePrice(int id)
{
    Money price;
    if (!ReadFirstRow(QStringLiteral("SELECT Prezzo FROM ClientServices WHERE IDRoomService = ?"), {id},
                      [&](FieldReader& row) { price = row.Amount(QStringLiteral("Prezzo")); }))
        return {};
    return price;
}

VatRate CHotelDatabase::GetClientServiceVat(int id)
{
    VatRate vat;
    if (!ReadFirstRow(QStringLiteral("SELECT IVA FROM ClientServices WHERE IDRoomService = ?"), {id},
                      [&](FieldReader& row) { vat = row.Rate(QStringLiteral("IVA")); }))
        return {};
    return vat;
}

}  // namespace lodgix
