// CLodgixView: the room summary and room detail panels.
#include "lodgixview.h"

#include "engineerrorcode.h"
#include "lodgixstate.h"
#include "plannermonth.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QFileInfo>
#include <QListWidget>
#include <QLocale>

using namespace lodgix;

namespace {

constexpr unsigned kPhoneString = 2011;             // "Telefono"
constexpr unsigned kRoomsString = 2016;             // "Camere"
constexpr unsigned kBedsString = 2018;              // "Posti letto"
constexpr unsigned kRoomString = 2033;              // "Camera"
constexpr unsigned kQualityString = 2087;           // "Qualità"
constexpr unsigned kTelephoneSetString = 2088;      // "Apparato telefonico"
constexpr unsigned kContactString = 2092;           // "Recapito"
constexpr unsigned kNotesString = 2095;             // "Annotazioni"
constexpr unsigned kTreatmentString = 2111;         // "Trattamento"
constexpr unsigned kDailyPriceString = 2125;        // "Prezzo giornaliero"
constexpr unsigned kReceiptString = 2128;           // "Ricevuta fiscale"
constexpr unsigned kInvoiceString = 2129;           // "Fattura"
constexpr unsigned kDocumentTypeString = 2130;      // "Tipo documento"
constexpr unsigned kPaymentString = 2131;           // "Metodo di pagamento"
constexpr unsigned kFromString = 2141;              // "Da"
constexpr unsigned kToString = 2142;                // "A"
constexpr unsigned kStatusString = 2155;            // "Stato camera"
constexpr unsigned kFreeString = 2156;              // "LIBERA"
constexpr unsigned kNotUsedString = 2157;           // "NON UTILIZZATA"
constexpr unsigned kBookedString = 2158;            // "PRENOTATA"
constexpr unsigned kOccupiedString = 2159;          // "OCCUPATA"
constexpr unsigned kUsedString = 2160;              // "UTILIZZATA"
constexpr unsigned kUnavailableString = 2161;       // "NON DISPONIBILE"
constexpr unsigned kForString = 2162;               // "Per"
constexpr unsigned kInTheNameOfString = 2163;       // "A nome di"
constexpr unsigned kArrivalString = 2164;           // "Data di arrivo"
constexpr unsigned kDepartureString = 2165;         // "Data di partenza"
constexpr unsigned kGuestString = 2166;             // "Cliente"
constexpr unsigned kCompanyString = 2167;           // "Azienda"
constexpr unsigned kNumberString = 2168;            // "Numero"
constexpr unsigned kAmountString = 2169;            // "Importo"
constexpr unsigned kCheckInOperatorString = 2170;   // "Operatore Check in"
constexpr unsigned kCheckOutOperatorString = 2171;  // "Operatore Check out"
constexpr unsigned kOperatorString = 2172;          // "Operatore"
constexpr unsigned kBookingString = 2173;           // "Prenotazione"
constexpr unsigned kSeasonStringBase = 2201;        // + season: "Bassa", "Media", "Alta stagione"
constexpr unsigned kMessagesString = 2222;          // "messaggi"
constexpr unsigned kMessageString = 2223;           // "messaggio"
constexpr unsigned kToReadString = 2225;            // "da leggere"
constexpr unsigned kWakeUpString = 2236;            // "Sveglia"
constexpr unsigned kSingleString = 2237;            // "Singola"
constexpr unsigned kDailyString = 2238;             // "Giornaliera"
constexpr unsigned kDisabledString = 2239;          // "Disabilitata"
constexpr unsigned kFeaturesString = 2276;          // "Caratteristiche camera"
constexpr unsigned kOptionalString = 2277;          // "Servizi opzionali"
constexpr unsigned kGroupString = 2281;             // "Gruppo"
constexpr unsigned kTimeString = 2301;              // "VOLTA"
constexpr unsigned kTimesString = 2302;             // "VOLTE"
constexpr unsigned kCardString = 1252;              // "Carta d'accesso"
constexpr unsigned kWeekdayNameBase = 10056;        // + day of the week (1 Sunday): "Domenica", ...

const QString kSeparator = QStringLiteral(": ");
const QString kServiceIndent = QStringLiteral("   ");
// The booking's annotation under its line, below the name.
constexpr int kAnnotationIndent = 23;
const QString kEuro = QStringLiteral("\u20AC");
const QString kReceiptMark = QStringLiteral("Recv");
constexpr int kDocumentPrefixLength = 4;  // "Recv" or "Fatt"
constexpr int kYearDigits = 4;
constexpr int kNumberDigits = 5;
constexpr int kDailyWakeUp = 1;
constexpr int kSingleWakeUp = 2;

QString Line(unsigned label, const QString& value)
{
    return LoadResString(label) + kSeparator + value;
}

QString DateText(const OleDate& date)
{
    return QLocale().toString(date.Date(), QLocale::ShortFormat);
}

QString DateTimeText(const OleDate& date)
{
    return date.IsValid() ? QLocale().toString(date.ToDateTime(), QLocale::ShortFormat) : QString();
}

QString WeekdayAndDate(const OleDate& date)
{
    return LoadResString(kWeekdayNameBase + static_cast<unsigned>(date.DayOfWeek())) + QStringLiteral(", ") +
           DateText(date);
}

// A document's number and year from its file name: the prefix and the extension off, then four digits of
// year and five of number.
void DocumentNumber(const QString& file, int& number, int& year)
{
    QString name = QFileInfo(file).fileName().mid(kDocumentPrefixLength);
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0)
        name.truncate(dot);
    year = name.left(kYearDigits).toInt();
    number = name.mid(kYearDigits, kNumberDigits).toInt();
}

}  // namespace

