// The front desk's booking, unavailability and check-in commands over a real hotel database on each
// backend: their period checks and questions, and what they store. The view's day resolution is played by
// a host that resolves the days over the stored rows.
#include "bookingdlg.h"
#include "checkindlg.h"
#include "deskcommands.h"
#include "groupconfirmdlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "lodgixstate.h"
#include "numericedit.h"
#include "roomserviceoptions.h"
#include "stringtable.h"
#include "unavailabilitydlg.h"
#include "widgettesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

namespace lodgix {
namespace {

const OleDate kNow(2027, 3, 10, 10, 0);
const OleDate kToday(2027, 3, 10);

template <typename T>
T* Child(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

// Clicks the button once the answerer's turn is over, so that the boxes its handler opens are answered too.
void Click(QWidget& dialog, int id)
{
    QTimer::singleShot(0, Child<QPushButton>(dialog, id), &QPushButton::click);
}


// The view's part: a selection and the day resolution over the stored rows (or the rows given).
class TestHost : public DeskCommandHost {
public:
    explicit TestHost(LodgixState& state) : m_state(state) {}

    int SelectedRoom() const override { return room; }
    OleDate SelectedDate() const override { return date; }
    void RefreshPlanning() override { ++refreshes; }
    QWidget* Window() override { return nullptr; }

    DeskDay RoomDay(int roomId, const OleDate& day, const RoomDayRecords* rows, Except except, int exceptId) const override
    {
        RoomDayRecords month;
        if (!rows) {
            const OleDate from(2027, 1, 1), to(2027, 12, 31);
            m_state.database->LoadBookings(m_state.hotelId, from, to, CHotelDatabase::kAllRooms, month.bookings);
            m_state.database->LoadUnavailability(m_state.hotelId, from, to, CHotelDatabase::kAllRooms, month.unavailability);
            m_state.database->LoadCheckIns(m_state.hotelId, from, to, CHotelDatabase::kAllRooms, month.stays);
            rows = &month;
        }
        return ResolveDeskDay(roomId, day, *rows, except, exceptId);
    }

    int room = 1;
    OleDate date = kToday;
    int refreshes = 0;

private:
    LodgixState& m_state;
};

class DeskCommandsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        m_state.hotelId = PrepareHotel();
        m_state.database = Connect();
        m_state.currentOperator = {QStringLiteral("admin"), true, 1};
        for (int id = 1; id <= 3; ++id) {
            RoomRecord room;
            room.id = id;
            room.label = QStringLiteral("10%1").arg(id);
            room.vat = VatRate::FromHundredths(1000);
            room.prices.Price(Season::kMedium, Treatment::kOvernight) = Money::FromCents(5000);
            m_state.rooms.push_back(room);
        }
        m_state.roomCount = 3;
        m_billing = std::make_unique<StayBilling>(*m_state.database, m_state.rooms, m_state.seasons, m_state.rating,
                                                  m_state.hotelSettings);
        m_billing->SetClock([] { return kNow; });
        m_desk = std::make_unique<DeskServices>(DeskServices{*m_state.database, m_state.hotelId, m_state.rooms, *m_billing,
                                                             [] { return kNow; }, {}, {}});
        m_host = std::make_unique<TestHost>(m_state);
        m_commands = std::make_unique<CDeskCommands>(m_state, *m_desk, *m_host);
        GuestRecord guest;
        guest.name = QStringLiteral("Mario Rossi");
        guest.dateOfBirth = QDate(1970, 1, 1);
        ASSERT_EQ(Db().InsertGuest(guest, m_guest), kNoError);
    }

    BookingRecord Book(int room, const OleDate& first, const OleDate& last, const QString& name, int group = 0)
    {
        BookingRecord booking;
        booking.roomId = room;
        booking.startDate = first;
        booking.endDate = last;
        booking.clientName = name;
        booking.groupId = group;
        booking.treatment = TreatmentText(0);
        EXPECT_EQ(Db().InsertBookingWithGroup(m_state.hotelId, booking), kNoError);
        return booking;
    }

    std::vector<BookingRecord> Bookings(int room)
    {
        std::vector<BookingRecord> bookings;
        EXPECT_EQ(Db().LoadBookings(m_state.hotelId, room, bookings), kNoError);
        return bookings;
    }

    std::vector<CheckInRecord> OpenStays(int room)
    {
        std::vector<CheckInRecord> stays;
        EXPECT_EQ(Db().LoadCheckIns(m_state.hotelId, room, stays), kNoError);
        return stays;
    }

