// The front-desk view on a real hotel database (each backend): the planner and its month, the panels of
// each status, the action list and its dispatch, the window slots' rules, the reminder's side, the guest
// message commands; each window looked at in both languages.
#include "clippedtextcheck.h"
#include "colorlistbox.h"
#include "language.h"
#include "planninggridctrl.h"
#include "plannermonth.h"
#include "reminderthread.h"
#include "viewtestbase.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>

#include <QThread>

#include <atomic>
#include <thread>

// Texts as texts in the failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace lodgix {
namespace {

// "Now" of every test: Sunday 10 March 2024, 09:00.
const QDateTime kNow(QDate(2024, 3, 10), QTime(9, 0));

OleDate March(int day)
{
    return OleDate(2024, 3, day);
}

class LodgixViewTest : public LodgixViewTestBase {
protected:
    void SetUp() override
    {
        HotelPbxTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        ListPbxs(1);
        SavePbx(0, ExtensionTables::kNoCapacityLimit);
        m_hotelId = PrepareHotel();
        AddRoom(QStringLiteral("101"), 2, 3);
        AddRoom(QStringLiteral("102"), 1, 1);
        AddRoom(QStringLiteral("103"), 3, 5);
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("pw"), true, m_operatorId), kNoError);
        ASSERT_EQ(Db().InsertOperator(QStringLiteral("lucia"), QStringLiteral("pw"), false, m_otherOperatorId), kNoError);

        LoadState(m_hotelId, QStringLiteral("mario"), m_operatorId, [] { return OleDate::FromDateTime(kNow); });
        m_state.seasons.low[0] = {SeasonTable::Day(1, 7), SeasonTable::Day(3, 31)};
        LoadPbxTables();
    }

    void AddRoom(const QString& label, int beds, int quality)
    {
        RoomRecord room;
        room.label = label;
        room.bedrooms = beds;
        room.quality = quality;
        room.pbx = 0;
        room.extension = m_extension++;
        ASSERT_EQ(Db().InsertRoom(m_hotelId, room), kNoError);
    }

    int AddGuest(const QString& name)
    {
        GuestRecord guest;
        guest.name = name;
        guest.dateOfBirth = QDate(1970, 5, 4);
        guest.birthPlace = QStringLiteral("Udine");
        int id = 0;
        EXPECT_EQ(Db().InsertGuest(guest, id), kNoError);
        return id;
    }

    int RoomId(const QString& label) const
    {
        for (const RoomRecord& room : m_state.rooms)
            if (room.label == label)
                return room.id;
        return 0;
    }

    // The frame and its view as the program makes them, at the frame's size.
    CLodgixView& Open() { return LodgixViewTestBase::Open([] { return kNow; }); }

    int Book(const QString& room, int first, int last, const QString& name = QStringLiteral("Rossi"))
    {
        BookingRecord booking;
        booking.roomId = RoomId(room);
        booking.userId = m_operatorId;
        booking.startDate = March(first);
        booking.endDate = March(last);
        booking.clientName = name;
        booking.clientPhone = QStringLiteral("0432 1234");
        EXPECT_EQ(Db().InsertBooking(m_hotelId, booking), kNoError) << Db().LastError().toStdString();
        return booking.bookingId;
    }

    int MakeUnavailable(const QString& room, int first, int last)
    {
        AvailabilityRecord period;
        period.roomId = RoomId(room);
        period.userId = m_operatorId;
        period.startDate = March(first);
        period.endDate = March(last);
        period.reason = QStringLiteral("Imbiancatura");
        EXPECT_EQ(Db().InsertUnavailability(m_hotelId, period), kNoError);
        return period.availabilityId;
    }

    CheckInRecord StayRecord(const QString& room, int first, int last)
    {
        CheckInRecord stay;
        stay.roomId = RoomId(room);
        stay.userId = m_operatorId;
        stay.startDate = March(first);
        stay.endDate = March(last);
        stay.checkInDate = OleDate(2024, 3, first, 14, 30, 0);
        stay.treatment = QStringLiteral("Mezza pensione");
        stay.dailyPrice = Money::FromCents(8950);
        return stay;
    }

    int CheckIn(CheckInRecord stay)
    {
        EXPECT_EQ(Db().InsertCheckIn(m_hotelId, stay), kNoError) << Db().LastError().toStdString();
        return stay.checkInId;
    }

    int CheckInAndOut(CheckInRecord stay, const OleDate& out)
    {
        stay.checkInId = CheckIn(stay);
        stay.checkOutDate = out;
        stay.checkOutUserId = m_otherOperatorId;
        EXPECT_EQ(Db().CloseCheckIn(m_hotelId, stay), kNoError) << Db().LastError().toStdString();
        return stay.checkInId;
    }

    int LeaveMessage(int checkInId, const QString& text)
    {
        MessageRecord message;
        message.checkInId = checkInId;
        message.userId = m_operatorId;
        message.from = QStringLiteral("Reception");
        message.text = text;
        EXPECT_EQ(Db().InsertMessage(m_hotelId, message), kNoError);
        return message.messageId;
    }

    // The planner row of a room (rooms are rows 1.. in the table's order).
    int Row(const QString& room) const
    {
        for (int row = 1; row < m_view->Planner()->RowCount(); ++row)
            if (m_view->Planner()->ItemData(row) == RoomId(room))
                return row;
        return -1;
    }

    std::uint32_t Colour(const QString& room, int day) const { return m_view->Planner()->CellColour(Row(room), day); }

    static QStringList Lines(const QListWidget* list)
    {
        QStringList lines;
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }

    std::vector<int> ActionCodes() const
    {
        std::vector<int> codes;
        for (int row = 0; row < m_view->ActionList()->count(); ++row)
            codes.push_back(m_view->ActionList()->item(row)->data(Qt::UserRole).toInt());
        return codes;
    }

    // The month, as a cell click, after data changed.
    void Select(const QString& room, int day)
    {
        m_view->RefreshPlanning();
        emit m_view->Planner()->CellClicked(RoomId(room), day);
    }

    void Deliver() { QCoreApplication::processEvents(); }

    // The reminder test's clock: the day, and whether it holds the reminder's rebuild a moment (so that a
    // shutdown meets it there).
    std::atomic<int> m_day{10};
    std::atomic<bool> m_slowClock{false};
    std::atomic<bool> m_rebuilding{false};
    int m_hotelId = 0;
    int m_operatorId = 0;
    int m_otherOperatorId = 0;
    int m_extension = 0;
};

