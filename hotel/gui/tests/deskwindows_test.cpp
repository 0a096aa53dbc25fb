// The front desk's list window, statistics, group booking and document choice windows, and the hotel's
// print options dialog, on each backend where they read the database.
#include "clippedtextcheck.h"
#include "documentchoicedlg.h"
#include "documentfiles.h"
#include "frontdesklistdlg.h"
#include "groupbookingcommand.h"
#include "groupbookingdlg.h"
#include "hoteldbtest.h"
#include "language.h"
#include "lodgixview.h"
#include "settingsfile.h"
#include "printsettingsdlg.h"
#include "sortlistctrl.h"
#include "statisticsanalysis.h"
#include "statisticsdlg.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lodgix {
namespace {

// The notices a window posted to its owner.
class RecordedNotices : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override { seen.emplace_back(message, wParam); }
    std::vector<std::pair<std::uint32_t, std::uint64_t>> seen;
};

template <typename Widget>
Widget* Find(QWidget& window, int id)
{
    return window.findChild<Widget*>(QString::number(id));
}

// Shows the window at the size the program gives it, checks its texts and saves its picture.
void CheckShown(QWidget& window, const QString& name)
{
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(HasNoClippedText(window)) << name.toStdString();
    SaveScreenshot(window, QStringLiteral("lodgix_%1_%2").arg(name, CurrentLanguage() == 2 ? "en" : "it"));
}

CheckInRecord Stay(int room, const OleDate& start, const OleDate& end, std::array<int, 4> guests)
{
    CheckInRecord stay;
    stay.roomId = room;
    stay.userId = 1;
    stay.guestIds = guests;
    stay.startDate = start;
    stay.endDate = end;
    stay.checkInDate = OleDate(start.Year(), start.Month(), start.Day(), 14, 30, 0);
    stay.treatment = QStringLiteral("Mezza pensione");
    stay.dailyPrice = Money::FromCents(8000);
    stay.vat = VatRate::FromHundredths(1000);
    return stay;
}

TEST(StatisticsAnalysis, ItemsAndRows)
{
    CheckInRecord threeNights = Stay(5, OleDate(2026, 3, 1), OleDate(2026, 3, 3), {1, 2, 3, 4});
    threeNights.companyId = 9;
    threeNights.documents[0] = {1, QStringLiteral("Recv202600001.psx"), QStringLiteral("Contanti"),
                                Money::FromCents(30000)};
    CheckInRecord invoiced = Stay(6, OleDate(2026, 3, 2), OleDate(2026, 3, 2), {7, 0, 0, 0});
    invoiced.companyId = 9;
    invoiced.documents[0] = {9, QStringLiteral("Fatt202600001.psx"), QStringLiteral("Bonifico"),
                             Money::FromCents(12000)};
    const std::vector<CheckInRecord> stays = {threeNights, invoiced};

    const auto days = AccumulateStatistics(stays, AnalysisBy::kCustomer, AnalysisOutput::kDays);
    ASSERT_EQ(days.size(), 5u);
    for (int guest = 0; guest < 4; ++guest)
        EXPECT_EQ(days[static_cast<std::size_t>(guest)].days, 3) << "first to third: 3 days, for each guest";
    EXPECT_EQ(days[4].days, 1);

    const auto byCompany = AccumulateStatistics(stays, AnalysisBy::kCompany, AnalysisOutput::kAmounts);
    ASSERT_EQ(byCompany.size(), 1u) << "the receipt-paid stay is not a company's";
    EXPECT_EQ(byCompany[0].amount, Money::FromCents(12000));
    const auto byCustomer = AccumulateStatistics(stays, AnalysisBy::kCustomer, AnalysisOutput::kAmounts);
    ASSERT_EQ(byCustomer.size(), 1u) << "the invoice-paid stay is not a customer's";
    EXPECT_EQ(byCustomer[0].key, 1);

    CheckInRecord noPayer = invoiced;
    noPayer.documents[0].billId = 0;
    const auto fallback = AccumulateStatistics({noPayer}, AnalysisBy::kCustomer, AnalysisOutput::kAmounts);
    ASSERT_EQ(fallback.size(), 1u);
    EXPECT_EQ(fallback[0].key, 7) << "no payer: the first guest";

    const auto rooms = AccumulateStatistics(stays, AnalysisBy::kRoom, AnalysisOutput::kDays);
    const AnalysisResult result = AnalysisRows(rooms, AnalysisOutput::kDays, [](int key) -> std::optional<QString> {
        if (key == 6)
            return std::nullopt;  // a room no longer configured
        return QString::number(key);
    });
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].value, QStringLiteral("3"));
    EXPECT_EQ(result.rows[0].share, QStringLiteral("100.00%"));
    EXPECT_EQ(result.total, QStringLiteral("3.00"));

    // Amounts that cancel out: a total of 0 gives shares of 0, not a division by zero.
    const std::vector<StatisticItem> cancelling = {{1, 0, Money::FromCents(500), 1}, {2, 0, Money::FromCents(-500), 1}};
    const AnalysisResult zero =
        AnalysisRows(cancelling, AnalysisOutput::kAmounts, [](int key) { return std::optional(QString::number(key)); });
    ASSERT_EQ(zero.rows.size(), 2u);
    EXPECT_EQ(zero.rows[0].share, QStringLiteral("0.00%"));
    EXPECT_EQ(zero.total, QStringLiteral("0.00"));
}

