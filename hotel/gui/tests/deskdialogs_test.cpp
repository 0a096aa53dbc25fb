// The front desk's booking, unavailability, check-in, group confirmation, access-card and wake-up dialogs
// over a real hotel database on each backend, with a clock of the test's own: their checks, prices and
// results, and each one shown at its size in both languages.
#include "accesscarddlg.h"
#include "bookingdlg.h"
#include "checkindlg.h"
#include "clippedtextcheck.h"
#include "deskform.h"
#include "groupconfirmdlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "numericedit.h"
#include "roomserviceoptions.h"
#include "stringtable.h"
#include "unavailabilitydlg.h"
#include "wakeupdlg.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

constexpr int kRoomId = 1;
const OleDate kNow(2027, 3, 10, 10, 0);
const OleDate kToday(2027, 3, 10);

template <typename T>
T* Child(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

void Press(QWidget& dialog, int id)
{
    Child<QPushButton>(dialog, id)->click();
}

// Types into a numeric edit and commits it as Enter does.
void TypeNumber(QWidget& dialog, int id, const QString& text)
{
    auto edit = Child<CNumericEdit>(dialog, id);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

double Number(QWidget& dialog, int id)
{
    return Child<CNumericEdit>(dialog, id)->GetValue();
}

// The texts of the message boxes that pressing the button shows; each box is answered with `answer`.
QStringList PressAndRead(QWidget& dialog, int id, QMessageBox::StandardButton answer = QMessageBox::NoButton)
{
    QStringList texts;
    ModalAnswerer answerer([&](QDialog* box) {
        if (auto message = qobject_cast<QMessageBox*>(box))
            texts << message->text();
        if (answer != QMessageBox::NoButton)
            PressButton(box, answer);
    });
    Press(dialog, id);
    return texts;
}

void CheckShown(QDialog& dialog, const QString& name, int language)
{
    dialog.show();
    EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString() << " " << language;
    SaveScreenshot(dialog, QStringLiteral("lodgix_%1_%2").arg(name, language == 2 ? "en" : "it"));
    dialog.hide();
}

class DeskDialogTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        m_hotel = PrepareHotel();
        ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Culla"), Money::FromCents(1000), VatRate::FromHundredths(1000), m_cot), kNoError);
        ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Minibar"), Money::FromCents(500), VatRate::FromHundredths(1000), m_minibar), kNoError);
        int elsewhere = 0;  // a service this room does not offer
        ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Jacuzzi"), Money::FromCents(3000), VatRate::FromHundredths(1000), elsewhere), kNoError);
        for (int id = 1; id <= 4; ++id) {
            RoomRecord room;
            room.id = id;
            room.label = QStringLiteral("10%1").arg(id);
            room.vat = VatRate::FromHundredths(1000);
            room.services = {m_cot, m_minibar};
            // Medium season: 50 overnight, 60 half board, 70 bed & breakfast, 80 full board; high season 100 more.
            for (int treatment = 0; treatment < PriceTable::kTreatments; ++treatment) {
                room.prices.Price(Season::kMedium, static_cast<Treatment>(treatment)) = Money::FromCents(5000 + 1000 * treatment);
                room.prices.Price(Season::kHigh, static_cast<Treatment>(treatment)) = Money::FromCents(15000 + 1000 * treatment);
            }
            m_rooms.push_back(room);
        }
        m_seasons.high[0] = {SeasonTable::Day(7, 1), SeasonTable::Day(8, 31)};
        m_billing = std::make_unique<StayBilling>(Db(), m_rooms, m_seasons, m_rating, m_settings);
        m_billing->SetClock([] { return kNow; });
    }

    DeskServices& Desk()
    {
        if (!m_desk)
            m_desk = std::make_unique<DeskServices>(DeskServices{Db(), m_hotel, m_rooms, *m_billing, [] { return kNow; },
                                                                 m_editGuest, m_editServices});
        return *m_desk;
    }

    int Guest(const QString& name, const QString& convention = {})
    {
        GuestRecord guest;
        guest.name = name;
        guest.conventionName = convention;
        guest.dateOfBirth = QDate(1970, 1, 1);
        int id = 0;
        EXPECT_EQ(Db().InsertGuest(guest, id), kNoError);
        return id;
    }

    BookingRecord StoredBooking(const OleDate& first, const OleDate& last, const QString& treatment)
    {
        BookingRecord booking;
        booking.roomId = kRoomId;
        booking.startDate = first;
        booking.endDate = last;
        booking.clientName = QStringLiteral("Rossi");
        booking.clientPhone = QStringLiteral("333");
        booking.treatment = treatment;
        booking.services[0] = m_minibar;
        booking.serviceCount = 1;
        EXPECT_EQ(Db().InsertBooking(m_hotel, booking), kNoError);
        return booking;
    }

    int m_hotel = 0;
    int m_cot = 0;
    int m_minibar = 0;
    std::vector<RoomRecord> m_rooms;
    SeasonTable m_seasons;
    RatingConfiguration m_rating;
    HotelSettings m_settings;
    std::unique_ptr<StayBilling> m_billing;
    std::function<bool(GuestRecord&, QWidget*)> m_editGuest;
    std::function<bool(std::vector<ServiceRecord>&, QWidget*)> m_editServices;
    std::unique_ptr<DeskServices> m_desk;
};