TEST_P(LodgixViewTest, MonthColumnsWeekdaysAndRoomsCutToTheCount)
{
    m_state.roomCount = 2;  // the PBXs' capacity cut the rooms in use
    CLodgixView& view = Open();
    EXPECT_EQ(view.MonthTitle()->text(), QStringLiteral("Marzo 2024"));
    EXPECT_EQ(view.Planner()->ColumnCount(), 32);
    ASSERT_EQ(view.Planner()->RowCount(), 3);  // weekdays and two rooms of three
    EXPECT_EQ(view.Planner()->CellText(0, 1), QStringLiteral("V"));  // 1 March 2024 was a Friday
    EXPECT_EQ(view.Planner()->CellColour(0, 10), 0xFF0000u);          // the reference date
    EXPECT_EQ(view.Planner()->CellColour(0, 11), 0xC0C0C0u);
    EXPECT_EQ(view.Planner()->CellText(1, 0), QStringLiteral("101 \u25AC\u25AC \u2605\u2605\u2605"));
    EXPECT_EQ(view.Planner()->ItemData(1), RoomId(QStringLiteral("101")));
    EXPECT_EQ(view.DocumentTitle(), QStringLiteral("Hotel Aurora (mario)"));
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Hotel Aurora (mario) - Lodgix"));

    m_state.roomCount = 0;
    view.ShowMonth(2024, 2);
    EXPECT_EQ(view.Planner()->ColumnCount(), 30);  // 29 days of a leap February
    EXPECT_EQ(view.Planner()->RowCount(), 1);      // the weekday row only
    EXPECT_EQ(view.MonthTitle()->text(), QStringLiteral("Febbraio 2024"));
}