TEST(GroupBookingConditions, Comparisons)
{
    struct Case {
        int value;
        quint8 comparison;
        int wanted;
        bool meets;
    } const cases[] = {{1, GroupSearchRecord::kNone, 2, true}, {3, GroupSearchRecord::kEqual, 2, false},
                       {2, GroupSearchRecord::kEqual, 2, true}, {1, GroupSearchRecord::kAtLeast, 2, false},
                       {3, GroupSearchRecord::kAtMost, 2, false}, {9, 7, 2, true}};
    for (const Case& c : cases)
        EXPECT_EQ(MeetsCondition(c.value, c.comparison, c.wanted), c.meets) << c.value << " " << int(c.comparison);
}

TEST(DocumentChoice, OnlyOkLeavesWithTheFirstEntryUnlessAnotherIsPicked)
{
    SetLanguage(1);
    CDocumentChoiceDlg dialog({QStringLiteral("Uno"), QStringLiteral("Due"), QStringLiteral("Tre")});
    CheckShown(dialog, QStringLiteral("document_choice"));
    dialog.close();
    EXPECT_TRUE(dialog.isVisible()) << "the close box does nothing";
    Find<QPushButton>(dialog, CDocumentChoiceDlg::kOther)->click();
    EXPECT_TRUE(dialog.isVisible());
    Find<QPushButton>(dialog, CDocumentChoiceDlg::kOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Selected(), 0);
}

TEST(HotelPrintOptions, RefusesWhatDoesNotFitAndTheTextFontIsTheOneAt960)
{
    SetLanguage(1);
    PrintSettings record;
    SetDefaultPrintSettings(record);
    for (const auto& [field, text] : {std::pair{1132, QStringLiteral("201")}, std::pair{1112, QString(64, u'x')}}) {
        CPrintSettingsDlg dialog(record, PrintSettingsForm::Hotel());
        dialog.show();
        Find<QLineEdit>(dialog, field)->setText(text);
        ModalAnswerer refusal([](QDialog* box) { box->reject(); });
        dialog.OnApply();
        EXPECT_GE(refusal.Count(), 1) << field;
        EXPECT_TRUE(dialog.isVisible()) << field;
    }
    CPrintSettingsDlg dialog(record, PrintSettingsForm::Hotel());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opzioni di stampa"));
    EXPECT_EQ(Find<QCheckBox>(dialog, 1417)->text(), QStringLiteral("Numero documento prestampato"));
    ModalAnswerer chooser([](QDialog* box) {
        if (auto fonts = qobject_cast<QFontDialog*>(box)) {
            QFont chosen(QStringLiteral("Courier New"));
            chosen.setPointSize(17);
            fonts->setCurrentFont(chosen);
            fonts->accept();
        }
    });
    Find<QPushButton>(dialog, 1135)->click();  // "Font testo"
    QByteArray bytes(PrintSettings::kSize, '\0');
    dialog.Record().Encode(bytes, 0);
    EXPECT_EQ(LogFont::FromBytes(bytes, 960).Height(), 17);
    EXPECT_EQ(LogFont::FromBytes(bytes, 900), record.textFont) << "the footer font is left as it was";
    for (int language : {1, 2}) {
        SetLanguage(language);
        CPrintSettingsDlg shown(record, PrintSettingsForm::Hotel());
        CheckShown(shown, QStringLiteral("print_options"));
    }
}