void CLodgixView::RefreshPanels()
{
    FillRoomSummary();
    FillRoomDetail();
    FillActionList();
    emit CommandStatesChanged();
}

namespace {

// A line too long for its panel can still be read whole in its tip.
void AddLine(QListWidget* list, const QString& text)
{
    auto item = new QListWidgetItem(text, list);
    item->setToolTip(text);
}

}  // namespace

void CLodgixView::AddSummaryLine(const QString& text)
{
    AddLine(m_summary, text);
}

void CLodgixView::AddDetailLine(const QString& text)
{
    AddLine(m_detail, text);
}

void CLodgixView::FillRoomSummary()
{
    m_summary->clear();
    if (m_selectedRoom == 0) {
        const HotelRecord& hotel = m_state.hotel;
        AddSummaryLine(hotel.name);
        if (!hotel.address.isEmpty())
            AddSummaryLine(hotel.address);
        if (!hotel.postCode.isEmpty() || !hotel.city.isEmpty() || !hotel.province.isEmpty())
            AddSummaryLine(hotel.postCode + u' ' + hotel.city + u'(' + hotel.province + u')');
        AddSummaryLine(hotel.country);
        QStringList phones;
        for (const QString& phone : {hotel.phone1, hotel.phone2, hotel.phone3})
            if (!phone.isEmpty())
                phones << phone;
        AddSummaryLine(Line(kPhoneString, phones.join(QStringLiteral(", "))));
        if (!hotel.webAddress.isEmpty())
            AddSummaryLine(hotel.webAddress);
        AddSummaryLine(Line(kRoomsString, QString::number(m_state.roomCount)));
        return;
    }
    const int index = RoomIndex(m_selectedRoom);
    if (index < 0)
        return;
    const RoomRecord& room = m_state.rooms[static_cast<std::size_t>(index)];
    AddSummaryLine(Line(kRoomString, room.label));
    AddSummaryLine(Line(kBedsString, QString::number(room.bedrooms)));
    AddSummaryLine(Line(kQualityString, QString(std::max(room.quality, 0), u'*')));

    const ExtensionTables::Room extension = m_state.extensions.RoomAt(index);
    if (m_state.database && m_state.extensions.PbxAt(room.pbx).valid && extension.valid) {
        AddSummaryLine(Line(kTelephoneSetString, m_state.database->PbxIdentifier(room.pbx) + QStringLiteral(" (") +
                                                     GetExtensionDisplayName(*m_state.database, m_state.extensions, index) +
                                                     u')'));
        const WakeUpSetting wakeUp = WakeUpFromState(extension.valid, extension.state);
        const QString time = QStringLiteral("%1:%2").arg(wakeUp.hour, 2, 10, QChar(u'0')).arg(wakeUp.minute, 2, 10, QChar(u'0'));
        QString mode = LoadResString(kDisabledString);
        if (wakeUp.mode == kDailyWakeUp)
            mode = LoadResString(kDailyString) + QStringLiteral(", ") + time;
        else if (wakeUp.mode == kSingleWakeUp)
            mode = LoadResString(kSingleString) + QStringLiteral(", ") + time;
        AddSummaryLine(Line(kWakeUpString, mode));
    }
    if (!m_state.database)
        return;
    QStringList features;
    QStringList optional;
    for (const int service : room.services) {
        const Money price = m_state.database->GetRoomServicePrice(service);
        const QString name = kServiceIndent + m_state.database->GetRoomServiceName(service);
        if (price.IsZero())
            features << name;
        else
            optional << name + QStringLiteral(" (") + price.Text() + kEuro + u')';
    }
    if (!features.isEmpty()) {
        AddSummaryLine(LoadResString(kFeaturesString) + u':');
        for (const QString& line : features)
            AddSummaryLine(line);
    }
    if (!optional.isEmpty()) {
        AddSummaryLine(LoadResString(kOptionalString) + u':');
        for (const QString& line : optional)
            AddSummaryLine(line);
    }
}

