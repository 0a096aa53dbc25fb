// The front desk's alert lists: which list a stay or booking lands in at a given moment, the entries'
// texts, and the lines of the list box.
#include "alertlists.h"

#include "language.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

const QDate kToday(2026, 3, 10);

QDateTime At(int hour, int minute, QDate day = kToday) { return QDateTime(day, QTime(hour, minute)); }

OleDate Night(QDate day) { return OleDate(day.year(), day.month(), day.day()); }

class AlertListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLanguage(kLanguageItalian);
        RoomRecord room;
        room.id = 7;
        room.label = QStringLiteral("101");
        m_sources.rooms = {room};
        m_sources.guestNames = {{11, QStringLiteral("Mario Rossi")}};
    }

    CheckInRecord& AddStay(QDate lastNight, int id = 1)
    {
        CheckInRecord stay;
        stay.checkInId = id;
        stay.roomId = 7;
        stay.guestIds = {11, 0, 0, 0};
        stay.startDate = Night(lastNight.addDays(-3));
        stay.endDate = Night(lastNight);
        m_sources.openStays.push_back(stay);
        return m_sources.openStays.back();
    }

    BookingRecord& AddBooking(QDate first, QDate last)
    {
        BookingRecord booking;
        booking.roomId = 7;
        booking.startDate = Night(first);
        booking.endDate = Night(last);
        booking.clientName = QStringLiteral("Anna Bianchi");
        booking.clientPhone = QStringLiteral("0612345");
        m_sources.bookings.push_back(booking);
        return m_sources.bookings.back();
    }

    // The one list that has entries, and its entries.
    std::pair<int, QStringList> OnlyList(const QDateTime& now)
    {
        const AlertLists lists = BuildAlertLists(m_sources, now, kDefaultDayChangeHour);
        std::pair<int, QStringList> found{-1, {}};
        for (int kind = 0; kind < AlertLists::kKinds; ++kind) {
            if (lists.entries[static_cast<std::size_t>(kind)].isEmpty())
                continue;
            EXPECT_EQ(found.first, -1) << "more than one list";
            found = {kind, lists.entries[static_cast<std::size_t>(kind)]};
        }
        return found;
    }

    AlertSources m_sources;
};

TEST_F(AlertListsTest, StaysByTheirLastNightAndTheDayChangeHour)
{
    const QString occupied = QStringLiteral("Camera 101, Mario Rossi");
    const QString departing = QStringLiteral("Camera 101: Il cliente Mario Rossi dovrà liberare la camera.");
    const QString emergency = QStringLiteral("Camera 101: Il cliente Mario Rossi non ha liberato la camera\n"
                                             "Modificare il check in o effettuare il check out.");
    struct StayCase {
        const char* what;
        int lastNightFromToday;
        QDateTime now;
        int kind;
        QString entry;
    };
    const StayCase cases[] = {
        {"last night yesterday, 10:59", -1, At(10, 59), AlertLists::kDeparting, departing},
        {"last night yesterday, 11:00", -1, At(11, 0), AlertLists::kEmergencies, emergency},
        {"last night today, early", 0, At(0, 5), AlertLists::kOccupied, occupied},
        {"last night today, late", 0, At(23, 0), AlertLists::kOccupied, occupied},
        {"last night tomorrow", 1, At(12, 0), AlertLists::kOccupied, occupied},
        {"last night two days ago, early", -2, At(8, 0), AlertLists::kEmergencies, emergency},
    };
    for (const StayCase& c : cases) {
        m_sources.openStays.clear();
        AddStay(kToday.addDays(c.lastNightFromToday));
        const auto [kind, entries] = OnlyList(c.now);
        EXPECT_EQ(kind, c.kind) << c.what;
        EXPECT_EQ(entries, QStringList{c.entry}) << c.what;
    }
}

TEST_F(AlertListsTest, BookingsByTheirDatesAgainstToday)
{
    AddBooking(kToday, kToday.addDays(2)).clientAnnotation = QStringLiteral("Culla in camera");
    const QString arriving = QStringLiteral("Camera 101: Il cliente Anna Bianchi (0612345) è atteso alla camera.\n"
                                            "Annotazioni: Culla in camera.");
    const QString opening = QStringLiteral("La prenotazione di Anna Bianchi per la camera 101 dal 10/03/26 al 12/03/26 ");
    struct BookingCase {
        const char* what;
        QDate today;
        int kind;
        QString entry;
    };
    const BookingCase cases[] = {
        {"booked for today", kToday, AlertLists::kArriving, arriving},
        {"the next day", kToday.addDays(1), AlertLists::kEmergencies,
         opening + QStringLiteral("non è stata confermata.\nModificare la prenotazione o eliminarla.")},
        {"its last night", kToday.addDays(2), AlertLists::kEmergencies,
         opening + QStringLiteral("non è stata confermata.\nModificare la prenotazione o eliminarla.")},
        {"after its end", kToday.addDays(3), AlertLists::kEmergencies,
         opening + QStringLiteral("è scaduta.\nEliminare la prenotazione.")},
        {"before its start", kToday.addDays(-1), -1, QString()},
    };
    for (const BookingCase& c : cases) {
        const auto [kind, entries] = OnlyList(At(9, 0, c.today));
        EXPECT_EQ(kind, c.kind) << c.what;
        EXPECT_EQ(entries, c.entry.isEmpty() ? QStringList() : QStringList{c.entry}) << c.what;
    }
}