// The windows over a hotel with four rooms.
class DeskWindowsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(1);
        ASSERT_TRUE(m_folder.isValid());
        m_hotel = PrepareHotel();
        int feature = 0;
        ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Vista mare"), Money(), VatRate(), feature), kNoError);
        ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Culla"), Money::FromCents(1500), VatRate(), m_cot), kNoError);
        m_feature = feature;
        const struct {
            const char* label;
            int beds;
            int quality;
            bool seaView;
        } rooms[] = {{"101", 2, 3, true}, {"102", 2, 4, true}, {"103", 3, 3, false}, {"104", 1, 2, true}};
        for (const auto& r : rooms) {
            RoomRecord room;
            room.label = QLatin1String(r.label);
            room.bedrooms = r.beds;
            room.quality = r.quality;
            room.vat = VatRate::FromHundredths(1000);
            if (r.seaView)
                room.services = {m_feature, m_cot};
            int id = 0;
            ASSERT_EQ(Db().InsertRoom(m_hotel, room, &id), kNoError);
        }
        m_state.database = Connect();
        m_state.hotelId = m_hotel;
        m_state.dataFolder = m_folder.path() + u'/';
        m_state.currentOperator = {QStringLiteral("mario"), true, 1};
        ASSERT_EQ(Db().LoadRooms(m_hotel, m_state.rooms), kNoError);
        ASSERT_EQ(m_state.rooms.size(), 4u);
        m_links.owner = &m_notices;
        m_links.print = &m_print;
    }

    int RoomId(const char* label) const
    {
        for (const RoomRecord& room : m_state.rooms)
            if (room.label == QLatin1String(label))
                return room.id;
        return 0;
    }

    int Guest(const QString& name, const QString& city)
    {
        GuestRecord guest;
        guest.name = name;
        guest.city = city;
        guest.province = QStringLiteral("MI");
        guest.country = QStringLiteral("Italia");
        guest.dateOfBirth = QDate(1980, 5, 4);
        guest.birthPlace = QStringLiteral("Pavia");
        guest.birthCountry = QStringLiteral("Italia");
        guest.documentType = QStringLiteral("Carta d'identità");
        guest.documentNumber = QStringLiteral("AX123");
        int id = 0;
        EXPECT_EQ(Db().InsertGuest(guest, id), kNoError);
        return id;
    }

    int OpenStay(CheckInRecord stay)
    {
        EXPECT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError) << Db().LastError().toStdString();
        return stay.checkInId;
    }

    int ClosedStay(CheckInRecord stay)
    {
        EXPECT_EQ(Db().InsertCheckIn(m_hotel, stay), kNoError);
        stay.checkOutDate = stay.endDate.AddDays(1.4);
        stay.checkOutUserId = 1;
        EXPECT_EQ(Db().CloseCheckIn(m_hotel, stay), kNoError) << Db().LastError().toStdString();
        return stay.checkInId;
    }

    QTemporaryDir m_folder;
    int m_hotel = 0;
    int m_feature = 0;
    int m_cot = 0;
    LodgixState m_state;
    RecordedNotices m_notices;
    PrintRequest m_print;
    DeskWindowLinks m_links;
};