TEST_P(DeskDialogTest, BookingOfAStoredBookingFollowsTheSeasonOfItsStart)
{
    GroupRecord group;
    group.name = QStringLiteral("Convegno");
    group.hotelId = m_hotel;
    group.creationDate = OleDate(2027, 3, 1, 9, 0);
    ASSERT_EQ(Db().InsertGroup(1, group), kNoError);
    GroupRecord checkInGroup = group;
    checkInGroup.name = QStringLiteral("Arrivati");
    ASSERT_EQ(Db().InsertGroup(0, checkInGroup), kNoError);

    BookingRecord booking = StoredBooking(OleDate(2027, 3, 12), OleDate(2027, 3, 14), TreatmentText(2));
    booking.groupId = group.id;
    CBookingDlg dialog(&booking, Desk());
    EXPECT_EQ(Number(dialog, CBookingDlg::kNights), 3);
    EXPECT_EQ(Child<QComboBox>(dialog, CBookingDlg::kTreatment)->currentIndex(), 2);
    EXPECT_EQ(Child<QLineEdit>(dialog, CBookingDlg::kTreatmentText)->text(), QStringLiteral("Mezza pensione"));
    // Half board of the middle season and the booked minibar.
    EXPECT_DOUBLE_EQ(Number(dialog, CBookingDlg::kPrice), 60.0 + 5.0);
    EXPECT_FALSE(Child<CNumericEdit>(dialog, CBookingDlg::kPrice)->isEnabled());
    // Booking groups only, the record's selected.
    auto groups = Child<QComboBox>(dialog, CBookingDlg::kGroup);
    ASSERT_EQ(groups->count(), 2);
    EXPECT_EQ(groups->itemText(1), QStringLiteral("Convegno (01/03/2027)"));
    EXPECT_EQ(groups->currentIndex(), 1);
    ASSERT_EQ(dialog.Services().size(), 2u);
    EXPECT_TRUE(std::any_of(dialog.Services().begin(), dialog.Services().end(),
                            [&](const ServiceRecord& s) { return s.id == m_minibar && s.selected; }));

    Child<QDateEdit>(dialog, CBookingDlg::kStart)->setDate(QDate(2027, 7, 20));
    EXPECT_DOUBLE_EQ(Number(dialog, CBookingDlg::kPrice), 160.0 + 5.0);
    EXPECT_EQ(Number(dialog, CBookingDlg::kNights), 3);
    EXPECT_TRUE(PressAndRead(dialog, CBookingDlg::kOk).isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.StartDate(), OleDate(2027, 7, 20));
    EXPECT_EQ(dialog.EndDate(), OleDate(2027, 7, 22));
    EXPECT_EQ(dialog.GroupId(), group.id);

    // A stored treatment of its own opens as "Altro", its text shown and editable.
    BookingRecord own = StoredBooking(OleDate(2027, 3, 12), OleDate(2027, 3, 12), QStringLiteral("Solo colazione"));
    CBookingDlg other(&own, Desk());
    EXPECT_EQ(Child<QComboBox>(other, CBookingDlg::kTreatment)->currentIndex(), kOtherTreatment);
    EXPECT_EQ(Child<QLineEdit>(other, CBookingDlg::kTreatmentText)->text(), QStringLiteral("Solo colazione"));
    EXPECT_TRUE(Child<QLineEdit>(other, CBookingDlg::kTreatmentText)->isEnabled());
    EXPECT_EQ(Number(other, CBookingDlg::kPrice), 0.0);
}

