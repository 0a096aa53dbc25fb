// The lists' fills and the detail lines of a selected row.
#include "frontdesklistdlg.h"

#include "documentfiles.h"
#include "oledatetext.h"
#include "roomarray.h"
#include "sortlistctrl.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QListWidget>

namespace lodgix {

namespace {

constexpr unsigned kRoomText = 2033;
constexpr unsigned kFromText = 2141;
constexpr unsigned kToText = 2142;
constexpr unsigned kArrivalText = 2164;
constexpr unsigned kDepartureText = 2165;
constexpr unsigned kClientText = 2166;
constexpr unsigned kNotesText = 2181;
constexpr unsigned kBookingText = 2173;
constexpr unsigned kGroupText = 2281;
constexpr unsigned kNoGroupText = 2282;
constexpr unsigned kTreatmentText = 2111;
constexpr unsigned kDailyPriceText = 2125;
constexpr unsigned kOperatorText = 2172;
constexpr unsigned kDocumentTypeText = 2130;
constexpr unsigned kReceiptText = 2128;
constexpr unsigned kInvoiceText = 2129;
constexpr unsigned kNumberText = 2168;
constexpr unsigned kCompanyText = 2167;
constexpr unsigned kAmountText = 2169;
constexpr unsigned kPaymentText = 2131;
constexpr unsigned kCheckInOperatorText = 2170;
constexpr unsigned kCheckOutOperatorText = 2171;
constexpr unsigned kInTheNameOfText = 2163;
constexpr unsigned kContactText = 2092;
constexpr unsigned kBookingNotesText = 2095;
// A booking's annotation continues the booking's detail line under its value.
const QString kContinuation(23, u' ');
// "PS", yyyyMMdd, five digits, ".psx".
constexpr qsizetype kFormNameLength = 19;

QString DateTimeText(const OleDate& date)
{
    return FormatOleDate(date, QLocale());
}

QString DateText(const OleDate& date)
{
    return QLocale().toString(date.Date(), QLocale::ShortFormat);
}

// The day after the last night.
OleDate Departure(const OleDate& lastNight)
{
    return lastNight.AddDays(1);
}

// "number / year" of a document's file name ("Recv" or "Fatt", the year, the number, the extension).
QString NumberOfFile(const QString& file)
{
    const QString name = QFileInfo(file).completeBaseName();
    const QString digits = name.mid(4);
    return QString::asprintf("%d%s%d", digits.mid(4, 5).toInt(), " / ", digits.left(4).toInt());
}

}  // namespace

QString CFrontDeskListDlg::RoomLabel(int roomId) const
{
    const int index = FindRoomRecord(roomId, m_state.rooms);
    return index < 0 ? QString() : m_state.rooms[static_cast<std::size_t>(index)].label;
}

QString CFrontDeskListDlg::GuestLine(int guestId) const
{
    GuestRecord guest;
    if (guestId == 0 || !m_state.database->LoadGuest(guestId, guest))
        return QString();
    return guest.name + QStringLiteral(", ") + guest.city + QStringLiteral(" (") + guest.province + u')';
}

QString CFrontDeskListDlg::GroupText(int groupId) const
{
    if (groupId == 0)
        return LoadResString(kNoGroupText);
    GroupRecord group;
    return m_state.database->LoadGroup(groupId, group) == 0 ? group.name : QString();
}

void CFrontDeskListDlg::FillOpenStays()
{
    std::vector<CheckInRecord> stays;
    if (!m_state.database || m_state.database->LoadCheckIns(m_state.hotelId, CHotelDatabase::kAllRooms, stays) != 0)
        return;
    for (const CheckInRecord& stay : stays) {
        if (FindRoomRecord(stay.roomId, m_state.rooms) < 0)
            continue;  // a room no longer configured
        m_stays.push_back(stay);
        const int row = m_list->InsertItem(m_list->ItemCount(), RoomLabel(stay.roomId), stay.checkInId);
        m_list->SetItemText(row, 1, DateTimeText(stay.checkInDate));
        m_list->SetSortValue(row, 1, stay.checkInDate.ToDateTime());
        m_list->SetItemText(row, 2, DateText(Departure(stay.endDate)));
        m_list->SetSortValue(row, 2, Departure(stay.endDate).ToDateTime());
        m_list->SetItemText(row, 3, GuestLine(stay.guestIds[0]));
        if (stay.bookingId != 0)
            m_list->SetItemText(row, 4, m_state.database->GetBookingNameAndPhone(m_state.hotelId, stay.bookingId));
        m_list->SetItemText(row, 5, GroupText(stay.groupId));
    }
}

void CFrontDeskListDlg::FillClosedStays()
{
    std::vector<CheckInRecord> stays;
    const OleDate from = OleDate::FromDateTime(m_startDate->date().startOfDay());
    const OleDate to = OleDate::FromDateTime(m_endDate->date().startOfDay());
    if (!m_state.database || m_state.database->LoadClosedStays(m_state.hotelId, from, to, FilterOf(m_rooms),
                                                               FilterOf(m_clients), stays) != 0)
        return;
    for (const CheckInRecord& stay : stays) {
        if (FindRoomRecord(stay.roomId, m_state.rooms) < 0)
            continue;
        m_stays.push_back(stay);
        const int row = m_list->InsertItem(m_list->ItemCount(), RoomLabel(stay.roomId), stay.checkInId);
        m_list->SetItemText(row, 1, DateTimeText(stay.checkInDate));
        m_list->SetSortValue(row, 1, stay.checkInDate.ToDateTime());
        m_list->SetItemText(row, 2, DateText(Departure(stay.endDate)));
        m_list->SetSortValue(row, 2, Departure(stay.endDate).ToDateTime());
        m_list->SetItemText(row, 3, GuestLine(stay.guestIds[0]));
        m_list->SetItemText(row, 4, GuestLine(stay.guestIds[1]));
    }
}

void CFrontDeskListDlg::FillBookings()
{
    std::vector<BookingRecord> bookings;
    const OleDate from = OleDate::FromDateTime(m_startDate->date().startOfDay());
    const OleDate to = OleDate::FromDateTime(m_endDate->date().startOfDay());
    if (!m_state.database ||
        m_state.database->LoadBookings(m_state.hotelId, from, to, FilterOf(m_rooms), bookings) != 0)
        return;
    for (const BookingRecord& booking : bookings) {
        if (FindRoomRecord(booking.roomId, m_state.rooms) < 0)
            continue;
        m_bookings.push_back(booking);
        const int row = m_list->InsertItem(m_list->ItemCount(), RoomLabel(booking.roomId), booking.bookingId);
        m_list->SetItemText(row, 1, DateTimeText(booking.startDate));
        m_list->SetSortValue(row, 1, booking.startDate.ToDateTime());
        m_list->SetItemText(row, 2, DateText(Departure(booking.endDate)));
        m_list->SetSortValue(row, 2, Departure(booking.endDate).ToDateTime());
        m_list->SetItemText(row, 3, booking.clientName + QStringLiteral(" (") + booking.clientPhone + u')');
        m_list->SetItemText(row, 4, booking.clientAnnotation);
        m_list->SetItemText(row, 5, GroupText(booking.groupId));
    }
}

void CFrontDeskListDlg::FillPoliceForm()
{
    std::vector<CheckInRecord> stays;
    if (!m_state.database || m_state.database->LoadCheckIns(m_state.hotelId, CHotelDatabase::kAllRooms, stays) != 0)
        return;
    for (const CheckInRecord& stay : stays) {
        m_stays.push_back(stay);
        for (int guestId : stay.guestIds) {
            GuestRecord guest;
            if (guestId == 0 || !m_state.database->LoadGuest(guestId, guest))
                continue;
            const int row = m_list->InsertItem(m_list->ItemCount(), guest.name, stay.checkInId);
            m_list->SetItemText(row, 1, QLocale().toString(guest.dateOfBirth, QLocale::ShortFormat));
            m_list->SetSortValue(row, 1, guest.dateOfBirth);
            m_list->SetItemText(row, 2, guest.birthPlace + QStringLiteral(", ") + guest.birthCountry);
            m_list->SetItemText(row, 3, guest.city + QStringLiteral(" (") + guest.province + QStringLiteral("), ") +
                                            guest.country);
            m_list->SetItemText(row, 4, guest.documentType + QStringLiteral(" N. ") + guest.documentNumber);
            m_list->SetItemText(row, 5, DateTimeText(stay.checkInDate));
            m_list->SetSortValue(row, 5, stay.checkInDate.ToDateTime());
        }
    }
}

void CFrontDeskListDlg::FillIssuedForms()
{
    const QDate from = m_startDate->date();
    const QDate to = m_endDate->date();
    const QDir folder(m_state.dataFolder);
    const QStringList names = folder.entryList({QStringLiteral("PS*.psx")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (name.size() != kFormNameLength)
            continue;
        const QDate date = QDate::fromString(name.mid(2, 8), QStringLiteral("yyyyMMdd"));
        bool numbered = false;
        const int number = name.mid(10, 5).toInt(&numbered);
        if (!date.isValid() || !numbered || date < from || date > to)
            continue;
        PoliceForm form;
        if (!LoadPoliceForms(form, folder.filePath(name)))
            continue;
        const int row = m_list->InsertItem(m_list->ItemCount(), QLocale().toString(date, QLocale::ShortFormat));
        m_list->SetSortValue(row, 0, date);
        m_list->SetItemText(row, 1, QString::number(number));
        m_list->SetItemText(row, 2, DateTimeText(form.issued));
        m_list->SetSortValue(row, 2, form.issued.ToDateTime());
        m_list->SetItemText(row, 3, m_state.database ? m_state.database->GetOperatorName(form.operatorId) : QString());
    }
}

void CFrontDeskListDlg::AddDetail(const QString& label, const QString& value, const QString& separator)
{
    m_details->addItem(label + separator + value);
}

void CFrontDeskListDlg::ShowDetails()
{
    if (!m_state.database)
        return;
    auto detail = [this](unsigned label, const QString& value) { AddDetail(LoadResString(label), value); };
    auto guests = [&](const CheckInRecord& stay) {
        for (int guest = 0; guest < CheckInRecord::kGuests; ++guest) {
            GuestRecord record;
            if (stay.guestIds[static_cast<std::size_t>(guest)] != 0 &&
                m_state.database->LoadGuest(stay.guestIds[static_cast<std::size_t>(guest)], record))
                AddDetail(LoadResString(kClientText), record.name, QStringLiteral(" %1: ").arg(guest + 1));
        }
    };
    if (m_mode == kBookingList) {
        const int index = SelectedBooking();
        if (index < 0)
            return;
        const BookingRecord& booking = m_bookings[static_cast<std::size_t>(index)];
        detail(kRoomText, RoomLabel(booking.roomId));
        detail(kFromText, DateText(booking.startDate));
        detail(kToText, DateText(booking.endDate));
        detail(kInTheNameOfText, booking.clientName);
        detail(kContactText, booking.clientPhone);
        if (!booking.clientAnnotation.isEmpty())
            detail(kBookingNotesText, booking.clientAnnotation);
        GroupRecord group;
        if (booking.groupId != 0 && m_state.database->LoadGroup(booking.groupId, group) == 0)
            detail(kGroupText, group.name);
        detail(kOperatorText, m_state.database->GetOperatorName(booking.userId));
        return;
    }
    const int index = SelectedStay();
    if (index < 0)
        return;
    const CheckInRecord& stay = m_stays[static_cast<std::size_t>(index)];
    detail(kRoomText, RoomLabel(stay.roomId));
    detail(kFromText, DateText(stay.startDate));
    detail(kToText, DateText(stay.endDate));
    detail(kArrivalText, DateTimeText(stay.checkInDate));
    if (m_mode == kCheckOutList) {
        detail(kDepartureText, DateTimeText(stay.checkOutDate));
        guests(stay);
        for (int slot = 0; slot < CheckInRecord::kDocuments; ++slot) {
            const StayDocument& document = stay.documents[static_cast<std::size_t>(slot)];
            if (document.file.isEmpty())
                continue;
            const QString separator = slot == 0 ? QStringLiteral(": ") : QStringLiteral("%1: ").arg(slot + 1);
            const bool receipt = document.file.contains(QLatin1String("Recv"));
            AddDetail(LoadResString(kDocumentTypeText), LoadResString(receipt ? kReceiptText : kInvoiceText),
                      separator);
            AddDetail(LoadResString(kNumberText), NumberOfFile(document.file), separator);
            if (receipt) {
                GuestRecord guest;
                m_state.database->LoadGuest(document.billId, guest);
                AddDetail(LoadResString(kClientText), guest.name, separator);
            } else {
                CompanyRecord company;
                m_state.database->LoadCompany(document.billId, company);
                AddDetail(LoadResString(kCompanyText), company.companyName, separator);
            }
            AddDetail(LoadResString(kAmountText), document.total.Text(), separator);
            AddDetail(LoadResString(kPaymentText), document.paymentType, separator);
        }
        detail(kCheckInOperatorText, m_state.database->GetOperatorName(stay.userId));
        detail(kCheckOutOperatorText, m_state.database->GetOperatorName(stay.checkOutUserId));
        return;
    }
    guests(stay);
    detail(kNotesText, stay.notes);
    BookingRecord booking;
    if (stay.bookingId != 0 && m_state.database->LoadBooking(m_state.hotelId, stay.bookingId, booking) == 0) {
        detail(kBookingText, booking.clientName + QStringLiteral(" (") + booking.clientPhone + u')');
        if (!booking.clientAnnotation.isEmpty())
            m_details->addItem(kContinuation + booking.clientAnnotation);
    }
    GroupRecord group;
    if (stay.groupId != 0 && m_state.database->LoadGroup(stay.groupId, group) == 0)
        detail(kGroupText, group.name);
    detail(kTreatmentText, stay.treatment);
    detail(kDailyPriceText, stay.dailyPrice.Text());
    detail(kOperatorText, m_state.database->GetOperatorName(stay.userId));
}

}  // namespace lodgix