TEST_P(DeskWindowsTest, CheckInListLeavesOutRemovedRoomsAndDepartsTheDayAfterTheLastNight)
{
    const int guest = Guest(QStringLiteral("Verdi Anna"), QStringLiteral("Milano"));
    OpenStay(Stay(RoomId("101"), OleDate(2026, 3, 1), OleDate(2026, 3, 3), {guest, 0, 0, 0}));
    OpenStay(Stay(999, OleDate(2026, 3, 1), OleDate(2026, 3, 3), {guest, 0, 0, 0}));  // a room gone
    for (int language : {1, 2}) {
        SetLanguage(language);
        CFrontDeskListDlg window(m_state, m_links, CFrontDeskListDlg::kCheckInList, 0);
        CSortListCtrl& list = window.List();
        ASSERT_EQ(list.ItemCount(), 1);
        EXPECT_EQ(list.ItemText(0, 0), QStringLiteral("101"));
        EXPECT_EQ(list.ItemText(0, 2), QLocale().toString(QDate(2026, 3, 4), QLocale::ShortFormat));
        EXPECT_EQ(list.ItemText(0, 3), QStringLiteral("Verdi Anna, Milano (MI)"));
        EXPECT_TRUE(Find<QPushButton>(window, CFrontDeskListDlg::kAction)->isEnabled());
        EXPECT_FALSE(Find<QPushButton>(window, CFrontDeskListDlg::kSecond)->isEnabled());
        list.setCurrentItem(list.topLevelItem(0));
        EXPECT_TRUE(Find<QPushButton>(window, CFrontDeskListDlg::kSecond)->isEnabled());
        EXPECT_GT(Find<QListWidget>(window, CFrontDeskListDlg::kDetails)->count(), 5);
        CheckShown(window, QStringLiteral("list_checkin"));
        window.OnAction();
        EXPECT_EQ(m_print.kind, kPrintCheckInList);
        EXPECT_EQ(m_print.list, &list);
    }
    SetLanguage(1);
}

TEST_P(DeskWindowsTest, CheckOutListAsksForTheSelectedStaysDocument)
{
    const int guest = Guest(QStringLiteral("Neri Luca"), QStringLiteral("Roma"));
    const QDate today = QDate::currentDate();
    const OleDate start = OleDate::FromDateTime(QDate(today.year(), today.month(), 1).startOfDay());
    CheckInRecord stay = Stay(RoomId("102"), start, start, {guest, 0, 0, 0});
    stay.documents[0] = {guest, QStringLiteral("Recv202600003.psx"), QStringLiteral("Contanti"), Money::FromCents(8000)};
    ClosedStay(stay);
    CFrontDeskListDlg window(m_state, m_links, CFrontDeskListDlg::kCheckOutList, 0);
    EXPECT_EQ(window.List().ItemCount(), 0) << "filled on \"Aggiorna\"";
    window.OnRefresh();
    ASSERT_EQ(window.List().ItemCount(), 1);
    window.List().setCurrentItem(window.List().topLevelItem(0));
    const QListWidget* details = Find<QListWidget>(window, CFrontDeskListDlg::kDetails);
    EXPECT_EQ(details->findItems(QStringLiteral("Numero: 3 / 2026"), Qt::MatchExactly).size(), 1);
    window.OnSecond();
    ASSERT_FALSE(m_notices.seen.empty());
    EXPECT_EQ(m_notices.seen.back(), std::make_pair(DeskWindowLinks::kPrintListedStay, std::uint64_t{0}));
    CheckShown(window, QStringLiteral("list_checkout"));
    Find<QPushButton>(window, CFrontDeskListDlg::kCancel)->click();
    EXPECT_EQ(m_notices.seen.back().first, DeskWindowLinks::kCloseWindows);
}

TEST_P(DeskWindowsTest, BookingListShowsTheBookingsOfThePeriod)
{
    BookingRecord booking;
    booking.roomId = RoomId("103");
    booking.clientName = QStringLiteral("Gialli");
    booking.clientPhone = QStringLiteral("02 123");
    booking.clientAnnotation = QStringLiteral("Arrivo tardi");
    booking.startDate = OleDate::FromDateTime(QDate::currentDate().startOfDay());
    booking.endDate = booking.startDate.AddDays(2);
    booking.userId = 1;
    ASSERT_EQ(Db().InsertBooking(m_hotel, booking), kNoError);
    CFrontDeskListDlg window(m_state, m_links, CFrontDeskListDlg::kBookingList, 0);
    window.OnRefresh();
    ASSERT_EQ(window.List().ItemCount(), 1);
    EXPECT_EQ(window.List().ItemText(0, 3), QStringLiteral("Gialli (02 123)"));
    EXPECT_EQ(window.List().ItemText(0, 5), QStringLiteral("Nessun gruppo"));
    CheckShown(window, QStringLiteral("list_bookings"));
}