TEST_P(DeskDialogTest, BookingDatesStartTodayOrLater)
{
    BookingRecord booking;
    booking.roomId = kRoomId;
    booking.startDate = booking.endDate = kToday;
    CBookingDlg dialog(&booking, Desk());
    const QString badDates = LoadResString(2096);
    Child<QLineEdit>(dialog, CBookingDlg::kName)->setText(QStringLiteral("Verdi"));
    EXPECT_EQ(PressAndRead(dialog, CBookingDlg::kOk), QStringList{LoadResString(2037)}) << "no contact";
    Child<QLineEdit>(dialog, CBookingDlg::kContact)->setText(QStringLiteral("06 1234"));
    Child<QDateEdit>(dialog, CBookingDlg::kStart)->setDate(QDate(2027, 3, 9));
    EXPECT_EQ(PressAndRead(dialog, CBookingDlg::kOk), QStringList{badDates});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    TypeNumber(dialog, CBookingDlg::kNights, QStringLiteral("366"));
    EXPECT_EQ(Number(dialog, CBookingDlg::kNights), CBookingDlg::kMaxNights);
    TypeNumber(dialog, CBookingDlg::kNights, QStringLiteral("1"));
    Child<QDateEdit>(dialog, CBookingDlg::kStart)->setDate(QDate(2027, 3, 10));
    EXPECT_TRUE(PressAndRead(dialog, CBookingDlg::kOk).isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.EndDate(), kToday);
    EXPECT_EQ(dialog.Treatment(), TreatmentText(0));
    EXPECT_EQ(dialog.GroupId(), 0);
}

TEST_P(DeskDialogTest, UnavailabilityThatBegunKeepsItsStartAndMayEndYesterday)
{
    struct Case {
        const char* name;
        int storedId;
        OleDate start, end;
        bool startEnabled;
        bool accepted;
    };
    const Case cases[] = {
        {"begun a week ago, ending yesterday", 5, OleDate(2027, 3, 3), OleDate(2027, 3, 9), false, true},
        {"begun a week ago, ending 2 days ago", 5, OleDate(2027, 3, 3), OleDate(2027, 3, 8), false, false},
        {"new from yesterday", 0, OleDate(2027, 3, 9), OleDate(2027, 3, 12), true, false},
        {"new from today", 0, kToday, kToday, true, true},
        {"ending before it starts", 0, OleDate(2027, 3, 12), OleDate(2027, 3, 11), true, false},
    };
    for (const Case& c : cases) {
        AvailabilityRecord period;
        period.availabilityId = c.storedId;
        period.startDate = c.start;
        period.endDate = c.end;
        period.reason = QStringLiteral("Lavori");
        CUnavailabilityDlg dialog(&period, [] { return kNow; });
        EXPECT_EQ(Child<QDateEdit>(dialog, CUnavailabilityDlg::kStart)->isEnabled(), c.startEnabled) << c.name;
        const QStringList seen = PressAndRead(dialog, CUnavailabilityDlg::kOk);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.name;
        EXPECT_EQ(seen, c.accepted ? QStringList() : QStringList{LoadResString(2096)}) << c.name;
    }
    CUnavailabilityDlg empty(nullptr, [] { return kNow; });
    EXPECT_EQ(empty.StartDate(), kToday);
    EXPECT_EQ(PressAndRead(empty, CUnavailabilityDlg::kOk), QStringList{LoadResString(2037)});
}

