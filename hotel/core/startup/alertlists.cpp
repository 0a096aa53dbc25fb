#include "alertlists.h"

#include "roomarray.h"
#include "stringtable.h"

#include <QLocale>

namespace lodgix {

namespace {

enum AlertString : unsigned {
    kRoomString = 2033,            // "Camera"
    kNotesString = 2095,           // "Annotazioni"
    kMessagesString = 2222,        // "messaggi"
    kMessageString = 2223,         // "messaggio"
    kGuestString = 2175,           // "Il cliente"
    kMustLeaveString = 2176,       // "dovrà liberare la camera"
    kHasNotLeftString = 2177,      // "non ha liberato la camera"
    kFixStayString = 2178,         // "Modificare il check in o effettuare il check out"
    kExpectedString = 2179,        // "è atteso alla camera"
    kBookingOfString = 2180,       // "La prenotazione di"
    kForRoomString = 2182,         // "per la camera"
    kFromString = 2183,            // "dal"
    kToString = 2184,              // "al"
    kUnconfirmedString = 2185,     // "non è stata confermata.\nModificare la prenotazione o eliminarla."
    kExpiredString = 2186,         // "è scaduta.\nEliminare la prenotazione."
};

struct ListLook {
    unsigned heading;
    bool colon;  // the first two headings carry a colon
    std::uint32_t colour;
};

// In the order of AlertLists::Kind.
constexpr ListLook kLooks[AlertLists::kKinds] = {
    {2188, true, 0x000000FF},   // "Emergenze": red
    {2224, true, 0x00008080},   // "Messaggi da lasciare": RGB(128, 128, 0)
    {2189, false, 0x0000FF00},  // "Clienti in partenza": green
    {2190, false, 0x00FF0000},  // "Clienti in arrivo": blue
    {2191, false, 0x00000000},  // "Camere occupate": black
};

QString S(unsigned id) { return LoadResString(id); }

QString RoomOpening(const QString& label) { return S(kRoomString) + u' ' + label; }

QString NotesLine(const QString& notes) { return u'\n' + S(kNotesString) + QStringLiteral(": ") + notes + u'.'; }

QString ShortDate(const OleDate& date) { return QLocale().toString(date.Date(), QLocale::ShortFormat); }

void AddStay(AlertLists& lists, const CheckInRecord& stay, const QString& label, const QString& guest,
             const QDate& today, int hour, int dayChangeHour)
{
    const QDate yesterday = today.addDays(-1);
    const QDate departureDay = hour >= dayChangeHour ? today : yesterday;
    const QDate lastNight = stay.endDate.Date();
    if (lastNight >= departureDay && lastNight != yesterday) {
        QString entry = RoomOpening(label) + QStringLiteral(", ") + guest;
        if (!stay.notes.isEmpty())
            entry += NotesLine(stay.notes);
        lists.entries[AlertLists::kOccupied] << entry;
    } else if (lastNight == yesterday && hour < dayChangeHour) {
        lists.entries[AlertLists::kDeparting]
            << RoomOpening(label) + QStringLiteral(": ") + S(kGuestString) + u' ' + guest + u' ' + S(kMustLeaveString) + u'.';
    } else if (lastNight < departureDay) {
        lists.entries[AlertLists::kEmergencies] << RoomOpening(label) + QStringLiteral(": ") + S(kGuestString) + u' ' +
                                                       guest + u' ' + S(kHasNotLeftString) + u'\n' +
                                                       S(kFixStayString) + u'.';
    }
}

void AddBooking(AlertLists& lists, const BookingRecord& booking, const QString& label, const QDate& today)
{
    const QDate start = booking.startDate.Date();
    const QDate end = booking.endDate.Date();
    if (start == today) {
        QString entry = RoomOpening(label) + QStringLiteral(": ") + S(kGuestString) + u' ' + booking.clientName +
                        QStringLiteral(" (") + booking.clientPhone + QStringLiteral(") ") + S(kExpectedString) + u'.';
        if (!booking.clientAnnotation.isEmpty())
            entry += NotesLine(booking.clientAnnotation);
        lists.entries[AlertLists::kArriving] << entry;
        return;
    }
    if (start > today)
        return;
    const QString opening = QStringList{S(kBookingOfString), booking.clientName, S(kForRoomString), label,
                                        S(kFromString), ShortDate(booking.startDate), S(kToString),
                                        ShortDate(booking.endDate)}
                                .join(u' ');
    lists.entries[AlertLists::kEmergencies] << opening + u' ' + S(end >= today ? kUnconfirmedString : kExpiredString);
}

}  // namespace

AlertLists BuildAlertLists(const AlertSources& sources, const QDateTime& now, int dayChangeHour)
{
    AlertLists lists;
    const QDate today = now.date();
    const int hour = now.time().hour();
    for (const CheckInRecord& stay : sources.openStays) {
        const int room = FindRoomRecord(stay.roomId, sources.rooms);
        if (room < 0)
            continue;
        const QString& label = sources.rooms[static_cast<std::size_t>(room)].label;
        const auto guest = sources.guestNames.find(stay.guestIds[0]);
        AddStay(lists, stay, label, guest == sources.guestNames.end() ? QString() : guest->second, today, hour,
                dayChangeHour);
        qsizetype messages = 0;
        for (const MessageRecord& message : sources.messages)
            messages += message.checkInId == stay.checkInId ? 1 : 0;
        if (messages > 0) {
            lists.entries[AlertLists::kMessages]
                << RoomOpening(label) + QStringLiteral(", ") + QString::number(messages) + u' ' +
                       S(messages == 1 ? kMessageString : kMessagesString) + u'.';
        }
    }
    for (const BookingRecord& booking : sources.bookings) {
        const int room = FindRoomRecord(booking.roomId, sources.rooms);
        if (room >= 0)
            AddBooking(lists, booking, sources.rooms[static_cast<std::size_t>(room)].label, today);
    }
    return lists;
}

std::vector<AlertLine> AlertListLines(const AlertLists& lists)
{
    std::vector<AlertLine> lines;
    for (int kind = 0; kind < AlertLists::kKinds; ++kind) {
        const QStringList& entries = lists.entries[static_cast<std::size_t>(kind)];
        if (entries.isEmpty())
            continue;
        const ListLook& look = kLooks[kind];
        lines.push_back({S(look.heading) + (look.colon ? QStringLiteral(":") : QString()), look.colour});
        for (const QString& entry : entries) {
            const QStringList parts = entry.split(u'\n');
            for (qsizetype i = 0; i < parts.size(); ++i)
                lines.push_back({(i == 0 ? QStringLiteral("  - ") : QStringLiteral("    ")) + parts[i], look.colour});
        }
        lines.push_back({QString(), kAlertWhite});
    }
    return lines;
}

}  // namespace lodgix