TEST_P(DeskWindowsTest, PoliceFormsAreGeneratedListedAndOpened)
{
    // An empty house: the form holds no entry.
    {
        CFrontDeskListDlg window(m_state, m_links, CFrontDeskListDlg::kNewPoliceForm, 7);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Scheda di pubblica sicurezza n. 7"));
        ModalAnswerer yes([](QDialog* box) { PressButton(box, QMessageBox::Yes); });
        window.OnAction();
        const QString file = m_folder.filePath(PoliceFormFileName(QDate::currentDate(), 7));
        PoliceForm form;
        ASSERT_TRUE(LoadPoliceForms(form, file));
        EXPECT_TRUE(form.entries.empty());
        EXPECT_EQ(window.FormNumber(), 8);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Scheda di pubblica sicurezza n. 8"));
        EXPECT_EQ(m_print.kind, kPrintPoliceForm);
        ASSERT_TRUE(m_print.policeForm);
        EXPECT_EQ(m_print.policeForm->number, 7);
    }
    const int guest = Guest(QStringLiteral("Bruni Carla"), QStringLiteral("Lodi"));
    OpenStay(Stay(RoomId("104"), OleDate(2026, 3, 1), OleDate(2026, 3, 3), {guest, guest, 0, 0}));
    CFrontDeskListDlg generate(m_state, m_links, CFrontDeskListDlg::kNewPoliceForm, 8);
    ASSERT_EQ(generate.List().ItemCount(), 2);
    EXPECT_EQ(generate.List().ItemText(0, 2), QStringLiteral("Pavia, Italia"));
    EXPECT_EQ(generate.List().ItemText(0, 4), QStringLiteral("Carta d'identità N. AX123"));
    CheckShown(generate, QStringLiteral("list_police_new"));

    // Issued forms of the month: the one of the period's last day is listed, a name one longer is not.
    const QDate last = QDate::currentDate();
    PoliceForm two;
    two.issued = OleDate::Now();
    two.operatorId = 1;
    two.entries.resize(2);
    two.entries[0].name = QStringLiteral("Bruni Carla");
    ASSERT_TRUE(SavePoliceForms(two, m_folder.filePath(PoliceFormFileName(last, 9))));
    ASSERT_TRUE(SavePoliceForms(two, m_folder.filePath(QStringLiteral("PS") + last.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("000010.psx"))));
    CFrontDeskListDlg list(m_state, m_links, CFrontDeskListDlg::kPoliceFormList, 10);
    list.OnRefresh();
    ASSERT_EQ(list.List().ItemCount(), 2) << QDir(m_folder.path()).entryList().join(u' ').toStdString();  // 7, 9
    EXPECT_FALSE(Find<QPushButton>(list, CFrontDeskListDlg::kAction)->isEnabled());
    CheckShown(list, QStringLiteral("list_police_issued"));
    list.List().setCurrentItem(list.List().findItems(QStringLiteral("9"), Qt::MatchExactly, 1).constFirst());
    EXPECT_TRUE(Find<QPushButton>(list, CFrontDeskListDlg::kAction)->isEnabled());
    list.OnAction();
    EXPECT_EQ(list.CurrentMode(), CFrontDeskListDlg::kOpenedPoliceForm);
    EXPECT_EQ(list.windowTitle(), QStringLiteral("Scheda di pubblica sicurezza n. 9"));
    ASSERT_EQ(list.List().ItemCount(), 2);
    EXPECT_EQ(list.List().ItemText(0, 0), QStringLiteral("Bruni Carla"));
    CheckShown(list, QStringLiteral("list_police_opened"));
}