    // Runs the command, filling its dialogs with `fill` and answering its message boxes in turn; the
    // texts of the boxes shown.
    QStringList Run(const std::function<void()>& command, const std::function<void(QDialog*)>& fill,
                    std::deque<QMessageBox::StandardButton> answers = {})
    {
        QStringList texts;
        QTimer answerer;
        answerer.setInterval(10);
        // Each modal window once; a form's own button is clicked later (Click), so it stays open here.
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool())
                return;
            dialog->setProperty("answered", true);
            if (auto box = qobject_cast<QMessageBox*>(dialog)) {
                texts << box->text();
                if (!answers.empty()) {
                    PressButton(box, answers.front());
                    answers.pop_front();
                }
                if (box->isVisible())
                    box->reject();
                return;
            }
            fill(dialog);
        });
        answerer.start();
        command();
        return texts;
    }

    // The booking dialog: a name and contact, the nights, then OK.
    static std::function<void(QDialog*)> BookingOf(int nights, const OleDate& start = kToday)
    {
        return [=](QDialog* dialog) {
            Child<QLineEdit>(*dialog, CBookingDlg::kName)->setText(QStringLiteral("Verdi"));
            Child<QLineEdit>(*dialog, CBookingDlg::kContact)->setText(QStringLiteral("06 1234"));
            Child<QDateEdit>(*dialog, CBookingDlg::kStart)->setDate(start.Date());
            auto edit = Child<CNumericEdit>(*dialog, CBookingDlg::kNights);
            edit->setText(QString::number(nights));
            QTest::keyClick(edit, Qt::Key_Return);
            Click(*dialog, CBookingDlg::kOk);
        };
    }

    // The check-in dialog: the nights, then OK (its confirmation answered by the caller).
    static std::function<void(QDialog*)> CheckInOf(int nights)
    {
        return [=](QDialog* dialog) {
            if (!qobject_cast<CCheckInDlg*>(dialog)) {
                Click(*dialog, CGroupConfirmDlg::kOk);
                return;
            }
            auto edit = Child<CNumericEdit>(*dialog, CCheckInDlg::kNights);
            edit->setText(QString::number(nights));
            QTest::keyClick(edit, Qt::Key_Return);
            Click(*dialog, CCheckInDlg::kOk);
        };
    }

    CHotelDatabase& Db() { return *m_state.database; }

    LodgixState m_state;
    std::unique_ptr<StayBilling> m_billing;
    std::unique_ptr<DeskServices> m_desk;
    std::unique_ptr<TestHost> m_host;
    std::unique_ptr<CDeskCommands> m_commands;
    int m_guest = 0;
};

TEST_P(DeskCommandsTest, BookingsAreStoredOnlyOnFreeDays)
{
    const BookingRecord other = Book(1, OleDate(2027, 3, 12), OleDate(2027, 3, 13), QStringLiteral("Bianchi"));
    const QString taken = LoadResString(2097);
    ASSERT_TRUE(m_commands->CanNewBooking());
    // Three nights whose last one is booked: refused, even though the first days are free.
    EXPECT_EQ(Run([&] { m_commands->NewBooking(); }, BookingOf(3)), QStringList{taken});
    EXPECT_EQ(Bookings(1).size(), 1u);
    EXPECT_EQ(Run([&] { m_commands->NewBooking(); }, BookingOf(2)), QStringList());
    ASSERT_EQ(Bookings(1).size(), 2u);
    EXPECT_EQ(m_host->refreshes, 1);

    // Onto its own days: stored; onto the other's: refused.
    EXPECT_TRUE(m_commands->CanEditBooking());
    EXPECT_EQ(Run([&] { m_commands->EditBooking(); }, BookingOf(2, OleDate(2027, 3, 10))), QStringList());
    EXPECT_EQ(Run([&] { m_commands->EditBooking(); }, BookingOf(3)), QStringList{taken});
    const auto stored = Bookings(1);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_TRUE(std::any_of(stored.begin(), stored.end(), [&](const BookingRecord& b) {
        return b.clientName == QStringLiteral("Verdi") && b.endDate == OleDate(2027, 3, 11);
    }));
    EXPECT_TRUE(std::any_of(stored.begin(), stored.end(), [&](const BookingRecord& b) { return b == other; }));

    m_host->date = kToday.AddDays(-1);
    EXPECT_FALSE(m_commands->CanNewBooking()) << "a day in the past";
}