TEST_P(LodgixViewTest, MonthSteps)
{
    CLodgixView& view = Open();
    struct Case {
        int year, month, delta, expectedYear, expectedMonth;
    };
    const Case cases[] = {
        {2005, 1, +1, 2004, 12},  // the spin's positive delta goes back
        {2004, 12, -1, 2005, 1},
        {2024, 6, +1, 2024, 5},
        {2024, 6, -1, 2024, 7},
    };
    for (const Case& c : cases) {
        view.ShowMonth(c.year, c.month);
        view.StepMonth(c.delta);
        EXPECT_EQ(view.ShownYear(), c.expectedYear);
        EXPECT_EQ(view.ShownMonth(), c.expectedMonth);
    }
    view.ShowMonth(2005, 1);
    auto spin = view.findChild<QAbstractSpinBox*>(QStringLiteral("1002"));
    ASSERT_NE(spin, nullptr);
    spin->stepDown();
    EXPECT_EQ(view.MonthTitle()->text(), QStringLiteral("Dicembre 2004"));
    spin->stepUp();
    EXPECT_EQ(view.MonthTitle()->text(), QStringLiteral("Gennaio 2005"));
}

TEST_P(LodgixViewTest, CellsColouredByWhatOccupiesTheRoom)
{
    Book(QStringLiteral("101"), 2, 6);
    MakeUnavailable(QStringLiteral("101"), 4, 4);
    Book(QStringLiteral("102"), 12, 13);
    CheckIn(StayRecord(QStringLiteral("102"), 10, 14));
    CheckInAndOut(StayRecord(QStringLiteral("103"), 3, 8), OleDate(2024, 3, 5, 10, 0, 0));  // left early
    CLodgixView& view = Open();
    struct Case {
        const char* room;
        int day;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"101", 1, 0xFFFFFF}, {"101", 2, 0x00FFFF}, {"101", 6, 0x00FFFF}, {"101", 7, 0xFFFFFF},
        {"101", 4, 0xFF0000},   // unavailable and booked: blue
        {"102", 12, 0x0000FF},  // occupied and booked: red
        {"102", 10, 0x0000FF}, {"102", 14, 0x0000FF}, {"102", 15, 0xFFFFFF},
        {"103", 3, 0x00FF00},  {"103", 8, 0x00FF00},  // a closed stay stays green after its check-out day
        {"103", 9, 0xFFFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Colour(QString::fromLatin1(c.room), c.day), c.colour) << c.room << " day " << c.day;
    // The labels by the reference date (the 10th).
    EXPECT_EQ(view.Planner()->CellColour(Row(QStringLiteral("102")), 0), 0x0000FFu);
    EXPECT_EQ(view.Planner()->CellColour(Row(QStringLiteral("101")), 0), 0xFFFFFFu);
}

TEST_P(LodgixViewTest, OccupiedCellsCarryMessageAndWakeUpMarks)
{
    const int stay = CheckIn(StayRecord(QStringLiteral("101"), 8, 12));
    LeaveMessage(stay, QStringLiteral("Richiamare la signora Bianchi"));
    CheckIn(StayRecord(QStringLiteral("102"), 8, 12));
    const QString message(PlanningGlyph(kMessageCode));
    const QString wakeUp(PlanningGlyph(kWakeUpCode));
    struct Case {
        const char* name;
        char mode;
        char hour;
        std::vector<int> marked;  // days of room 102 with the wake-up mark
    };
    const Case cases[] = {
        {"single at 07:00, now 09:00: tomorrow", 2, 7, {11}},
        {"single at 10:00, now 09:00: today", 2, 10, {10}},
        {"daily", 1, 7, {8, 9, 10, 11, 12}},
        {"none", 0, 7, {}},
    };
    CLodgixView& view = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char state[] = {1, c.mode, c.hour, 0, 0};
        m_state.extensions.SetState(1, QByteArray(state, sizeof state));
        view.RefreshPlanning();
        for (int day = 8; day <= 12; ++day) {
            const bool marked = std::find(c.marked.begin(), c.marked.end(), day) != c.marked.end();
            EXPECT_EQ(view.Planner()->CellText(Row(QStringLiteral("102")), day), marked ? wakeUp : QString()) << day;
            EXPECT_EQ(view.Planner()->CellText(Row(QStringLiteral("101")), day), message) << day;
        }
        EXPECT_EQ(view.Planner()->CellText(Row(QStringLiteral("102")), 13), QString());
    }
}