TEST_P(DeskWindowsTest, StatisticsOfDaysPerCustomerSortedWithTheirTotal)
{
    CStatisticsDlg empty(m_state, m_links);
    empty.OnStart();
    EXPECT_EQ(empty.List().ItemCount(), 0);
    EXPECT_FALSE(Find<QPushButton>(empty, CStatisticsDlg::kPrint)->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(empty, CStatisticsDlg::kSave)->isEnabled());

    const int anna = Guest(QStringLiteral("Verdi Anna"), QStringLiteral("Milano"));
    const int luca = Guest(QStringLiteral("Neri Luca"), QStringLiteral("Roma"));
    const QDate today = QDate::currentDate();
    const OleDate start = OleDate::FromDateTime(QDate(today.year(), 1, 1).startOfDay());
    ClosedStay(Stay(RoomId("101"), start, start.AddDays(2), {anna, luca, 0, 0}));
    ClosedStay(Stay(RoomId("102"), start, start, {luca, 0, 0, 0}));
    int exported = 0;
    m_links.exportList = [&](QWidget*, const CSortListCtrl&) { ++exported; };
    for (int language : {1, 2}) {
        SetLanguage(language);
        CStatisticsDlg window(m_state, m_links);
        window.OnStart();
        CSortListCtrl& list = window.List();
        ASSERT_EQ(list.ItemCount(), 4);
        EXPECT_EQ(list.ItemText(0, 0), QStringLiteral("Neri Luca, Roma (MI)")) << "4 days first";
        EXPECT_EQ(list.ItemText(0, 1), QStringLiteral("4"));
        EXPECT_EQ(list.ItemText(0, 2), QStringLiteral("2.00"));
        EXPECT_EQ(list.ItemText(0, 3), QStringLiteral("57.14%"));
        EXPECT_EQ(list.ItemText(3, 0), language == 2 ? QStringLiteral("TOTAL") : QStringLiteral("TOTALE"));
        EXPECT_EQ(list.ItemText(3, 1), QStringLiteral("7.00"));
        CheckShown(window, QStringLiteral("statistics"));
        Find<QPushButton>(window, CStatisticsDlg::kPrint)->click();
        EXPECT_EQ(m_print.kind, kPrintStatistics);
        Find<QPushButton>(window, CStatisticsDlg::kSave)->click();
    }
    EXPECT_EQ(exported, 2);
    SetLanguage(1);
}

TEST_P(DeskWindowsTest, GroupSearchFindsFreeRoomsThatMeetItsConditions)
{
    const int guest = Guest(QStringLiteral("Verdi Anna"), QStringLiteral("Milano"));
    const OleDate first = OleDate::FromDateTime(QDate::currentDate().addDays(10).startOfDay());
    GroupSearchRecord search;
    search.firstNight = first;
    search.lastNight = first.AddDays(2);
    // 101 left the morning of the first night's day before: free. 102 checked out on a night of the period.
    ClosedStay(Stay(RoomId("101"), first.AddDays(-3), first.AddDays(-1), {guest, 0, 0, 0}));
    ClosedStay(Stay(RoomId("102"), first.AddDays(1), first.AddDays(1), {guest, 0, 0, 0}));
    search.wantedIds = {m_feature};
    std::vector<RoomRecord> rooms = GroupBookingRooms(*m_state.database, m_hotel, m_state.rooms, search);
    ASSERT_EQ(rooms.size(), 2u);  // 101 and 104 have the sea view; 102 is taken
    EXPECT_EQ(rooms[0].label, QStringLiteral("101"));

    search.bedsComparison = GroupSearchRecord::kEqual;
    search.beds = 2;
    rooms = GroupBookingRooms(*m_state.database, m_hotel, m_state.rooms, search);
    ASSERT_EQ(rooms.size(), 1u);
    EXPECT_EQ(rooms[0].label, QStringLiteral("101"));

    search.wantedIds = {m_feature, m_cot};
    const std::vector<ServiceRecord> services = GroupBookingServices(*m_state.database, search);
    ASSERT_EQ(services.size(), 1u) << "a feature costs nothing: it filters and is not stored";
    EXPECT_EQ(services[0].id, m_cot);
    ASSERT_EQ(BookGroup(*m_state.database, m_hotel, 1, search, rooms, services, QStringLiteral("Gita"),
                        QStringLiteral("333"), QString(), QStringLiteral("Mezza pensione")),
              kNoError);
    std::vector<BookingRecord> bookings;
    ASSERT_EQ(Db().LoadBookings(m_hotel, CHotelDatabase::kAllRooms, bookings), kNoError);
    ASSERT_EQ(bookings.size(), 1u);
    EXPECT_EQ(bookings[0].roomId, RoomId("101"));
    EXPECT_EQ(bookings[0].serviceCount, 1);
    EXPECT_EQ(bookings[0].services[0], m_cot);
    GroupRecord group;
    ASSERT_EQ(Db().LoadGroup(bookings[0].groupId, group), kNoError);
    EXPECT_EQ(group.name, QStringLiteral("Gita"));
    EXPECT_EQ(group.roomCount, 1);
}