void CLodgixView::FillRoomDetail()
{
    m_detail->clear();
    if (m_selectedRoom == 0) {
        AddDetailLine(WeekdayAndDate(m_referenceDate));
        AddDetailLine(LoadResString(kSeasonStringBase + static_cast<unsigned>(GetSeason(m_referenceDate, m_state.seasons))));
        return;
    }
    const OleDate selected = SelectedDate();
    AddDetailLine(WeekdayAndDate(selected));
    RoomDayStatus status;
    GetRoomDayStatus(m_selectedRoom, selected, status);
    CHotelDatabase* database = m_state.database.get();
    const auto operatorName = [database](int id) { return database ? database->GetOperatorName(id) : QString(); };
    const auto groupLine = [this, database](int groupId) {
        GroupRecord group;
        if (groupId != 0 && database && database->LoadGroup(groupId, group) == kNoError)
            AddDetailLine(Line(kGroupString, group.name));
    };
    switch (status.kind) {
    case kRoomFree:
        AddDetailLine(Line(kStatusString, LoadResString(selected < m_referenceDate ? kNotUsedString : kFreeString)));
        break;
    case kRoomBooked: {
        const BookingRecord& booking = m_month.bookings[static_cast<std::size_t>(status.booking)];
        AddDetailLine(Line(kStatusString, LoadResString(kBookedString)));
        AddDetailLine(Line(kFromString, DateText(booking.startDate)));
        AddDetailLine(Line(kToString, DateText(booking.endDate)));
        AddDetailLine(Line(kInTheNameOfString, booking.clientName));
        AddDetailLine(Line(kContactString, booking.clientPhone));
        if (!booking.clientAnnotation.isEmpty())
            AddDetailLine(Line(kNotesString, booking.clientAnnotation));
        groupLine(booking.groupId);
        AddDetailLine(Line(kOperatorString, operatorName(booking.userId)));
        break;
    }
    case kRoomOccupied: {
        const CheckInRecord& stay = m_month.stays[static_cast<std::size_t>(status.stay)];
        AddDetailLine(Line(kStatusString, LoadResString(kOccupiedString)));
        AddDetailLine(Line(kFromString, DateText(stay.startDate)));
        AddDetailLine(Line(kToString, DateText(stay.endDate)));
        AddDetailLine(Line(kArrivalString, DateTimeText(stay.checkInDate)));
        FillStayGuests(stay);
        if (const int messages = CountRoomMessages(stay.checkInId); messages == 1)
            AddDetailLine(QStringLiteral("1 ") + LoadResString(kMessageString) + u' ' + LoadResString(kToReadString));
        else if (messages > 1)
            AddDetailLine(QString::number(messages) + u' ' + LoadResString(kMessagesString) + u' ' +
                          LoadResString(kToReadString));
        if (!stay.notes.isEmpty())
            AddDetailLine(Line(kNotesString, stay.notes));
        BookingRecord booking;
        if (stay.bookingId != 0 && database && database->LoadBooking(m_state.hotelId, stay.bookingId, booking) == kNoError) {
            AddDetailLine(Line(kBookingString, booking.clientName + QStringLiteral(" (") + booking.clientPhone + u')'));
            if (!booking.clientAnnotation.isEmpty())
                AddDetailLine(QString(kAnnotationIndent, u' ') + booking.clientAnnotation);
        }
        groupLine(stay.groupId);
        AddDetailLine(Line(kTreatmentString, stay.treatment));
        AddDetailLine(Line(kDailyPriceString, stay.dailyPrice.Text()));
        for (std::size_t card = 0; card < stay.cards.size(); ++card)
            if (!stay.cards[card].isEmpty())
                AddDetailLine(LoadResString(kCardString) + QString::number(card + 1) + kSeparator + stay.cards[card]);
        AddDetailLine(Line(kOperatorString, operatorName(stay.userId)));
        break;
    }
    case kRoomCheckedOut:
        FillClosedStays();
        break;
    case kRoomUnavailable: {
        const AvailabilityRecord& period = m_month.unavailability[static_cast<std::size_t>(status.unavailability)];
        AddDetailLine(Line(kStatusString, LoadResString(kUnavailableString)));
        AddDetailLine(Line(kFromString, DateText(period.startDate)));
        AddDetailLine(Line(kToString, DateText(period.endDate)));
        AddDetailLine(Line(kForString, period.reason));
        AddDetailLine(Line(kOperatorString, operatorName(period.userId)));
        break;
    }
    default: break;
    }
}