TEST_P(LodgixViewTest, AMonthThatCannotBeReadShowsNoRoomsAndSaysWhy)
{
    Book(QStringLiteral("101"), 2, 6);
    CLodgixView& view = Open();
    ASSERT_EQ(view.Planner()->RowCount(), 4);
    m_state.database->Close();
    view.RefreshPlanning();
    EXPECT_EQ(view.Planner()->RowCount(), 1);  // no room shown free
    EXPECT_FALSE(m_frame->statusBar()->currentMessage().isEmpty());
    ASSERT_EQ(m_state.database->Connect(kServer), kNoError);
    view.RefreshPlanning();
    EXPECT_EQ(view.Planner()->RowCount(), 4);
    EXPECT_EQ(Colour(QStringLiteral("101"), 3), 0x00FFFFu);
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().isEmpty());
}

TEST_P(LodgixViewTest, SummaryOfTheHotelAndOfARoom)
{
    m_state.hotel.address = QStringLiteral("Via Roma 1");
    m_state.hotel.postCode = QStringLiteral("33100");
    m_state.hotel.city = QStringLiteral("Udine");
    m_state.hotel.province = QStringLiteral("UD");
    m_state.hotel.country = QStringLiteral("Italia");
    m_state.hotel.phone1 = QStringLiteral("0432 1");
    m_state.hotel.phone3 = QStringLiteral("0432 3");
    CLodgixView& view = Open();
    EXPECT_EQ(Lines(view.SummaryList()),
              QStringList({"Hotel Aurora", "Via Roma 1", "33100 Udine(UD)", "Italia", "Telefono: 0432 1, 0432 3",
                           "Camere: 3"}));
    EXPECT_EQ(Lines(view.DetailList()), QStringList({"Domenica, 10/03/24", "Bassa stagione"}));

    const char state[] = {0, 2, 7, 5, 0};
    m_state.extensions.SetState(0, QByteArray(state, sizeof state));
    view.SelectCell(RoomId(QStringLiteral("101")), 12);
    const QStringList summary = Lines(view.SummaryList());
    ASSERT_GE(summary.size(), 5);
    EXPECT_EQ(summary.mid(0, 3), QStringList({"Camera: 101", "Posti letto: 2", "Qualità: ***"}));
    EXPECT_TRUE(summary[3].startsWith(QStringLiteral("Apparato telefonico: PBX0 ("))) << summary[3].toStdString();
    EXPECT_EQ(summary[4], QStringLiteral("Sveglia: Singola, 07:05"));

    // A room whose extension was not read has neither line.
    m_state.extensions.Clear();
    view.SelectCell(RoomId(QStringLiteral("102")), 12);
    EXPECT_EQ(Lines(view.SummaryList()), QStringList({"Camera: 102", "Posti letto: 1", "Qualità: *"}));
}

TEST_P(LodgixViewTest, DetailsOfAFreeABookedAndAnUnavailableDay)
{
    const int booking = Book(QStringLiteral("102"), 12, 14, QStringLiteral("Verdi"));
    MakeUnavailable(QStringLiteral("103"), 11, 12);
    CLodgixView& view = Open();
    view.SelectCell(RoomId(QStringLiteral("101")), 9);
    EXPECT_EQ(Lines(view.DetailList()), QStringList({"Sabato, 09/03/24", "Stato camera: NON UTILIZZATA"}));
    view.SelectCell(RoomId(QStringLiteral("101")), 10);
    EXPECT_EQ(Lines(view.DetailList()), QStringList({"Domenica, 10/03/24", "Stato camera: LIBERA"}));
    view.SelectCell(RoomId(QStringLiteral("102")), 13);
    EXPECT_EQ(Lines(view.DetailList()),
              QStringList({"Mercoledì, 13/03/24", "Stato camera: PRENOTATA", "Da: 12/03/24", "A: 14/03/24",
                           "A nome di: Verdi", "Recapito: 0432 1234", "Operatore: mario"}));
    EXPECT_NE(booking, 0);
    view.SelectCell(RoomId(QStringLiteral("103")), 11);
    EXPECT_EQ(Lines(view.DetailList()),
              QStringList({"Lunedì, 11/03/24", "Stato camera: NON DISPONIBILE", "Da: 11/03/24", "A: 12/03/24",
                           "Per: Imbiancatura", "Operatore: mario"}));
}