TEST_P(DeskWindowsTest, GroupDialogs)
{
    for (int language : {1, 2}) {
        SetLanguage(language);
        GroupSearchRecord search;
        CGroupBookingDlg dialog(search, m_state.database.get());
        EXPECT_FALSE(Find<QLineEdit>(dialog, CGroupBookingDlg::kQuality)->isEnabled());
        EXPECT_EQ(Find<QLineEdit>(dialog, CGroupBookingDlg::kQuality)->text(), QStringLiteral("3"));
        EXPECT_EQ(Find<QLineEdit>(dialog, CGroupBookingDlg::kBeds)->text(), QStringLiteral("2"));
        EXPECT_GT(Find<QTreeWidget>(dialog, CGroupBookingDlg::kFeatures)->topLevelItemCount(), 0);
        CheckShown(dialog, QStringLiteral("group_search"));
        Find<QDateEdit>(dialog, CGroupBookingDlg::kFirstNight)->setDate(QDate::currentDate().addDays(-1));
        ModalAnswerer refusal([](QDialog* box) { box->reject(); });
        dialog.OnOk();
        EXPECT_EQ(refusal.Count(), 1) << "yesterday is refused";
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        Find<QDateEdit>(dialog, CGroupBookingDlg::kFirstNight)->setDate(QDate::currentDate());
        dialog.OnOk();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(search.wantedIds.empty()) << "nothing ticked: no ids";
        EXPECT_EQ(search.lastNight, search.firstNight);
    }
    SetLanguage(1);
    std::vector<RoomRecord> rooms = m_state.rooms;
    rooms.push_back(rooms.front());
    rooms.back().label = QStringLiteral("105");
    int priced = 0;
    CRoomSelectDlg choice(rooms, [&](int, int treatment, Money& price) {
        ++priced;
        price = Money::FromCents(5000 + treatment * 1000);
        return true;
    });
    auto list = Find<QTreeWidget>(choice, CRoomSelectDlg::kRooms);
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("50.00"));
    auto book = Find<QPushButton>(choice, CRoomSelectDlg::kBook);
    EXPECT_FALSE(book->isEnabled());
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    list->topLevelItem(3)->setCheckState(0, Qt::Checked);
    QApplication::processEvents();  // the posted recount
    EXPECT_TRUE(book->isEnabled());
    EXPECT_EQ(Find<QLabel>(choice, CRoomSelectDlg::kSelectedLabel)->text(), QStringLiteral("Camere selezionate: 2"));
    auto treatment = Find<QComboBox>(choice, CRoomSelectDlg::kTreatment);
    treatment->setCurrentIndex(2);
    choice.OnTreatmentChosen();
    EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("70.00"));
    EXPECT_FALSE(book->isEnabled()) << "a new price waits for the next click";
    EXPECT_EQ(Find<QLineEdit>(choice, CRoomSelectDlg::kTreatmentText)->text(), QStringLiteral("Mezza pensione"));
    CheckShown(choice, QStringLiteral("group_rooms"));
    {
        ModalAnswerer missing([](QDialog* box) { box->reject(); });
        choice.OnBook();
        EXPECT_EQ(missing.Count(), 1) << "name and contact are required";
    }
    Find<QLineEdit>(choice, CRoomSelectDlg::kName)->setText(QStringLiteral("Gita"));
    Find<QLineEdit>(choice, CRoomSelectDlg::kContact)->setText(QStringLiteral("333"));
    ModalAnswerer yes([](QDialog* box) { PressButton(box, QMessageBox::Yes); });
    choice.OnBook();
    EXPECT_EQ(choice.result(), QDialog::Accepted);
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_EQ(rooms[0].id, m_state.rooms[1].id);
    EXPECT_EQ(rooms[1].id, m_state.rooms[3].id);
    for (int language : {2}) {
        SetLanguage(language);
        std::vector<RoomRecord> again = m_state.rooms;
        CRoomSelectDlg shown(again, {});
        CheckShown(shown, QStringLiteral("group_rooms"));
    }
    SetLanguage(1);
}