TEST_P(DeskCommandsTest, AnUnavailablePeriodOverTwoBookingsAsksForEach)
{
    Book(1, OleDate(2027, 3, 11), OleDate(2027, 3, 11), QStringLiteral("Bianchi"));
    Book(1, OleDate(2027, 3, 13), OleDate(2027, 3, 14), QStringLiteral("Neri"));
    const auto period = [](QDialog* dialog) {
        Child<QLineEdit>(*dialog, CUnavailabilityDlg::kReason)->setText(QStringLiteral("Lavori"));
        Child<QDateEdit>(*dialog, CUnavailabilityDlg::kEnd)->setDate(QDate(2027, 3, 15));
        Click(*dialog, CUnavailabilityDlg::kOk);
    };
    const QString question = LoadResString(2101) + QStringLiteral(" '%1'\n") + LoadResString(2102);
    // No to the second: nothing stored, the first booking already gone.
    EXPECT_EQ(Run([&] { m_commands->NewUnavailability(); }, period, {QMessageBox::Yes, QMessageBox::No}),
              (QStringList{question.arg("Bianchi"), question.arg("Neri"), LoadResString(2103)}));
    EXPECT_EQ(Bookings(1).size(), 1u);
    Book(1, OleDate(2027, 3, 11), OleDate(2027, 3, 11), QStringLiteral("Bianchi"));
    EXPECT_EQ(Run([&] { m_commands->NewUnavailability(); }, period, {QMessageBox::Yes, QMessageBox::Yes}),
              (QStringList{question.arg("Bianchi"), question.arg("Neri")}));
    EXPECT_TRUE(Bookings(1).empty());
    std::vector<AvailabilityRecord> periods;
    ASSERT_EQ(Db().LoadUnavailability(m_state.hotelId, kToday, OleDate(2027, 3, 31), 1, periods), kNoError);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].endDate, OleDate(2027, 3, 15));
}

TEST_P(DeskCommandsTest, DeletingAGroupBookingAsksForTheGroup)
{
    GroupRecord group;
    group.name = QStringLiteral("Convegno");
    group.hotelId = m_state.hotelId;
    group.creationDate = kNow;
    ASSERT_EQ(Db().InsertGroup(1, group), kNoError);
    for (int room = 1; room <= 3; ++room)
        Book(room, kToday, OleDate(2027, 3, 12), QStringLiteral("Convegno"), group.id);
    const auto none = [](QDialog*) {};
    // Cancel: nothing deleted, the planner rebuilt all the same.
    Run([&] { m_commands->DeleteBooking(); }, none, {QMessageBox::Yes, QMessageBox::Cancel});
    EXPECT_EQ(Bookings(2).size(), 1u);
    EXPECT_EQ(m_host->refreshes, 1);
    // No: this room's booking only.
    m_host->room = 3;
    Run([&] { m_commands->DeleteBooking(); }, none, {QMessageBox::Yes, QMessageBox::No});
    EXPECT_TRUE(Bookings(3).empty());
    EXPECT_EQ(Bookings(1).size(), 1u);
    // Yes: every room of the group booked that day.
    m_host->room = 1;
    const QStringList asked = Run([&] { m_commands->DeleteBooking(); }, none, {QMessageBox::Yes, QMessageBox::Yes});
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1], LoadResString(2283) + QStringLiteral(" 'Convegno'\n") + LoadResString(2284) + u'?');
    EXPECT_TRUE(Bookings(1).empty());
    EXPECT_TRUE(Bookings(2).empty());
}

TEST_P(DeskCommandsTest, CheckInAsksForEachForeignBookingAndKeepsItsOwnWhenRefused)
{
    m_host->date = kToday.AddDays(-2);
    EXPECT_FALSE(m_commands->CanCheckInNew()) << "two days back";
    m_host->date = kToday;
    ASSERT_TRUE(m_commands->CanCheckInNew());
    Book(1, OleDate(2027, 3, 11), OleDate(2027, 3, 11), QStringLiteral("Bianchi"));
    Book(1, OleDate(2027, 3, 12), OleDate(2027, 3, 12), QStringLiteral("Neri"));
    const QString question = LoadResString(2101) + QStringLiteral(" '%1'\n") + LoadResString(2102);
    EXPECT_EQ(Run([&] { m_commands->CheckInNew(); }, CheckInOf(3),
                  {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes}),
              (QStringList{LoadResString(2039), question.arg("Bianchi"), question.arg("Neri")}));
    ASSERT_EQ(OpenStays(1).size(), 1u);
    EXPECT_EQ(OpenStays(1)[0].endDate, OleDate(2027, 3, 12));
    EXPECT_TRUE(Bookings(1).empty());

    // A booking of room 2 whose stay would run into another booking: refused, and the booking stays.
    const BookingRecord own = Book(2, kToday, kToday, QStringLiteral("Verdi"));
    Book(2, OleDate(2027, 3, 11), OleDate(2027, 3, 11), QStringLiteral("Gialli"));
    m_host->room = 2;
    EXPECT_EQ(Run([&] { m_commands->CheckInNew(); }, CheckInOf(2), {QMessageBox::Yes, QMessageBox::No}),
              (QStringList{LoadResString(2039), question.arg("Gialli"), LoadResString(2192)}));
    EXPECT_TRUE(OpenStays(2).empty());
    EXPECT_EQ(Bookings(2).size(), 2u);
    // Within its own nights: stored, the booking hidden.
    EXPECT_EQ(Run([&] { m_commands->CheckInNew(); }, CheckInOf(1), {QMessageBox::Yes}), QStringList{LoadResString(2039)});
    ASSERT_EQ(OpenStays(2).size(), 1u);
    EXPECT_EQ(OpenStays(2)[0].bookingId, own.bookingId);
    EXPECT_EQ(Bookings(2).size(), 1u);
}