TEST_P(LodgixViewTest, DetailsOfAnOccupiedRoom)
{
    const int guestId = AddGuest(QStringLiteral("Anna Neri"));
    CheckInRecord stay = StayRecord(QStringLiteral("101"), 8, 12);
    stay.guestIds = {guestId, 0, 0, 0};
    stay.cards[1] = QStringLiteral("A1B2");
    stay.cards[3] = QStringLiteral("C3D4");
    const int id = CheckIn(stay);
    LeaveMessage(id, QStringLiteral("uno"));
    LeaveMessage(id, QStringLiteral("due"));
    CLodgixView& view = Open();
    view.SelectCell(RoomId(QStringLiteral("101")), 10);
    EXPECT_EQ(Lines(view.DetailList()),
              QStringList({"Domenica, 10/03/24", "Stato camera: OCCUPATA", "Da: 08/03/24", "A: 12/03/24",
                           "Data di arrivo: 08/03/24 14:30", "Cliente 1: Anna Neri", "2 messaggi da leggere",
                           "Trattamento: Mezza pensione", "Prezzo giornaliero: 89.50", "Carta d'accesso2: A1B2",
                           "Carta d'accesso4: C3D4", "Operatore: mario"}));
}

TEST_P(LodgixViewTest, DetailsOfACheckedOutDayWithTwoStays)
{
    const int guestId = AddGuest(QStringLiteral("Anna Neri"));
    CheckInRecord first = StayRecord(QStringLiteral("101"), 5, 7);
    first.documents[0] = {guestId, QStringLiteral("Recv200700042.psx"), QStringLiteral("Contanti"), Money::FromCents(12000)};
    CheckInAndOut(first, OleDate(2024, 3, 7, 9, 0, 0));
    CheckInRecord second = StayRecord(QStringLiteral("101"), 7, 8);
    second.documents[1] = {0, QStringLiteral("Fatt202400007.psx"), QStringLiteral("Bonifico"), Money::FromCents(5000)};
    CheckInAndOut(second, OleDate(2024, 3, 9, 10, 0, 0));
    CLodgixView& view = Open();
    view.SelectCell(RoomId(QStringLiteral("101")), 7);
    EXPECT_EQ(Lines(view.DetailList()),
              QStringList({"Giovedì, 07/03/24", "Stato camera: UTILIZZATA 2 VOLTE", "", "Da: 05/03/24", "A: 07/03/24",
                           "Data di arrivo: 05/03/24 14:30", "Data di partenza: 07/03/24 09:00",
                           "Tipo documento: Ricevuta fiscale", "Numero: 42 / 2007", "Cliente: Anna Neri",
                           "Importo: 120.00", "Metodo di pagamento: Contanti", "Operatore Check in: mario",
                           "Operatore Check out: lucia", "", "Da: 07/03/24", "A: 08/03/24",
                           "Data di arrivo: 07/03/24 14:30", "Data di partenza: 09/03/24 10:00",
                           "Tipo documento2: Fattura", "Numero: 7 / 2024", "Importo: 50.00",
                           "Metodo di pagamento: Bonifico", "Operatore Check in: mario", "Operatore Check out: lucia"}));
}