TEST_P(DeskDialogTest, CheckInNightsCannotUndoDaysSpent)
{
    Guest(QStringLiteral("Mario Rossi"));
    struct Case {
        const char* name;
        OleDate start;
        int checkInId;
        double minimum;
    };
    for (const Case& c : {Case{"arrival today", kToday, 0, 1}, Case{"begun 3 days ago", OleDate(2027, 3, 7), 9, 3}}) {
        CheckInRecord stay;
        stay.roomId = kRoomId;
        stay.checkInId = c.checkInId;
        stay.startDate = c.start;
        stay.endDate = OleDate(2027, 3, 12);
        CCheckInDlg dialog(&stay, Desk());
        TypeNumber(dialog, CCheckInDlg::kNights, QStringLiteral("0"));
        EXPECT_EQ(Number(dialog, CCheckInDlg::kNights), c.minimum) << c.name;
        TypeNumber(dialog, CCheckInDlg::kNights, QStringLiteral("361"));
        EXPECT_EQ(Number(dialog, CCheckInDlg::kNights), CCheckInDlg::kMaxNights) << c.name;
    }
}

TEST_P(DeskDialogTest, CheckInPricesTreatmentsAndAgreements)
{
    ConventionRecord agreement;
    agreement.label = QStringLiteral("Aziende");
    agreement.vat = VatRate::FromHundredths(1000);
    agreement.prices.Price(Season::kMedium, Treatment::kOvernight) = Money::FromCents(4000);
    ASSERT_EQ(Db().InsertConvention(agreement), kNoError);
    const int plain = Guest(QStringLiteral("Anna Bianchi"));
    const int bound = Guest(QStringLiteral("Carlo Neri"), QStringLiteral("Aziende"));

    CheckInRecord stay;
    stay.roomId = kRoomId;
    stay.startDate = stay.endDate = kToday;
    CCheckInDlg dialog(&stay, Desk());
    auto main = Child<QComboBox>(dialog, CCheckInDlg::kMainGuest);
    ASSERT_EQ(main->count(), 2);
    // Guests 2-4 offer "no guest data" first.
    EXPECT_EQ(Child<QComboBox>(dialog, CCheckInDlg::kGuestCombos[0])->itemText(0), LoadResString(2207));
    EXPECT_FALSE(Child<QPushButton>(dialog, CCheckInDlg::kEditGuests[0])->isEnabled());
    EXPECT_EQ(Child<QComboBox>(dialog, CCheckInDlg::kBooking)->currentData().toInt(), 0);
    EXPECT_FALSE(Child<QLabel>(dialog, CCheckInDlg::kBookingWarning)->isVisibleTo(&dialog));
    EXPECT_TRUE(Child<QComboBox>(dialog, CCheckInDlg::kGroup)->isVisibleTo(&dialog));

    // "Altro": text emptied and editable, price and VAT 0, asked for at OK.
    auto treatment = Child<QComboBox>(dialog, CCheckInDlg::kTreatment);
    treatment->setCurrentIndex(kOtherTreatment);
    emit treatment->activated(kOtherTreatment);
    EXPECT_TRUE(Child<QLineEdit>(dialog, CCheckInDlg::kTreatmentText)->text().isEmpty());
    EXPECT_EQ(Number(dialog, CCheckInDlg::kPrice), 0.0);
    Child<QLineEdit>(dialog, CCheckInDlg::kTreatmentText)->setText(QStringLiteral("Forfait"));
    EXPECT_EQ(PressAndRead(dialog, CCheckInDlg::kOk), QStringList{LoadResString(2118)});

    // Overnight for the guest without agreement: the room's price, kept as shown, so no difference.
    treatment->setCurrentIndex(0);
    emit treatment->activated(0);
    SelectItemData(main, plain);
    emit main->activated(main->currentIndex());
    EXPECT_DOUBLE_EQ(Number(dialog, CCheckInDlg::kPrice), 50.0);
    EXPECT_DOUBLE_EQ(Number(dialog, CCheckInDlg::kVat), 10.0);
    EXPECT_EQ(PressAndRead(dialog, CCheckInDlg::kOk, QMessageBox::No), QStringList{LoadResString(2039)});
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    // The guest with an agreement: its price; at OK the price-differs flag though the price was kept.
    SelectItemData(main, bound);
    emit main->activated(main->currentIndex());
    EXPECT_DOUBLE_EQ(Number(dialog, CCheckInDlg::kPrice), 40.0);
    EXPECT_EQ(PressAndRead(dialog, CCheckInDlg::kOk, QMessageBox::Yes), QStringList{LoadResString(2039)});
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.PriceDiffers());
    EXPECT_TRUE(dialog.HasConvention());
    EXPECT_EQ(stay.guestIds[0], bound);
    EXPECT_EQ(stay.guestIds[1], 0);
    EXPECT_EQ(stay.treatment, TreatmentText(0));
    EXPECT_EQ(stay.dailyPrice, Money::FromCents(4000));
    EXPECT_EQ(stay.endDate, kToday);
}