TEST_P(DeskWindowsTest, ViewOpensItsWindowsOneAtATimeAndPrintsThroughThePreview)
{
    m_state.settingsFile = m_folder.filePath(QStringLiteral("LodgixSettings.cfg"));
    SetDefaultPrintSettings(m_state.printSettings);
    ASSERT_TRUE(SaveSettings(m_state.settingsFile, m_state.printSettings, m_state.hotelSettings));
    CLodgixView view(m_state);
    view.PostCommand(32798);  // "Lista check in"
    QApplication::processEvents();
    auto list = qobject_cast<CFrontDeskListDlg*>(view.WindowSlots().At(ModelessWindowSlots::kList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->CurrentMode(), CFrontDeskListDlg::kCheckInList);
    view.PostCommand(32812);  // a window is open: no statistics
    QApplication::processEvents();
    EXPECT_FALSE(view.WindowSlots().IsOpen(ModelessWindowSlots::kStatistics));
    Find<QPushButton>(*list, CFrontDeskListDlg::kCancel)->click();  // WM_USER+101 to the view
    QApplication::processEvents();
    EXPECT_FALSE(view.WindowSlots().AnyOpen());
    view.PostCommand(32812);
    QApplication::processEvents();
    EXPECT_TRUE(view.WindowSlots().IsOpen(ModelessWindowSlots::kStatistics));
    view.CloseModelessWindows();

    // Two documents: the first is previewed; closing the preview keeps the queue.
    QStringList names;
    for (int number : {1, 2}) {
        DocumentRecord document;
        document.issued = OleDate::Now();
        document.number = QStringLiteral("%1 / 2026").arg(number);
        names << QStringLiteral("Recv2026%1.psx").arg(number, 5, 10, QChar(u'0'));
        ASSERT_TRUE(SaveDocumentFile(document, m_folder.filePath(names.back())));
    }
    int previews = 0;
    {
        ModalAnswerer closer([&](QDialog* dialog) {
            if (qobject_cast<QPrintPreviewDialog*>(dialog))
                ++previews;
            dialog->reject();
        });
        view.Printing().PrintDocuments(names);
        QApplication::processEvents();
    }
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(view.Printing().Queue(), names);
    EXPECT_EQ(view.Printing().DocumentBuffer().number, QStringLiteral("1 / 2026"));

    // "Opzioni di stampa": the accepted record is the program's and its settings file's.
    {
        ModalAnswerer apply([](QDialog* dialog) {
            if (auto options = qobject_cast<CPrintSettingsDlg*>(dialog)) {
                Find<QLineEdit>(*options, 1133)->setText(QStringLiteral("31"));
                options->OnApply();
            }
        });
        view.PostCommand(32796);
        QApplication::processEvents();
    }
    EXPECT_EQ(m_state.printSettings.topMargin, 31);
    PrintSettings stored;
    HotelSettings hotel;
    ASSERT_EQ(LoadSettings(m_state.settingsFile, stored, hotel), 1);
    EXPECT_EQ(stored.topMargin, 31);
}

INSTANTIATE_DB_TEST(DeskWindowsTest);

}  // namespace
}  // namespace lodgix