TEST_F(AlertListsTest, MessagesAreCountedPerStay)
{
    AddStay(kToday.addDays(1), 1);
    CheckInRecord& other = AddStay(kToday.addDays(1), 2);
    other.roomId = 8;
    RoomRecord room;
    room.id = 8;
    room.label = QStringLiteral("102");
    m_sources.rooms.push_back(room);
    for (int stay : {1, 2, 2, 2, 99}) {
        MessageRecord message;
        message.checkInId = stay;
        m_sources.messages.push_back(message);
    }
    const AlertLists lists = BuildAlertLists(m_sources, At(12, 0), kDefaultDayChangeHour);
    EXPECT_EQ(lists.entries[AlertLists::kMessages],
              (QStringList{QStringLiteral("Camera 101, 1 messaggio."), QStringLiteral("Camera 102, 3 messaggi.")}));
}

TEST_F(AlertListsTest, LongTextsStayWholeAndUnknownRoomsArePassedOver)
{
    const QString annotation(255, u'a');
    const QString name(63, u'n');
    const QString phone(63, u'p');
    BookingRecord& booking = AddBooking(kToday, kToday);
    booking.clientName = name;
    booking.clientPhone = phone;
    booking.clientAnnotation = annotation;
    AddStay(kToday).roomId = 99;
    AddBooking(kToday, kToday).roomId = 99;
    const auto [kind, entries] = OnlyList(At(12, 0));
    EXPECT_EQ(kind, AlertLists::kArriving);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0], QStringLiteral("Camera 101: Il cliente ") + name + QStringLiteral(" (") + phone +
                              QStringLiteral(") è atteso alla camera.\nAnnotazioni: ") + annotation + u'.');
}

TEST_F(AlertListsTest, EnglishTextsAndDates)
{
    SetLanguage(kLanguageEnglish);
    AddBooking(kToday.addDays(-2), kToday.addDays(-1));
    const auto [kind, entries] = OnlyList(At(9, 0));
    SetLanguage(kLanguageItalian);
    EXPECT_EQ(kind, AlertLists::kEmergencies);
    EXPECT_EQ(entries, QStringList{QStringLiteral("The booking of Anna Bianchi for room 101 from 08/03/2026 to "
                                                  "09/03/2026 has expired.\nDelete the booking.")});
}

TEST(AlertListLines, HeadingsEntriesAndGaps)
{
    SetLanguage(kLanguageItalian);
    AlertLists lists;
    lists.entries[AlertLists::kEmergencies] = {QStringLiteral("uno\ndue\ntre")};
    lists.entries[AlertLists::kArriving] = {QStringLiteral("a"), QStringLiteral("b")};
    const std::vector<AlertLine> expected = {
        {QStringLiteral("Emergenze:"), 0x0000FF},
        {QStringLiteral("  - uno"), 0x0000FF},
        {QStringLiteral("    due"), 0x0000FF},
        {QStringLiteral("    tre"), 0x0000FF},
        {QString(), kAlertWhite},
        {QStringLiteral("Clienti in arrivo"), 0xFF0000},
        {QStringLiteral("  - a"), 0xFF0000},
        {QStringLiteral("  - b"), 0xFF0000},
        {QString(), kAlertWhite},
    };
    EXPECT_EQ(AlertListLines(lists), expected);
    lists.entries[AlertLists::kMessages] = {QStringLiteral("m")};
    lists.entries[AlertLists::kDeparting] = {QStringLiteral("d")};
    lists.entries[AlertLists::kOccupied] = {QStringLiteral("o")};
    const std::vector<AlertLine> all = AlertListLines(lists);
    ASSERT_EQ(all.size(), expected.size() + 9);
    EXPECT_EQ(all[5], (AlertLine{QStringLiteral("Messaggi da lasciare:"), 0x008080}));
    EXPECT_EQ(all[8], (AlertLine{QStringLiteral("Clienti in partenza"), 0x00FF00}));
    EXPECT_EQ(all[all.size() - 3], (AlertLine{QStringLiteral("Camere occupate"), 0x000000}));
    EXPECT_TRUE(AlertListLines(AlertLists{}).empty());
}

}  // namespace
}  // namespace lodgix