TEST_P(DeskDialogTest, CheckInOfABookingTakesItsServicesAndTreatment)
{
    Guest(QStringLiteral("Mario Rossi"));
    BookingRecord booking = StoredBooking(kToday, OleDate(2027, 3, 11), TreatmentText(1));
    CheckInRecord stay;
    stay.roomId = kRoomId;
    stay.bookingId = booking.bookingId;
    stay.startDate = kToday;
    stay.endDate = booking.endDate;
    CCheckInDlg dialog(&stay, Desk());
    auto bookings = Child<QComboBox>(dialog, CCheckInDlg::kBooking);
    EXPECT_EQ(bookings->currentData().toInt(), booking.bookingId);
    EXPECT_TRUE(bookings->isEnabled());
    EXPECT_TRUE(Child<QLabel>(dialog, CCheckInDlg::kBookingWarning)->text().contains(QStringLiteral("Rossi")));
    EXPECT_EQ(Child<QComboBox>(dialog, CCheckInDlg::kTreatment)->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(Number(dialog, CCheckInDlg::kPrice), 70.0 + 5.0);  // bed & breakfast and the minibar
    EXPECT_EQ(Number(dialog, CCheckInDlg::kNights), 2);

    // Adding guest 3 selects the new guest there and keeps the other choices.
    int added = 0;
    m_editGuest = [&](GuestRecord& guest, QWidget*) {
        guest.name = QStringLiteral("Zeno Gialli");
        guest.dateOfBirth = QDate(1980, 5, 5);
        ++added;
        return true;
    };
    m_desk.reset();
    CCheckInDlg second(&stay, Desk());
    auto guest2 = Child<QComboBox>(second, CCheckInDlg::kGuestCombos[0]);
    guest2->setCurrentIndex(1);
    Press(second, CCheckInDlg::kNewGuests[1]);
    EXPECT_EQ(added, 1);
    EXPECT_TRUE(Child<QComboBox>(second, CCheckInDlg::kGuestCombos[1])->currentText().startsWith(QStringLiteral("Zeno Gialli")));
    EXPECT_TRUE(Child<QPushButton>(second, CCheckInDlg::kEditGuests[1])->isEnabled());
    EXPECT_TRUE(guest2->currentText().startsWith(QStringLiteral("Mario Rossi")));

    // A booking of a group: shown, not changeable, no warning.
    stay.groupId = 77;
    CCheckInDlg grouped(&stay, Desk());
    EXPECT_EQ(Child<QComboBox>(grouped, CCheckInDlg::kBooking)->currentData().toInt(), booking.bookingId);
    EXPECT_FALSE(Child<QComboBox>(grouped, CCheckInDlg::kBooking)->isEnabled());
    EXPECT_FALSE(Child<QLabel>(grouped, CCheckInDlg::kBookingWarning)->isVisibleTo(&grouped));
    EXPECT_FALSE(Child<QComboBox>(grouped, CCheckInDlg::kGroup)->isVisibleTo(&grouped));
}

TEST_P(DeskDialogTest, GroupConfirmationListsTheRoomsTheOperationMayCover)
{
    // Room 1 starts it; 2 is booked, 3 occupied by the group, 4 unavailable.
    const std::map<int, std::pair<int, int>> days{{1, {0, 0}}, {2, {1, 0}}, {3, {2, 9}}, {4, {4, 0}}};
    const auto query = [&](int roomId, int& stayGroup) {
        stayGroup = days.at(roomId).second;
        return days.at(roomId).first;
    };
    GroupRecord group;
    group.id = 9;
    group.roomCount = 2;
    group.rooms[0] = 3;
    group.rooms[1] = 2;
    const auto listed = [](QDialog& dialog) {
        QStringList rows;
        auto list = Child<QTreeWidget>(dialog, CGroupConfirmDlg::kRooms);
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            rows << list->topLevelItem(row)->text(0) + (list->topLevelItem(row)->checkState(0) == Qt::Checked ? "+" : "");
        return rows;
    };
    GroupRecord checkIn = group;
    CGroupConfirmDlg in(CGroupConfirmDlg::kCheckIn, 1, kToday, checkIn, m_rooms, query);
    EXPECT_EQ(listed(in), (QStringList{"102+"}));
    EXPECT_TRUE(Child<QLabel>(in, CGroupConfirmDlg::kSummary)->text().contains(QStringLiteral("'101'")));
    Press(in, CGroupConfirmDlg::kOk);
    EXPECT_EQ(in.result(), QDialog::Accepted);
    EXPECT_EQ(std::vector<int>(checkIn.rooms.begin(), checkIn.rooms.begin() + checkIn.roomCount), (std::vector<int>{1, 2}));

    GroupRecord checkOut = group;
    CGroupConfirmDlg out(CGroupConfirmDlg::kCheckOut, 1, kToday, checkOut, m_rooms, query);
    EXPECT_EQ(listed(out), (QStringList{"103+"}));
    EXPECT_FALSE(Child<QLabel>(out, CGroupConfirmDlg::kFirstRule + 3)->isVisibleTo(&out));
    Press(out, CGroupConfirmDlg::kOk);
    EXPECT_EQ(std::vector<int>(checkOut.rooms.begin(), checkOut.rooms.begin() + checkOut.roomCount), (std::vector<int>{1, 3}));

    CGroupConfirmDlg missing(CGroupConfirmDlg::kCheckIn, 99, kToday, checkIn, m_rooms, query);
    EXPECT_EQ(missing.exec(), QDialog::Rejected);
}

TEST_P(DeskDialogTest, AccessCardJoinsTheTickedZonesCodes)
{
    for (const auto& [label, code] : {std::pair{"Piscina", "12"}, {"Palestra", "7"}, {"Spa", "30"}}) {
        CommonAreaRecord area;
        area.label = QString::fromLatin1(label);
        area.code = QString::fromLatin1(code);
        ASSERT_EQ(Db().InsertCommonArea(area), kNoError);
    }
    CheckInRecord stay;
    stay.guestIds = {Guest(QStringLiteral("Mario Rossi")), 0, Guest(QStringLiteral("Luca Rossi")), 0};
    CAccessCardDlg dialog(stay, Db());
    auto guests = Child<QComboBox>(dialog, CAccessCardDlg::kGuest);
    ASSERT_EQ(guests->count(), 2);
    guests->setCurrentIndex(1);
    auto zones = Child<QTreeWidget>(dialog, CAccessCardDlg::kZones);
    ASSERT_EQ(zones->topLevelItemCount(), 3);
    zones->sortByColumn(CAccessCardDlg::kCodeColumn, Qt::AscendingOrder);  // numbers: 7, 12, 30
    zones->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    Press(dialog, CAccessCardDlg::kOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GuestName(), QStringLiteral("Luca Rossi"));
    EXPECT_EQ(dialog.ZoneCodes(), QStringLiteral("730"));

    CAccessCardDlg none(stay, Db());
    auto list = Child<QTreeWidget>(none, CAccessCardDlg::kZones);
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        list->topLevelItem(row)->setCheckState(0, Qt::Unchecked);
    Press(none, CAccessCardDlg::kOk);
    EXPECT_EQ(none.result(), QDialog::Accepted);
    EXPECT_TRUE(none.ZoneCodes().isEmpty());
}

TEST_P(DeskDialogTest, WakeUpTimeIsFourDigits)
{
    QByteArray wakeUp("\x03\x01\x06\x05\x09", 5);
    CWakeUpDlg dialog(0, wakeUp);
    EXPECT_EQ(Child<QLineEdit>(dialog, CWakeUpDlg::kTime)->text(), QStringLiteral("0605"));
    EXPECT_EQ(Child<QComboBox>(dialog, CWakeUpDlg::kMode)->currentIndex(), CWakeUpDlg::kDailyEntry);
    for (const char* text : {"730", "2400", "0760", "ab30", "07:3"}) {
        Child<QLineEdit>(dialog, CWakeUpDlg::kTime)->setText(QString::fromLatin1(text));
        EXPECT_EQ(PressAndRead(dialog, CWakeUpDlg::kOk), QStringList{LoadResString(2240)}) << text;
        EXPECT_EQ(wakeUp, QByteArray("\x03\x01\x06\x05\x09", 5)) << text;
    }
    Child<QLineEdit>(dialog, CWakeUpDlg::kTime)->setText(QStringLiteral("0730"));
    Child<QComboBox>(dialog, CWakeUpDlg::kMode)->setCurrentIndex(CWakeUpDlg::kSingleEntry);
    EXPECT_TRUE(PressAndRead(dialog, CWakeUpDlg::kOk).isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(wakeUp, QByteArray("\x03\x02\x07\x1e\x00", 5));

    // "Disabilitata" still stores the time.
    CWakeUpDlg off(0, wakeUp);
    Child<QLineEdit>(off, CWakeUpDlg::kTime)->setText(QStringLiteral("2359"));
    Child<QComboBox>(off, CWakeUpDlg::kMode)->setCurrentIndex(CWakeUpDlg::kDisabledEntry);
    Press(off, CWakeUpDlg::kOk);
    EXPECT_EQ(wakeUp, QByteArray("\x03\x00\x17\x3b\x00", 5));
}

TEST_P(DeskDialogTest, EveryDialogShowsItsTextsWhole)
{
    const int mario = Guest(QStringLiteral("Mario Rossi"));
    CommonAreaRecord area;
    area.label = QStringLiteral("Piscina");
    area.code = QStringLiteral("12");
    ASSERT_EQ(Db().InsertCommonArea(area), kNoError);
    BookingRecord booking = StoredBooking(kToday, OleDate(2027, 3, 12), TreatmentText(3));
    for (const int language : {1, 2}) {
        SetLanguage(language);
        CBookingDlg bookingDlg(&booking, Desk());
        CheckShown(bookingDlg, QStringLiteral("booking"), language);
        AvailabilityRecord period;
        period.startDate = period.endDate = kToday;
        period.reason = QStringLiteral("Lavori");
        CUnavailabilityDlg unavailable(&period, [] { return kNow; });
        CheckShown(unavailable, QStringLiteral("unavailability"), language);
        CheckInRecord stay;
        stay.roomId = kRoomId;
        stay.bookingId = booking.bookingId;
        stay.startDate = kToday;
        stay.endDate = booking.endDate;
        stay.guestIds[0] = 0;
        CCheckInDlg checkIn(&stay, Desk());
        CheckShown(checkIn, QStringLiteral("checkin"), language);
        GroupRecord group;
        for (const quint8 mode : {CGroupConfirmDlg::kCheckIn, CGroupConfirmDlg::kCheckOut}) {
            CGroupConfirmDlg confirm(mode, kRoomId, kToday, group, m_rooms, [](int, int& stayGroup) {
                stayGroup = 0;
                return 0;
            });
            CheckShown(confirm, mode == CGroupConfirmDlg::kCheckIn ? QStringLiteral("groupcheckin") : QStringLiteral("groupcheckout"), language);
        }
        stay.guestIds[0] = mario;
        CAccessCardDlg card(stay, Db());
        CheckShown(card, QStringLiteral("accesscard"), language);
        QByteArray wakeUp(5, '\0');
        CWakeUpDlg wake(0, wakeUp);
        CheckShown(wake, QStringLiteral("wakeup"), language);
    }
    SetLanguage(1);
}

INSTANTIATE_DB_TEST(DeskDialogTest);

}  // namespace
}  // namespace lodgix
