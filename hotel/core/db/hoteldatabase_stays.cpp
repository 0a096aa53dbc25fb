// CHotelDatabase: the stays of a hotel, their services and their documents.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "sqldate.h"
#include "statementtext.h"
#include "timelinequery.h"

namespace lodgix {

namespace {

// The columns of a stay's numbered things: guests, documents (the first has no digit), slots, cards.
QString Numbered(const char* base, int number) { return QLatin1String(base) + QString::number(number); }

QString DocumentColumn(const char* base, int document)
{
    return document == 0 ? QString::fromLatin1(base) : Numbered(base, document + 1);
}

struct SlotColumns {
    QString name, price, vat, user, date;
};

const SlotColumns& ServiceSlot(int index)
{
    static const std::vector<SlotColumns> columns = [] {
        std::vector<SlotColumns> all;
        for (int n = 1; n <= CheckInRecord::kMaxServices; ++n) {
            const QString base = QStringLiteral("Service%1").arg(n);
            all.push_back({base + QStringLiteral("Name"), base + QStringLiteral("Price"), base + QStringLiteral("IVA"),
                           base + QStringLiteral("UserID"), base + QStringLiteral("Date")});
        }
        return all;
    }();
    return columns[static_cast<std::size_t>(index)];
}

bool ServiceCountFits(int count) { return count >= 0 && count <= CheckInRecord::kMaxServices; }

int ReadStay(FieldReader& row, CheckInRecord& stay)
{
    stay.checkInId = row.Int(QStringLiteral("CheckInID"));
    stay.roomId = row.Int(QStringLiteral("RoomID"));
    stay.userId = row.Int(QStringLiteral("UserID"));
    stay.checkOutUserId = row.Int(QStringLiteral("CheckOutUserID"));
    stay.bookingId = row.Int(QStringLiteral("BookingID"));
    for (int n = 0; n < CheckInRecord::kGuests; ++n)
        stay.guestIds[static_cast<std::size_t>(n)] = row.Int(Numbered("GuestID", n + 1));
    stay.companyId = row.Int(QStringLiteral("CompanyID"));
    stay.checkInDate = row.Date(QStringLiteral("CheckInDate"));
    stay.startDate = row.Date(QStringLiteral("StartCheckInDate"));
    stay.endDate = row.Date(QStringLiteral("EndCheckInDate"));
    stay.checkOutDate = row.Date(QStringLiteral("CheckOutDate"));
    stay.treatment = row.Text(QStringLiteral("TipoPernottamento"));
    stay.dailyPrice = row.Amount(QStringLiteral("PrezzoGiornalero"));
    stay.vat = row.Rate(QStringLiteral("IVA"));
    stay.notes = row.Text(QStringLiteral("Notes"));
    stay.serviceCount = row.Int(QStringLiteral("NumServices"));
    if (row.Ok() && !ServiceCountFits(stay.serviceCount))
        return kDbRecordSelection;
    // Only the used slots mean anything: the others are never read.
    for (int n = 0; n < stay.serviceCount && row.Ok(); ++n) {
        const SlotColumns& columns = ServiceSlot(n);
        StayService& service = stay.services[static_cast<std::size_t>(n)];
        service.name = row.Text(columns.name);
        service.price = row.Amount(columns.price);
        service.vat = row.Rate(columns.vat);
        service.userId = row.Int(columns.user);
        service.date = row.Date(columns.date);
    }
    stay.groupId = row.Int(QStringLiteral("GroupID"));
    for (int n = 0; n < CheckInRecord::kDocuments; ++n) {
        StayDocument& document = stay.documents[static_cast<std::size_t>(n)];
        document.billId = row.Int(DocumentColumn("BillID", n));
        document.file = row.Text(DocumentColumn("FileDocumento", n));
        document.paymentType = row.Text(DocumentColumn("TipoPagamento", n));
        document.total = row.Amount(DocumentColumn("ImportoTotale", n));
    }
    for (int n = 0; n < CheckInRecord::kCards; ++n)
        stay.cards[static_cast<std::size_t>(n)] = row.Text(Numbered("CardID", n + 1));
    return row.Result();
}

QVariant StayText(const QString& column, const QString& text)
{
    return HotelTextValue(HotelTable::kRoomCheckIn, column.toLatin1().constData(), text);
}

// What the check-in writes, in its column order (services aside): the ids, the dates with the check-out
// as given, the stay's texts and amounts, the documents and the cards. 57 for a date that is no date.
int StayValues(const CheckInRecord& stay, const QVariant& checkOut, bool withServiceCount, RowValues& row)
{
    const OleDate start = NightOf(stay.startDate);
    const OleDate end = NightOf(stay.endDate);
    if (!start.IsValid() || !end.IsValid() || !stay.checkInDate.IsValid())
        return kDbRowInsertFailed;
    row.Add(QStringLiteral("RoomID"), stay.roomId);
    row.Add(QStringLiteral("UserID"), stay.userId);
    row.Add(QStringLiteral("CheckOutUserID"), stay.checkOutUserId);
    row.Add(QStringLiteral("BookingID"), stay.bookingId);
    for (int n = 0; n < CheckInRecord::kGuests; ++n)
        row.Add(Numbered("GuestID", n + 1), stay.guestIds[static_cast<std::size_t>(n)]);
    row.Add(QStringLiteral("CompanyID"), stay.companyId);
    row.Add(QStringLiteral("CheckInDate"), SqlDateText(stay.checkInDate));
    row.Add(QStringLiteral("StartCheckInDate"), SqlDateText(start));
    row.Add(QStringLiteral("EndCheckInDate"), SqlDateText(end));
    row.Add(QStringLiteral("CheckOutDate"), checkOut);
    row.Add(QStringLiteral("TipoPernottamento"), StayText(QStringLiteral("TipoPernottamento"), stay.treatment));
    row.Add(QStringLiteral("PrezzoGiornalero"), stay.dailyPrice.Text());
    row.Add(QStringLiteral("IVA"), stay.vat.Text());
    row.Add(QStringLiteral("Notes"), StayText(QStringLiteral("Notes"), stay.notes));
    const StayDocument& first = stay.documents[0];
    row.Add(QStringLiteral("FileDocumento"), StayText(QStringLiteral("FileDocumento"), first.file));
    row.Add(QStringLiteral("TipoPagamento"), StayText(QStringLiteral("TipoPagamento"), first.paymentType));
    row.Add(QStringLiteral("ImportoTotale"), first.total.Text());
    row.Add(QStringLiteral("IsVisible"), 1);
    if (withServiceCount)
        row.Add(QStringLiteral("NumServices"), 0);
    row.Add(QStringLiteral("GroupID"), stay.groupId);
    for (int n = 0; n < CheckInRecord::kDocuments; ++n)
        row.Add(DocumentColumn("BillID", n), stay.documents[static_cast<std::size_t>(n)].billId);
    for (int n = 1; n < CheckInRecord::kDocuments; ++n) {
        const StayDocument& document = stay.documents[static_cast<std::size_t>(n)];
        const QString file = DocumentColumn("FileDocumento", n);
        const QString payment = DocumentColumn("TipoPagamento", n);
        row.Add(file, StayText(file, document.file));
        row.Add(payment, StayText(payment, document.paymentType));
        row.Add(DocumentColumn("ImportoTotale", n), document.total.Text());
    }
    for (int n = 0; n < CheckInRecord::kCards; ++n) {
        const QString column = Numbered("CardID", n + 1);
        row.Add(column, StayText(column, stay.cards[static_cast<std::size_t>(n)]));
    }
    return kNoError;
}

QString StayTable(int hotelId) { return HotelTableName(HotelTable::kRoomCheckIn, hotelId); }

}  // namespace

int CHotelDatabase::LoadCheckIns(int hotelId, const OleDate& from, const OleDate& to, int roomId,
                                 std::vector<CheckInRecord>& stays)
{
    TimelineQuery query(StayTable(hotelId), "StartCheckInDate", "EndCheckInDate", from, to);
    if (!query.IsValid())
        return kDbRowInsertFailed;
    query.AndRoom(roomId);
    std::vector<CheckInRecord> loaded;
    const int result = ReadRows(query.Text("CheckInID"), query.Values(),
                                [&](FieldReader& row) { return ReadStay(row, loaded.emplace_back()); });
    if (result == kNoError)
        stays = std::move(loaded);
    return result;
}

int CHotelDatabase::LoadCheckIns(int hotelId, int roomId, std::vector<CheckInRecord>& stays)
{
    TimelineQuery query(StayTable(hotelId));
    query.And(QStringLiteral("CheckOutDate IS NULL"));
    query.AndRoom(roomId);
    std::vector<CheckInRecord> loaded;
    const int result = ReadRows(query.Text("CheckInID"), query.Values(),
                                [&](FieldReader& row) { return ReadStay(row, loaded.emplace_back()); });
    if (result == kNoError)
        stays = std::move(loaded);
    return result;
}

int CHotelDatabase::LoadClosedStays(int hotelId, const OleDate& from, const OleDate& to, int roomId, int guestId,
                                    std::vector<CheckInRecord>& stays)
{
    TimelineQuery query(StayTable(hotelId), "StartCheckInDate", "EndCheckInDate", from, to);
    if (!query.IsValid())
        return kDbRowInsertFailed;
    query.And(QStringLiteral("CheckOutDate IS NOT NULL"));
    if (guestId != kAnyGuest)
        query.And(QStringLiteral("(GuestID1 = ? OR GuestID2 = ? OR GuestID3 = ? OR GuestID4 = ?)"),
                  {guestId, guestId, guestId, guestId});
    query.AndRoom(roomId);
    std::vector<CheckInRecord> loaded;
    const int result = ReadRows(query.Text("CheckInID"), query.Values(),
                                [&](FieldReader& row) { return ReadStay(row, loaded.emplace_back()); });
    if (result == kNoError)
        stays = std::move(loaded);
    return result;
}

int CHotelDatabase::InsertCheckIn(int hotelId, CheckInRecord& stay)
{
    RowValues row;
    const int result = StayValues(stay, DateValueOrNull(OleDate::Invalid()), true, row);
    if (result != kNoError)
        return result;
    return InsertReturning(row.InsertText(StayTable(hotelId)), row.values, "CheckInID", stay.checkInId);
}

int CHotelDatabase::UpdateCheckIn(int hotelId, const CheckInRecord& stay)
{
    RowValues row;
    int result = StayValues(stay, DateValueOrNull(OleDate::Invalid()), false, row);
    if (result != kNoError)
        return result;
    row.values << stay.checkInId;
    // A stay checked out meanwhile (elsewhere) is not reopened.
    int changed = 0;
    result = ExecuteCounting(row.UpdateText(StayTable(hotelId)) +
                                 QStringLiteral(" WHERE CheckInID=? AND CheckOutDate IS NULL"),
                             row.values, changed);
    if (result != kNoError)
        return result;
    return changed > 0 ? kNoError : kDbRecordSelection;
}

int CHotelDatabase::CloseCheckIn(int hotelId, const CheckInRecord& stay)
{
    if (!stay.checkOutDate.IsValid())
        return kDbRowInsertFailed;
    RowValues row;
    const int result = StayValues(stay, SqlDateText(stay.checkOutDate), false, row);
    if (result != kNoError)
        return result;
    row.values << stay.checkInId;
    return InTransaction([&] {
        bool found = false;
        if (Exists(QStringLiteral("SELECT CheckInID FROM %1 WHERE CheckInID = ?").arg(StayTable(hotelId)),
                   {stay.checkInId}, found) != kNoError)
            return static_cast<int>(kDbStatementFailed);
        if (!found)
            return static_cast<int>(kDbRecordSelection);
        const int written = Execute(row.UpdateText(StayTable(hotelId)) + QStringLiteral(" WHERE CheckInID = ?"),
                                    row.values);
        return written == kNoError ? DeleteStayMessages(hotelId, stay.checkInId) : written;
    });
}

int CHotelDatabase::CheckOutStays(int hotelId, const std::vector<CheckInRecord>& stays)
{
    return InTransaction([&] {
        for (const CheckInRecord& stay : stays) {
            bool open = false;
            if (Exists(QStringLiteral("SELECT CheckInID FROM %1 WHERE CheckInID = ? AND CheckOutDate IS NULL "
                                      "AND IsVisible = 1")
                           .arg(StayTable(hotelId)),
                       {stay.checkInId}, open) != kNoError)
                return static_cast<int>(kDbStatementFailed);
            if (!open)
                return static_cast<int>(kDbRecordSelection);
            const int closed = CheckOutWithGroup(hotelId, stay);
            if (closed != kNoError)
                return closed;
        }
        return static_cast<int>(kNoError);
    });
}

int CHotelDatabase::StoredServiceCount(const QString& table, int checkInId, int& count)
{
    if (OpenRecordset(QStringLiteral("SELECT NumServices FROM %1 WHERE CheckInID = ?").arg(table), {checkInId}) !=
        kNoError)
        return kDbStatementFailed;
    if (IsEof()) {
        CloseRecordset();
        return kDbRecordSelection;
    }
    FieldReader row(*this);
    count = row.Int(QStringLiteral("NumServices"));
    CloseRecordset();
    if (!row.Ok())
        return row.Result();
    return ServiceCountFits(count) ? kNoError : kDbRecordSelection;
}

int CHotelDatabase::WriteStayService(int hotelId, int checkInId, int slot, const QString& name, Money price,
                                     VatRate vat, int userId)
{
    const SlotColumns& columns = ServiceSlot(slot);
    RowValues row;
    row.Add(columns.name, StayText(columns.name, name));
    row.Add(columns.price, price.Text());
    row.Add(columns.vat, vat.Text());
    row.Add(columns.user, userId);
    row.Add(columns.date, SqlDateText(Now()));
    return Execute(row.UpdateText(StayTable(hotelId)) + QStringLiteral(" WHERE CheckInID = ?"),
                   row.values << checkInId);
}

int CHotelDatabase::AddStayService(int hotelId, int checkInId, const QString& name, Money price, VatRate vat,
                                   int userId)
{
    // Count and slot are read and written under the table's write lock: two workstations adding at once
    // take two slots.
    return WithTableLock(HotelTable::kRoomCheckIn, hotelId, [&] {
        int count = 0;
        int result = StoredServiceCount(StayTable(hotelId), checkInId, count);
        if (result != kNoError)
            return result;
        if (count >= CheckInRecord::kMaxServices)
            return static_cast<int>(kDbRecordSelection);
        result = WriteStayService(hotelId, checkInId, count, name, price, vat, userId);
        if (result != kNoError)
            return result;
        return Execute(QStringLiteral("UPDATE %1 SET NumServices = ? WHERE CheckInID = ?").arg(StayTable(hotelId)),
                       {count + 1, checkInId});
    });
}

int CHotelDatabase::UpdateStayService(int hotelId, int checkInId, int index, const QString& name, Money price,
                                      VatRate vat, int userId)
{
    return WithTableLock(HotelTable::kRoomCheckIn, hotelId, [&] {
        int count = 0;
        const int result = StoredServiceCount(StayTable(hotelId), checkInId, count);
        if (result != kNoError)
            return result;
        if (index < 0 || index >= count)
            return static_cast<int>(kDbRecordSelection);
        return WriteStayService(hotelId, checkInId, index, name, price, vat, userId);
    });
}

int CHotelDatabase::DeleteCheckIn(int hotelId, int checkInId)
{
    return InTransaction([&] {
        const int result = Execute(QStringLiteral("UPDATE %1 SET IsVisible=0 WHERE CheckInID=?").arg(StayTable(hotelId)),
                                   {checkInId});
        return result == kNoError ? DeleteStayMessages(hotelId, checkInId) : result;
    });
}

int CHotelDatabase::SetDocumentPayment(int hotelId, int document, int checkInId, Money amount,
                                       const QString& paymentType)
{
    if (document < 1 || document > CheckInRecord::kDocuments)
        return kDbRecordSelection;
    const QString total = DocumentColumn("ImportoTotale", document - 1);
    const QString payment = DocumentColumn("TipoPagamento", document - 1);
    return Execute(QStringLiteral("UPDATE %1 SET %2=?,%3=? WHERE CheckInID=?").arg(StayTable(hotelId), total, payment),
                   {amount.Text(), StayText(payment, paymentType), checkInId});
}

int CHotelDatabase::FindStayByDocument(int hotelId, const QString& file, Money amount, const QString& paymentType)
{
    const QVariant name = StayText(QStringLiteral("FileDocumento"), file);
    QStringList files;
    for (int n = 0; n < CheckInRecord::kDocuments; ++n)
        files << DocumentColumn("FileDocumento", n);
    // The database compares without case; the file name must match exactly, so every row is looked at.
    int checkInId = 0;
    int document = 0;
    const int result =
        ReadRows(QStringLiteral("SELECT CheckInID,%1 FROM %2 WHERE %3 ORDER BY CheckInID")
                     .arg(files.join(u','), StayTable(hotelId), files.join(QStringLiteral(" = ? OR ")) + QStringLiteral(" = ?")),
                 {name, name, name, name}, [&](FieldReader& row) {
                     for (int n = 0; n < CheckInRecord::kDocuments && document == 0; ++n) {
                         if (row.Text(files[n]) == name.toString()) {
                             document = n + 1;
                             checkInId = row.Int(QStringLiteral("CheckInID"));
                         }
                     }
                     // Found: the rows after it are not wanted.
                     return document == 0 ? static_cast<int>(kNoError) : -1;
                 });
    if (document == 0)
        return result == kNoError ? static_cast<int>(kDbRecordSelection) : result;
    return SetDocumentPayment(hotelId, document, checkInId, amount, paymentType);
}

}  // namespace lodgix