TEST_P(LodgixViewTest, ActionsFitTheStatusTheDayAndTheOperator)
{
    Book(QStringLiteral("102"), 5, 6);
    CheckIn(StayRecord(QStringLiteral("103"), 8, 12));
    CheckInAndOut(StayRecord(QStringLiteral("102"), 9, 10), OleDate(2024, 3, 10, 8, 0, 0));
    MakeUnavailable(QStringLiteral("101"), 20, 22);
    CLodgixView& view = Open();
    struct Case {
        const char* name;
        bool administrator;
        const char* room;  // none: no selection
        int day;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"no selection, not administrator", false, nullptr, 0, {2, 3, 4}},
        {"no selection, administrator", true, nullptr, 0, {1, 5, 2, 3, 4}},
        {"free, 3 days back", false, "101", 7, {}},
        {"free, yesterday", false, "101", 9, {14}},
        {"free, today, administrator", true, "101", 10, {5, 6, 7, 8, 11, 14}},
        {"free, tomorrow", false, "101", 11, {8}},
        {"booked, past", false, "102", 5, {10}},
        {"occupied, administrator", true, "103", 10, {15, 17, 18, 19, 16, 21, 6}},
        {"checked out today", false, "102", 10, {14, 20}},
        {"checked out yesterday", false, "102", 9, {20}},
        {"unavailable, not administrator", false, "101", 21, {}},
        {"unavailable, administrator", true, "101", 21, {5, 6, 7, 12, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_state.currentOperator.administrator = c.administrator;
        view.RefreshPlanning();
        if (c.room)
            view.SelectCell(RoomId(QString::fromLatin1(c.room)), c.day);
        EXPECT_EQ(ActionCodes(), c.expected);
    }
    // Its texts and pictures.
    m_state.currentOperator.administrator = false;
    view.RefreshPlanning();
    ASSERT_EQ(view.ActionList()->count(), 3);
    EXPECT_EQ(view.ActionList()->item(0)->text(), QStringLiteral("Lista prenotazioni (Ctrl+B)"));
    EXPECT_EQ(view.ActionList()->item(0)->icon().actualSize(QSize(64, 64)), QSize(32, 32));
}

TEST_P(LodgixViewTest, MessagesWakeUpAndCardActionsOfAnOccupiedRoom)
{
    const int stay = CheckIn(StayRecord(QStringLiteral("103"), 8, 12));
    LeaveMessage(stay, QStringLiteral("uno"));
    m_state.hotelSettings.keyCardEnabled = 1;
    m_state.hotelSettings.keyCardCheckIn = 1;
    m_state.currentOperator.administrator = false;
    CLodgixView& view = Open();
    view.SelectCell(RoomId(QStringLiteral("103")), 10);
    EXPECT_EQ(ActionCodes(), (std::vector<int>{15, 17, 18, 19, 16, 21, 22, 24}));
    // The wake-up action needs the room's extension and the engine link.
    EXPECT_TRUE(m_state.extensions.RoomAt(2).valid);
    m_state.engine = std::make_unique<CEngineClient>("127.0.0.1");
    view.SelectCell(RoomId(QStringLiteral("103")), 10);
    EXPECT_EQ(ActionCodes(), (std::vector<int>{23, 15, 17, 18, 19, 16, 21, 22, 24}));
    // An unavailable day offers a non-administrator the wake-up call only.
    MakeUnavailable(QStringLiteral("101"), 20, 22);
    Select(QStringLiteral("101"), 21);
    EXPECT_EQ(ActionCodes(), (std::vector<int>{23}));
}

TEST_P(LodgixViewTest, ActionKeyRunsAListedActionOnly)
{
    CLodgixView& view = Open();
    ModalWatcher cancel;  // the commands' dialogs (a new booking here) are cancelled
    std::vector<std::pair<std::uint32_t, std::uint64_t>> received;
    QObject::connect(&view, &CLodgixView::MessageReceived, [&received](std::uint32_t message, std::uint64_t wParam, std::int64_t) {
        if (message != CReminderThread::kListsReady)
            received.emplace_back(message, wParam);
    });
    view.SelectCell(RoomId(QStringLiteral("101")), 11);  // free tomorrow: 8 is listed, 14 is not
    view.Target().Post(CLodgixView::kActionKeyMessage, 8, 0);
    Deliver();
    Deliver();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], std::make_pair(WM_COMMAND, std::uint64_t{32782}));
    EXPECT_EQ(view.ActionList()->currentItem()->data(Qt::UserRole).toInt(), 8);
    received.clear();
    view.Target().Post(CLodgixView::kActionKeyMessage, 14, 0);
    Deliver();
    Deliver();
    EXPECT_EQ(received.size(), 1u);  // only the key itself

    // A double click posts the selected entry's command too (its dialog, when it opens one, is cancelled).
    ModalWatcher cancelDialogs;
    received.clear();
    view.ActionList()->setCurrentRow(0);
    emit view.ActionList()->itemDoubleClicked(view.ActionList()->item(0));
    Deliver();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].first, WM_COMMAND);
}