TEST_P(DeskCommandsTest, AStayMayEndOnACheckedOutDayAndAGroupOfOneRoomGetsItsOwnGroup)
{
    CheckInRecord closed;
    closed.roomId = 1;
    closed.startDate = OleDate(2027, 3, 8);
    closed.endDate = OleDate(2027, 3, 11);
    closed.checkInDate = OleDate(2027, 3, 8, 12, 0);
    ASSERT_EQ(Db().InsertCheckIn(m_state.hotelId, closed), kNoError);
    closed.checkOutDate = OleDate(2027, 3, 10, 9, 0);
    ASSERT_EQ(Db().CloseCheckIn(m_state.hotelId, closed), kNoError);
    EXPECT_EQ(Run([&] { m_commands->CheckInNew(); }, CheckInOf(2), {QMessageBox::Yes}), QStringList{LoadResString(2039)});
    EXPECT_EQ(OpenStays(1).size(), 1u);

    GroupRecord group;
    group.name = QStringLiteral("Solo");
    group.hotelId = m_state.hotelId;
    group.creationDate = kNow;
    ASSERT_EQ(Db().InsertGroup(1, group), kNoError);
    const BookingRecord booking = Book(2, kToday, OleDate(2027, 3, 11), QStringLiteral("Solo"), group.id);
    m_host->room = 2;
    // Yes to the group check-in, the confirmation's OK, the dialog's confirmation.
    Run([&] { m_commands->CheckInNew(); }, CheckInOf(2), {QMessageBox::Yes, QMessageBox::Yes});
    const auto stays = OpenStays(2);
    ASSERT_EQ(stays.size(), 1u);
    EXPECT_NE(stays[0].groupId, 0);
    EXPECT_NE(stays[0].groupId, group.id);
    GroupRecord made;
    ASSERT_EQ(Db().LoadGroup(stays[0].groupId, made), kNoError);
    EXPECT_EQ(std::vector<int>(made.rooms.begin(), made.rooms.begin() + made.roomCount), std::vector<int>{2});
    EXPECT_EQ(stays[0].bookingId, booking.bookingId);
    EXPECT_TRUE(Bookings(2).empty());
}

TEST_P(DeskCommandsTest, AStayCheckedOutElsewhereIsNotRewritten)
{
    ASSERT_EQ(Run([&] { m_commands->CheckInNew(); }, CheckInOf(2), {QMessageBox::Yes}), QStringList{LoadResString(2039)});
    ASSERT_TRUE(m_commands->CanEditCheckIn());
    CheckInRecord stay = OpenStays(1).at(0);
    // Another workstation checks the stay out while this one edits it.
    const auto checkOutElsewhere = [&](QDialog* dialog) {
        auto other = Connect();
        stay.checkOutDate = kNow;
        EXPECT_EQ(other->CloseCheckIn(m_state.hotelId, stay), kNoError);
        CheckInOf(3)(dialog);
    };
    EXPECT_EQ(Run([&] { m_commands->CheckInEdit(); }, checkOutElsewhere, {QMessageBox::Yes}),
              (QStringList{LoadResString(2039), LoadResString(2146)}));
    EXPECT_TRUE(OpenStays(1).empty());
    std::vector<CheckInRecord> all;
    ASSERT_EQ(Db().LoadCheckIns(m_state.hotelId, kToday, OleDate(2027, 3, 31), 1, all), kNoError);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].endDate, OleDate(2027, 3, 11)) << "the closed stay keeps its nights";
}

TEST_P(DeskCommandsTest, ASixthCardHasNoSlot)
{
    m_state.hotelSettings.keyCardEnabled = 1;
    m_state.hotelSettings.keyCardCheckIn = 1;
    CheckInRecord stay;
    stay.roomId = 1;
    stay.startDate = stay.endDate = kToday;
    for (QString& card : stay.cards)
        card = QStringLiteral("0001");
    ASSERT_EQ(Db().InsertCheckIn(m_state.hotelId, stay), kNoError);
    ASSERT_TRUE(m_commands->CanCreateCard());
    EXPECT_EQ(Run([&] { m_commands->CreateCard(); }, [](QDialog*) {}), QStringList{LoadResString(1249)});
    m_state.hotelSettings.keyCardCheckIn = 0;
    EXPECT_FALSE(m_commands->CanCreateCard());
}

INSTANTIATE_DB_TEST(DeskCommandsTest);

}  // namespace
}  // namespace lodgix
