// CHotelDatabase: bookings and unavailability periods of a hotel.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "sqldate.h"
#include "statementtext.h"
#include "timelinequery.h"

namespace lodgix {

namespace {

const QString& BookingServiceColumn(int index)
{
    static const QStringList columns = [] {
        QStringList names;
        for (int n = 1; n <= BookingRecord::kMaxServices; ++n)
            names << QStringLiteral("Service%1").arg(n);
        return names;
    }();
    return columns[index];
}

int ReadBooking(FieldReader& row, BookingRecord& booking)
{
    booking.bookingId = row.Int(QStringLiteral("BookingID"));
    booking.roomId = row.Int(QStringLiteral("RoomID"));
    booking.userId = row.Int(QStringLiteral("UserID"));
    booking.startDate = row.Date(QStringLiteral("StartDate"));
    booking.endDate = row.Date(QStringLiteral("EndDate"));
    booking.clientName = row.Text(QStringLiteral("ClientName"));
    booking.clientPhone = row.Text(QStringLiteral("ClientPhone"));
    booking.clientAnnotation = row.Text(QStringLiteral("ClientAnnotation"));
    booking.treatment = row.Text(QStringLiteral("TipoTrattamento"));
    booking.serviceCount = row.Int(QStringLiteral("NumOptionalServices"));
    for (int n = 0; n < BookingRecord::kMaxServices; ++n)
        booking.services[static_cast<std::size_t>(n)] = row.Int(BookingServiceColumn(n));
    booking.groupId = row.Int(QStringLiteral("GroupID"));
    if (!row.Ok())
        return row.Result();
    const bool countFits = booking.serviceCount >= 0 && booking.serviceCount <= BookingRecord::kMaxServices;
    return countFits ? kNoError : kDbRecordSelection;
}

int ReadPeriod(FieldReader& row, AvailabilityRecord& period)
{
    period.availabilityId = row.Int(QStringLiteral("AvailabilityID"));
    period.roomId = row.Int(QStringLiteral("RoomID"));
    period.userId = row.Int(QStringLiteral("UserID"));
    period.startDate = row.Date(QStringLiteral("StartDate"));
    period.endDate = row.Date(QStringLiteral("EndDate"));
    period.reason = row.Text(QStringLiteral("Reason"));
    return row.Result();
}

QVariant BookingText(const char* column, const QString& text)
{
    return HotelTextValue(HotelTable::kRoomBooking, column, text);
}

// Every column of a booking but its key, in table order: 0, 57 for a date that is no date, 46 for a
// service count beyond its slots.
int BookingValues(const BookingRecord& booking, RowValues& row)
{
    const OleDate start = NightOf(booking.startDate);
    const OleDate end = NightOf(booking.endDate);
    if (!start.IsValid() || !end.IsValid())
        return kDbRowInsertFailed;
    if (booking.serviceCount < 0 || booking.serviceCount > BookingRecord::kMaxServices)
        return kDbRecordSelection;
    row.Add(QStringLiteral("RoomID"), booking.roomId);
    row.Add(QStringLiteral("UserID"), booking.userId);
    row.Add(QStringLiteral("StartDate"), SqlDateText(start));
    row.Add(QStringLiteral("EndDate"), SqlDateText(end));
    row.Add(QStringLiteral("ClientName"), BookingText("ClientName", booking.clientName));
    row.Add(QStringLiteral("ClientPhone"), BookingText("ClientPhone", booking.clientPhone));
    row.Add(QStringLiteral("ClientAnnotation"), BookingText("ClientAnnotation", booking.clientAnnotation));
    row.Add(QStringLiteral("IsVisible"), 1);
    row.Add(QStringLiteral("TipoTrattamento"), BookingText("TipoTrattamento", booking.treatment));
    row.Add(QStringLiteral("NumOptionalServices"), booking.serviceCount);
    for (int n = 0; n < BookingRecord::kMaxServices; ++n)
        row.Add(BookingServiceColumn(n), booking.services[static_cast<std::size_t>(n)]);
    row.Add(QStringLiteral("GroupID"), booking.groupId);
    return kNoError;
}

int PeriodValues(const AvailabilityRecord& period, RowValues& row)
{
    const OleDate start = NightOf(period.startDate);
    const OleDate end = NightOf(period.endDate);
    if (!start.IsValid() || !end.IsValid())
        return kDbRowInsertFailed;
    row.Add(QStringLiteral("RoomID"), period.roomId);
    row.Add(QStringLiteral("UserID"), period.userId);
    row.Add(QStringLiteral("StartDate"), SqlDateText(start));
    row.Add(QStringLiteral("EndDate"), SqlDateText(end));
    row.Add(QStringLiteral("Reason"), HotelTextValue(HotelTable::kRoomAvailability, "Reason", period.reason));
    row.Add(QStringLiteral("IsVisible"), 1);
    return kNoError;
}

}  // namespace

int CHotelDatabase::LoadBookings(int hotelId, const OleDate& from, const OleDate& to, int roomId,
                                 std::vector<BookingRecord>& bookings)
{
    TimelineQuery query(HotelTableName(HotelTable::kRoomBooking, hotelId), "StartDate", "EndDate", from, to);
    if (!query.IsValid())
        return kDbRowInsertFailed;
    query.AndRoom(roomId);
    std::vector<BookingRecord> loaded;
    const int result = ReadRows(query.Text("BookingID"), query.Values(),
                                [&](FieldReader& row) { return ReadBooking(row, loaded.emplace_back()); });
    if (result == kNoError)
        bookings = std::move(loaded);
    return result;
}

int CHotelDatabase::LoadBookings(int hotelId, int roomId, std::vector<BookingRecord>& bookings)
{
    TimelineQuery query(HotelTableName(HotelTable::kRoomBooking, hotelId));
    query.AndRoom(roomId);
    std::vector<BookingRecord> loaded;
    const int result = ReadRows(query.Text("BookingID"), query.Values(),
                                [&](FieldReader& row) { return ReadBooking(row, loaded.emplace_back()); });
    if (result == kNoError)
        bookings = std::move(loaded);
    return result;
}

int CHotelDatabase::LoadBooking(int hotelId, int bookingId, BookingRecord& booking)
{
    const QString table = HotelTableName(HotelTable::kRoomBooking, hotelId);
    if (OpenRecordset(QStringLiteral("SELECT * FROM %1 WHERE BookingID = ?").arg(table), {bookingId}) != kNoError)
        return kDbStatementFailed;
    if (IsEof()) {
        CloseRecordset();
        return kDbRecordSelection;
    }
    BookingRecord loaded;
    FieldReader row(*this);
    const int result = ReadBooking(row, loaded);
    CloseRecordset();
    if (result == kNoError)
        booking = loaded;
    return result;
}

int CHotelDatabase::InsertBooking(int hotelId, BookingRecord& booking)
{
    RowValues row;
    const int result = BookingValues(booking, row);
    if (result != kNoError)
        return result;
    return InsertReturning(row.InsertText(HotelTableName(HotelTable::kRoomBooking, hotelId)), row.values, "BookingID",
                           booking.bookingId);
}

int CHotelDatabase::UpdateBooking(int hotelId, const BookingRecord& booking)
{
    RowValues row;
    const int result = BookingValues(booking, row);
    if (result != kNoError)
        return result;
    row.values << booking.bookingId;
    return Execute(row.UpdateText(HotelTableName(HotelTable::kRoomBooking, hotelId)) +
                       QStringLiteral(" WHERE BookingID=?"),
                   row.values);
}

int CHotelDatabase::DeleteBooking(int hotelId, int bookingId)
{
    return Execute(QStringLiteral("UPDATE %1 SET IsVisible=0 WHERE BookingID=?")
                       .arg(HotelTableName(HotelTable::kRoomBooking, hotelId)),
                   {bookingId});
}

QString CHotelDatabase::GetBookingClientName(int hotelId, int bookingId)
{
    BookingRecord booking;
    return LoadBooking(hotelId, bookingId, booking) == kNoError ? booking.clientName : QString();
}

QString CHotelDatabase::GetBookingNameAndPhone(int hotelId, int bookingId)
{
    BookingRecord booking;
    if (LoadBooking(hotelId, bookingId, booking) != kNoError)
        return {};
    return booking.clientName + QStringLiteral(" (") + booking.clientPhone + u')';
}

QString CHotelDatabase::GetBookingNameAndNotes(int hotelId, int bookingId)
{
    BookingRecord booking;
    if (LoadBooking(hotelId, bookingId, booking) != kNoError)
        return {};
    return booking.clientName + QStringLiteral(" - ") + booking.clientAnnotation;
}

int CHotelDatabase::LoadUnavailability(int hotelId, const OleDate& from, const OleDate& to, int roomId,
                                       std::vector<AvailabilityRecord>& periods)
{
    TimelineQuery query(HotelTableName(HotelTable::kRoomAvailability, hotelId), "StartDate", "EndDate", from, to);
    if (!query.IsValid())
        return kDbRowInsertFailed;
    query.AndRoom(roomId);
    std::vector<AvailabilityRecord> loaded;
    const int result = ReadRows(query.Text("AvailabilityID"), query.Values(),
                                [&](FieldReader& row) { return ReadPeriod(row, loaded.emplace_back()); });
    if (result == kNoError)
        periods = std::move(loaded);
    return result;
}

int CHotelDatabase::InsertUnavailability(int hotelId, AvailabilityRecord& period)
{
    RowValues row;
    const int result = PeriodValues(period, row);
    if (result != kNoError)
        return result;
    return InsertReturning(row.InsertText(HotelTableName(HotelTable::kRoomAvailability, hotelId)), row.values,
                           "AvailabilityID", period.availabilityId);
}

int CHotelDatabase::UpdateUnavailability(int hotelId, const AvailabilityRecord& period)
{
    RowValues row;
    const int result = PeriodValues(period, row);
    if (result != kNoError)
        return result;
    row.values << period.availabilityId;
    return Execute(row.UpdateText(HotelTableName(HotelTable::kRoomAvailability, hotelId)) +
                       QStringLiteral(" WHERE AvailabilityID=?"),
                   row.values);
}

int CHotelDatabase::DeleteUnavailability(int hotelId, int periodId)
{
    return Execute(QStringLiteral("UPDATE %1 SET IsVisible=0 WHERE AvailabilityID=?")
                       .arg(HotelTableName(HotelTable::kRoomAvailability, hotelId)),
                   {periodId});
}

}  // namespace lodgix