TEST_P(LodgixViewTest, AnOpenWindowTurnsTheSlotCommandsOff)
{
    CheckIn(StayRecord(QStringLiteral("103"), 8, 12));
    CLodgixView& view = Open();
    view.SelectCell(RoomId(QStringLiteral("103")), 10);
    const int slotCommands[] = {32776, 32777, 32814, 32798, 32800, 32801, 32802, 32808, 32812, 32792};
    for (const int command : slotCommands)
        EXPECT_TRUE(view.IsCommandEnabled(command)) << command;
    auto list = std::make_unique<QWidget>();
    QPointer<QWidget> watch = list.get();
    ASSERT_NE(view.WindowSlots().Open(ModelessWindowSlots::kList, std::move(list)), nullptr);
    EXPECT_EQ(view.WindowSlots().Open(ModelessWindowSlots::kList, std::make_unique<QWidget>()), nullptr);
    for (const int command : slotCommands)
        EXPECT_FALSE(view.IsCommandEnabled(command)) << command;
    // The frame's menu follows the rule when it opens.
    QAction* checkInList = m_frame->menuBar()->findChild<QAction*>(QStringLiteral("32798"));
    emit m_frame->menuBar()->findChild<QMenu*>(QStringLiteral("5002"))->aboutToShow();
    EXPECT_FALSE(checkInList->isEnabled());

    // The client services window closing: every slot freed, the panels refilled.
    view.DetailList()->clear();
    view.Target().Post(CLodgixView::kClientServicesClosedMessage, 0, 0);
    Deliver();
    EXPECT_TRUE(watch.isNull());
    EXPECT_FALSE(view.WindowSlots().AnyOpen());
    EXPECT_TRUE(checkInList->isEnabled());
    EXPECT_EQ(view.DetailList()->item(1)->text(), QStringLiteral("Stato camera: OCCUPATA"));

    // Any other window's close only frees the slots; a list's change rebuilds the planner.
    view.WindowSlots().Open(ModelessWindowSlots::kStatistics, std::make_unique<QWidget>());
    view.Target().Post(CLodgixView::kCloseWindowsMessage, 0, 0);
    Deliver();
    EXPECT_FALSE(view.WindowSlots().AnyOpen());
    EXPECT_EQ(view.SelectedRoom(), RoomId(QStringLiteral("103")));
    view.Target().Post(CLodgixView::kListChangedMessage, 0, 0);
    Deliver();
    EXPECT_EQ(view.SelectedRoom(), 0);
}

TEST_P(LodgixViewTest, AdministratorAndMessageRules)
{
    const int stay = CheckIn(StayRecord(QStringLiteral("103"), 8, 12));
    CLodgixView& view = Open();
    EXPECT_TRUE(view.IsCommandEnabled(32809));
    m_state.currentOperator.administrator = false;
    EXPECT_FALSE(view.IsCommandEnabled(32809));
    EXPECT_FALSE(view.IsCommandEnabled(32771));
    EXPECT_FALSE(view.IsCommandEnabled(32803));  // no selection
    view.SelectCell(RoomId(QStringLiteral("101")), 10);
    EXPECT_FALSE(view.IsCommandEnabled(32803));  // a free room
    EXPECT_FALSE(view.IsCommandEnabled(32804));
    view.SelectCell(RoomId(QStringLiteral("103")), 10);
    EXPECT_TRUE(view.IsCommandEnabled(32803));
    EXPECT_FALSE(view.IsCommandEnabled(32804));  // no message yet
    LeaveMessage(stay, QStringLiteral("uno"));
    Select(QStringLiteral("103"), 10);
    EXPECT_TRUE(view.IsCommandEnabled(32804));
}