void CLodgixView::FillStayGuests(const CheckInRecord& stay)
{
    if (!m_state.database)
        return;
    for (std::size_t n = 0; n < stay.guestIds.size(); ++n) {
        GuestRecord guest;
        if (stay.guestIds[n] != 0 && m_state.database->LoadGuest(stay.guestIds[n], guest))
            AddDetailLine(LoadResString(kGuestString) + QStringLiteral(" %1: ").arg(n + 1) + guest.name);
    }
}

void CLodgixView::FillClosedStays()
{
    const OleDate selected = SelectedDate();
    std::vector<CheckInRecord> stays;
    LoadCheckIns(selected, selected, stays, m_selectedRoom);
    AddDetailLine(Line(kStatusString, LoadResString(kUsedString)) + u' ' + QString::number(stays.size()) + u' ' +
                  LoadResString(stays.size() == 1 ? kTimeString : kTimesString));
    CHotelDatabase* database = m_state.database.get();
    for (const CheckInRecord& stay : stays) {
        AddDetailLine(QString());
        AddDetailLine(Line(kFromString, DateText(stay.startDate)));
        AddDetailLine(Line(kToString, DateText(stay.endDate)));
        AddDetailLine(Line(kArrivalString, DateTimeText(stay.checkInDate)));
        AddDetailLine(Line(kDepartureString, DateTimeText(stay.checkOutDate)));
        FillStayGuests(stay);
        FillStayDocuments(stay);
        AddDetailLine(Line(kCheckInOperatorString, database ? database->GetOperatorName(stay.userId) : QString()));
        AddDetailLine(Line(kCheckOutOperatorString, database ? database->GetOperatorName(stay.checkOutUserId) : QString()));
    }
}

void CLodgixView::FillStayDocuments(const CheckInRecord& stay)
{
    CHotelDatabase* database = m_state.database.get();
    for (std::size_t n = 0; n < stay.documents.size(); ++n) {
        const StayDocument& document = stay.documents[n];
        if (document.file.isEmpty())
            continue;
        const bool receipt = document.file.contains(kReceiptMark);
        const QString prefix = n == 0 ? kSeparator : QStringLiteral("%1: ").arg(n + 1);
        AddDetailLine(LoadResString(kDocumentTypeString) + prefix + LoadResString(receipt ? kReceiptString : kInvoiceString));
        int number = 0;
        int year = 0;
        DocumentNumber(document.file, number, year);
        AddDetailLine(Line(kNumberString, QStringLiteral("%1 / %2").arg(number).arg(year)));
        if (document.billId != 0 && database) {
            GuestRecord guest;
            CompanyRecord company;
            if (receipt && database->LoadGuest(document.billId, guest))
                AddDetailLine(Line(kGuestString, guest.name));
            else if (!receipt && database->LoadCompany(document.billId, company))
                AddDetailLine(Line(kCompanyString, company.companyName));
        }
        AddDetailLine(Line(kAmountString, document.total.Text()));
        AddDetailLine(Line(kPaymentString, document.paymentType));
    }
}