TEST_P(LodgixViewTest, NewMessageIsStoredForTheStayDatedNowByTheOperator)
{
    const int stay = CheckIn(StayRecord(QStringLiteral("103"), 8, 12));
    CLodgixView& view = Open();
    view.SelectCell(RoomId(QStringLiteral("103")), 10);
    ModalAnswerer answer([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("1257"))->setText(QStringLiteral("Sig. Gialli"));
        dialog->findChild<QPlainTextEdit*>(QStringLiteral("1259"))->setPlainText(QStringLiteral("Richiamare"));
        dialog->findChild<QPushButton*>(QStringLiteral("1262"))->click();
    });
    view.PostCommand(32803);
    Deliver();
    EXPECT_EQ(answer.Count(), 1);
    std::vector<MessageRecord> messages;
    ASSERT_EQ(Db().LoadMessages(m_hotelId, messages), kNoError);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].checkInId, stay);
    EXPECT_EQ(messages[0].userId, m_operatorId);
    EXPECT_EQ(messages[0].from, QStringLiteral("Sig. Gialli"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Richiamare"));
    EXPECT_EQ(messages[0].date.ToDateTime(), kNow);
    // The planner was rebuilt: the stay's cells carry the message mark.
    EXPECT_EQ(view.Planner()->CellText(Row(QStringLiteral("103")), 10), QString(PlanningGlyph(kMessageCode)));
}

TEST_P(LodgixViewTest, ReminderListsAndItsDayChange)
{
    CheckInRecord stay = StayRecord(QStringLiteral("103"), 1, 9);  // its last night was yesterday
    CheckIn(stay);
    // The fixture's, so that they outlive the reminder whatever fails.
    std::atomic<int>& day = m_day;
    std::atomic<bool>& slowClock = m_slowClock;
    std::atomic<bool>& rebuilding = m_rebuilding;
    m_frame = std::make_unique<CMainFrame>();
    m_view = new CLodgixView(m_state);
    m_view->SetClock([&day, &slowClock, &rebuilding] {
        if (slowClock && QThread::currentThread() != QCoreApplication::instance()->thread()) {
            rebuilding = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return QDateTime(QDate(2024, 3, day.load()), QTime(12, 0));
    });
    m_frame->SetView(m_view);
    m_view->OnInitialUpdate();
    ASSERT_NE(m_state.reminder, nullptr);
    EXPECT_TRUE(m_state.reminder->IsRunning());
    ASSERT_TRUE(WaitFor([this] {
        QCoreApplication::processEvents();
        return m_view->AlertList()->count() > 0;
    }));
    EXPECT_EQ(m_view->AlertList()->item(0)->text(), QStringLiteral("Emergenze:"));
    EXPECT_EQ(m_view->AlertList()->ItemColour(0), 0x0000FFu);
    EXPECT_EQ(m_view->ReferenceDate(), March(10));

    // The day changes: the reminder has the planner rebuilt on the new reference date.
    day = 11;
    m_view->RefreshPlanning();  // wakes the reminder
    ASSERT_TRUE(WaitFor([this] {
        QCoreApplication::processEvents();
        return m_view->ReferenceDate() == March(11);
    }));
    EXPECT_EQ(m_view->Planner()->CellColour(0, 11), 0xFF0000u);

    // Shutdown while it rebuilds: it is joined.
    slowClock = true;
    m_state.reminder->Refresh();
    ASSERT_TRUE(WaitFor([&rebuilding] { return rebuilding.load(); }));
    m_state.Shutdown();
    EXPECT_EQ(m_state.reminder, nullptr);
    QCoreApplication::processEvents();
}

TEST_P(LodgixViewTest, DestroyingTheViewJoinsTheReminder)
{
    Open();
    ASSERT_NE(m_state.reminder, nullptr);
    m_state.reminder->Refresh();
    m_frame.reset();
    EXPECT_EQ(m_state.reminder, nullptr);
}

TEST_P(LodgixViewTest, ScreenshotsInBothLanguages)
{
    const int stay = CheckIn(StayRecord(QStringLiteral("101"), 8, 12));
    LeaveMessage(stay, QStringLiteral("uno"));
    CheckIn(StayRecord(QStringLiteral("103"), 9, 14));
    Book(QStringLiteral("102"), 14, 18);
    MakeUnavailable(QStringLiteral("102"), 2, 4);
    CheckInAndOut(StayRecord(QStringLiteral("103"), 3, 6), OleDate(2024, 3, 7, 9, 0, 0));
    const char state[] = {2, 1, 7, 0, 0};
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SCOPED_TRACE(language);
        SetLanguage(language);
        CLodgixView& view = Open();
        m_state.extensions.SetState(2, QByteArray(state, sizeof state));
        view.RefreshPlanning();
        ASSERT_TRUE(WaitFor([&view] {
            QCoreApplication::processEvents();
            return view.AlertList()->count() > 0;
        }));
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it");
        EXPECT_TRUE(HasNoClippedText(*m_frame));
        SaveScreenshot(*m_frame, QStringLiteral("lodgixview_month") + suffix);
        const std::pair<const char*, int> cells[] = {{"101", 10}, {"102", 15}, {"102", 3}, {"103", 5}, {"101", 20}};
        for (const auto& [room, day] : cells) {
            view.SelectCell(RoomId(QString::fromLatin1(room)), day);
            EXPECT_TRUE(HasNoClippedText(*m_frame)) << room << " " << day;
            SaveScreenshot(*m_frame, QStringLiteral("lodgixview_%1_%2").arg(QLatin1String(room)).arg(day) + suffix);
        }
        m_frame.reset();
        m_state.reminder.reset();
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_DB_TEST(LodgixViewTest);

}  // namespace
}  // namespace lodgix
