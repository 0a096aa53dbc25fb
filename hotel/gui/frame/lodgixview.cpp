// CLodgixView: construction, the command map, the planner and its loaders, the reminder's side.
#include "lodgixview.h"

#include "actionimages.h"
#include "admincommands.h"
#include "colorlistbox.h"
#include "engineerrorcode.h"
#include "exportlisttofile.h"
#include "lodgixprinting.h"
#include "lodgixstate.h"
#include "planninggridctrl.h"
#include "plannermonth.h"
#include "reminderclock.h"
#include "reminderthread.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

using namespace lodgix;

namespace {

constexpr unsigned kChooseActionString = 2174;  // "Scegli un'azione"
constexpr unsigned kMonthStringBase = 10019;    // + month: 10020 "Gennaio" .. 10031 "Dicembre"
constexpr unsigned kWeekdayLetterBase = 10049;  // + day of the week (1 Sunday): "D", "L", ...
constexpr unsigned kTitleString = 1003;         // "Lodgix"

constexpr int kTitleFontPixels = 20;
constexpr int kCaptionFontPixels = 18;
constexpr int kPlanningFontPixels = 12;
// The planning font: its symbols are those of PlanningGlyph.
const QString kPlanningFace = QStringLiteral("DejaVu Sans");

constexpr std::uint32_t kReferenceDayColour = 0xFF0000;  // the weekday letter of the reference date
constexpr std::uint32_t kWeekdayColour = 0xC0C0C0;
constexpr int kMaxYear = 0xFFFF;
// An action's place in the list: its picture over three lines of text.
constexpr QSize kActionCell(132, 84);
constexpr int kPlannerStretch = 4;
constexpr int kPanelsStretch = 5;  // the shown year is a 16-bit value

// The month spin: arrows only. Its up arrow goes forward (a negative delta), as the up-down control
// whose range runs from high to low.
class MonthSpin : public QAbstractSpinBox {
public:
    explicit MonthSpin(std::function<void(int)> delta, QWidget* parent) : QAbstractSpinBox(parent), m_delta(std::move(delta))
    {
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setReadOnly(true);
        setFrame(false);
    }
    void stepBy(int steps) override { m_delta(-steps); }
    QSize sizeHint() const override { return {24, 32}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    std::function<void(int)> m_delta;
};

// The reminder reads the time from the view's clock (a test's, or the PC's).
class ViewReminderClock : public ReminderClock {
public:
    explicit ViewReminderClock(CLodgixView::Clock clock) : m_clock(std::move(clock)) {}
    QDateTime Now() const override { return m_clock(); }
    std::chrono::milliseconds Ticks() const override { return m_system.Ticks(); }

private:
    CLodgixView::Clock m_clock;
    SystemReminderClock m_system;
};

QFont BoldPixelFont(int pixels)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

}  // namespace

CLodgixView::CLodgixView(LodgixState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_target(this), m_clock([] { return QDateTime::currentDateTime(); }),
      m_titleFont(BoldPixelFont(kTitleFontPixels)), m_captionFont(BoldPixelFont(kCaptionFontPixels)),
      m_exportList([](QWidget* parent, const CSortListCtrl& list) { lodgix::ExportListToFile(parent, list); }),
      m_referenceDate(0.0)
{
    setObjectName(QStringLiteral("CLodgixView"));
    setAutoFillBackground(true);
    m_planningFont = QFont(kPlanningFace);
    m_planningFont.setPixelSize(kPlanningFontPixels);
    const QDate today = Now().date();
    m_shownMonth = today.month();
    m_shownYear = today.year();
    CreateControls();

    m_messageMap.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        if (const auto found = m_commands.find(static_cast<int>(wParam)); found != m_commands.end())
            found->second();
    });
    m_messageMap.On(kActionKeyMessage, [this](std::uint64_t wParam, std::int64_t) { OnActionKey(static_cast<int>(wParam)); });
    m_messageMap.On(kCloseWindowsMessage, [this](std::uint64_t, std::int64_t) { CloseModelessWindows(); });
    m_messageMap.On(kListChangedMessage, [this](std::uint64_t, std::int64_t) { OnListChanged(); });
    m_messageMap.On(kClientServicesClosedMessage, [this](std::uint64_t, std::int64_t) { OnClientServicesClosed(); });
    m_messageMap.On(CReminderThread::kListsReady, [this](std::uint64_t flags, std::int64_t) { OnListsReady(flags); });
    RegisterCommands();
}

CLodgixView::~CLodgixView()
{
    // The windows first (they may post to the view), then the reminder, joined: nothing of the view is
    // read by it after this. No signal goes out: the frame may be half destroyed already.
    m_windows.CloseAll();
    if (m_state.reminder) {
        m_state.reminder->Stop();
        m_state.reminder.reset();
    }
}

void CLodgixView::RegisterCommands()
{
    RegisterActionCommands();
    RegisterPrintCommands();
    RegisterBookingCommands();
    RegisterStayCommands();
    RegisterRoomCommands();
    RegisterBillingCommands();
}

void CLodgixView::CreateControls()
{
    m_planner = new CPlanningGridCtrl(this);
    m_planner->setObjectName(QString::number(kPlannerId));
    m_spin = new MonthSpin([this](int delta) { StepMonth(delta); }, this);
    m_spin->setObjectName(QString::number(kSpinId));
    m_monthTitle = new QLabel(this);
    m_monthTitle->setObjectName(QString::number(kMonthTitleId));
    m_summary = new QListWidget(this);
    m_summary->setObjectName(QString::number(kSummaryId));
    m_detail = new QListWidget(this);
    m_detail->setObjectName(QString::number(kDetailId));
    m_alerts = new CColorListBox(this);
    m_alerts->setObjectName(QString::number(kAlertListId));
    m_actions = new QListWidget(this);
    m_actions->setObjectName(QString::number(kActionListId));
    m_actionCaption = new QLabel(this);
    m_actionCaption->setObjectName(QString::number(kActionCaptionId));
    for (QListWidget* list : {m_summary, m_detail, static_cast<QListWidget*>(m_alerts)})
        list->setSelectionMode(QAbstractItemView::NoSelection);
    m_actions->setViewMode(QListView::IconMode);
    m_actions->setIconSize(QSize(kActionImageSide, kActionImageSide));
    m_actions->setMovement(QListView::Static);
    m_actions->setResizeMode(QListView::Adjust);
    m_actions->setWordWrap(true);
    m_actions->setGridSize(kActionCell);
    m_actions->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_actions, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        const QList<QListWidgetItem*> selected = m_actions->selectedItems();
        if (!selected.isEmpty())
            RunAction(selected.first());
    });
    connect(m_planner, &CPlanningGridCtrl::CellClicked, this, [this](int roomId, int day) { SelectCell(roomId, day); });

    auto titleRow = new QHBoxLayout;
    titleRow->addWidget(m_spin);
    titleRow->addWidget(m_monthTitle, 1);
    auto planning = new QVBoxLayout;
    planning->addLayout(titleRow);
    planning->addWidget(m_planner, 1);
    auto actions = new QVBoxLayout;
    actions->addWidget(m_actionCaption);
    actions->addWidget(m_actions, 1);
    auto panels = new QGridLayout;
    panels->addWidget(m_summary, 0, 0);
    panels->addWidget(m_detail, 1, 0);
    panels->addLayout(actions, 0, 1);
    panels->addWidget(m_alerts, 1, 1);
    panels->setColumnStretch(0, 1);
    panels->setColumnStretch(1, 1);
    auto layout = new QVBoxLayout(this);
    // The planner above; below it as much room again for the panels, the actions and the alerts.
    layout->addLayout(planning, kPlannerStretch);
    layout->addLayout(panels, kPanelsStretch);
}

// --- Commands and messages ---

void CLodgixView::OnCommand(int command, std::function<void()> handler)
{
    m_commands[command] = std::move(handler);
}

void CLodgixView::OnUpdateCommand(int command, UpdateRule rule)
{
    m_rules[command] = std::move(rule);
}

bool CLodgixView::IsCommandEnabled(int command) const
{
    const auto found = m_rules.find(command);
    return found == m_rules.end() || found->second();
}

void CLodgixView::PostCommand(int command)
{
    m_target.Post(WM_COMMAND, static_cast<std::uint64_t>(command), 0);
}

void CLodgixView::OnMessage(std::uint32_t message, MessageMap::Handler handler)
{
    m_messageMap.On(message, std::move(handler));
}

bool CLodgixView::event(QEvent* event)
{
    if (event->type() == WindowMessageEvent::EventType()) {
        const auto* message = static_cast<WindowMessageEvent*>(event);
        m_messageMap.Dispatch(event);
        emit MessageReceived(message->Message(), message->WParam(), message->LParam());
        return true;
    }
    return QWidget::event(event);
}

// --- Clock ---

void CLodgixView::SetClock(Clock clock)
{
    m_clock = std::move(clock);
    const QDate today = Now().date();
    m_shownMonth = today.month();
    m_shownYear = today.year();
}

QDateTime CLodgixView::Now() const
{
    return m_clock();
}

OleDate CLodgixView::Today() const
{
    const QDate today = Now().date();
    return OleDate(today.year(), today.month(), today.day());
}

// --- Start, reminder ---

void CLodgixView::OnInitialUpdate()
{
    m_monthTitle->setFont(m_titleFont);
    m_actionCaption->setFont(m_captionFont);
    m_actionCaption->setText(LoadResString(kChooseActionString));
    m_planner->setShowGrid(true);
    m_planner->setFont(m_planningFont);
    m_referenceDate = Today();
    m_actionImages = ActionImages();
    m_actions->clear();
    RefreshPlanning();
    UpdateDocumentTitle();
    StartReminder();
}

void CLodgixView::StartReminder()
{
    if (!m_state.database || m_state.reminder)
        return;
    CReminderThread::Setup setup;
    setup.database = (m_state.reminderDatabase ? *m_state.reminderDatabase : *m_state.database).Parameters();
    setup.serverName = m_state.serverName;
    setup.hotelId = m_state.hotelId;
    setup.rooms = Rooms();
    setup.dayChangeHour = m_state.hotelSettings.latestCheckOutHour;
    setup.target = &m_target;
    setup.refreshExtensionStates = [tables = &m_state.extensions](CHotelDatabase& database) {
        return tables->RefreshExtensionStates(database) != 0;
    };
    setup.clock = std::make_shared<ViewReminderClock>(m_clock);
    m_state.reminder = std::make_unique<CReminderThread>(std::move(setup));
    m_state.reminder->Start();
    // The first lists at once, not after the first minute's wait.
    m_state.reminder->Refresh();
}

void CLodgixView::OnListsReady(std::uint64_t flags)
{
    if (!m_state.reminder)
        return;
    if (flags & CReminderThread::kRefreshPlanner) {
        m_referenceDate = Today();
        RefreshPlanning();
    }
    FillAlertList();
}

void CLodgixView::FillAlertList()
{
    m_alerts->clear();
    if (!m_state.reminder)
        return;
    for (const AlertLine& line : AlertListLines(m_state.reminder->Lists())) {
        const int index = m_alerts->InsertColoredString(-1, line.text, line.colour);
        m_alerts->item(index)->setToolTip(line.text);
    }
}

void CLodgixView::RoomsChanged()
{
    if (m_state.reminder)
        m_state.reminder->SetRooms(Rooms());
}

void CLodgixView::SettingsChanged()
{
    if (m_state.reminder)
        m_state.reminder->SetDayChangeHour(m_state.hotelSettings.latestCheckOutHour);
}

// --- Month and selection ---

void CLodgixView::ShowMonth(int year, int month)
{
    m_shownYear = year;
    m_shownMonth = month;
    RefreshPlanning();
}

void CLodgixView::StepMonth(int delta)
{
    if (delta > 0) {
        if (m_shownMonth > 1)
            --m_shownMonth;
        else if (m_shownYear > 0) {
            m_shownMonth = 12;
            --m_shownYear;
        }
    } else if (delta < 0) {
        if (m_shownMonth < 12)
            ++m_shownMonth;
        else if (m_shownYear < kMaxYear) {
            m_shownMonth = 1;
            ++m_shownYear;
        }
    }
    RefreshPlanning();
}

OleDate CLodgixView::SelectedDate() const
{
    return OleDate(m_shownYear, m_shownMonth, m_selectedDay);
}

void CLodgixView::SelectCell(int roomId, int day)
{
    m_selectedRoom = roomId;
    m_selectedDay = day;
    RefreshPanels();
}

std::vector<RoomRecord> CLodgixView::Rooms() const
{
    // Start-up cuts the count to the PBXs' capacity, not the table.
    const auto count = std::min(static_cast<std::size_t>(std::max(m_state.roomCount, 0)), m_state.rooms.size());
    return {m_state.rooms.begin(), m_state.rooms.begin() + static_cast<std::ptrdiff_t>(count)};
}

int CLodgixView::RoomIndex(int roomId) const
{
    const int count = std::min(m_state.roomCount, static_cast<int>(m_state.rooms.size()));
    for (int i = 0; i < count; ++i)
        if (m_state.rooms[static_cast<std::size_t>(i)].id == roomId)
            return i;
    return -1;
}

// --- Loaders ---

int CLodgixView::LoadBookings(const OleDate& from, const OleDate& to, std::vector<BookingRecord>& bookings,
                              int roomFilter, CHotelDatabase* database)
{
    bookings.clear();
    CHotelDatabase* db = database ? database : m_state.database.get();
    const int result = db ? db->LoadBookings(m_state.hotelId, from, to, roomFilter, bookings) : kDbNotConnected;
    if (result != kNoError)
        bookings.clear();
    return result;
}

int CLodgixView::LoadUnavailability(const OleDate& from, const OleDate& to, std::vector<AvailabilityRecord>& periods,
                                    int roomFilter)
{
    periods.clear();
    CHotelDatabase* db = m_state.database.get();
    const int result = db ? db->LoadUnavailability(m_state.hotelId, from, to, roomFilter, periods) : kDbNotConnected;
    if (result != kNoError)
        periods.clear();
    return result;
}

void CLodgixView::LoadCheckIns(const OleDate& from, const OleDate& to, std::vector<CheckInRecord>& stays,
                               int roomFilter, CHotelDatabase* database)
{
    stays.clear();
    CHotelDatabase* db = database ? database : m_state.database.get();
    if (!db || db->LoadCheckIns(m_state.hotelId, from, to, roomFilter, stays) != kNoError)
        stays.clear();
}

void CLodgixView::LoadCheckIns(std::vector<CheckInRecord>& openStays, int roomFilter, CHotelDatabase* database)
{
    openStays.clear();
    CHotelDatabase* db = database ? database : m_state.database.get();
    if (!db || db->LoadCheckIns(m_state.hotelId, roomFilter, openStays) != kNoError)
        openStays.clear();
}

void CLodgixView::LoadMessages()
{
    m_messages.clear();
    if (!m_state.database || m_state.database->LoadMessages(m_state.hotelId, m_messages) != kNoError)
        m_messages.clear();
}

int CLodgixView::GetRoomDayStatus(int roomId, const OleDate& date, RoomDayStatus& out, const RoomDayRecords* records) const
{
    return lodgix::GetRoomDayStatus(roomId, date, out, records ? *records : m_month);
}

int CLodgixView::GetRoomDayStatusExceptBooking(int roomId, const OleDate& date, RoomDayStatus& out,
                                               const RoomDayRecords& records, int bookingId) const
{
    return lodgix::GetRoomDayStatusExceptBooking(roomId, date, out, records, bookingId);
}

int CLodgixView::GetRoomDayStatusExceptStay(int roomId, const OleDate& date, RoomDayStatus& out,
                                            const RoomDayRecords& records, int checkInId) const
{
    return lodgix::GetRoomDayStatusExceptStay(roomId, date, out, records, checkInId);
}

int CLodgixView::GetRoomDayStatusExceptUnavailability(int roomId, const OleDate& date, RoomDayStatus& out,
                                                      const RoomDayRecords& records, int availabilityId) const
{
    return lodgix::GetRoomDayStatusExceptUnavailability(roomId, date, out, records, availabilityId);
}

RoomDayStatus CLodgixView::SelectedStatus() const
{
    RoomDayStatus status;
    if (m_selectedRoom != 0 && m_selectedDay != 0)
        GetRoomDayStatus(m_selectedRoom, SelectedDate(), status);
    return status;
}

int CLodgixView::CountRoomMessages(int checkInId) const
{
    return static_cast<int>(std::count_if(m_messages.begin(), m_messages.end(),
                                          [checkInId](const MessageRecord& message) { return message.checkInId == checkInId; }));
}

// --- The planner ---

void CLodgixView::RefreshPlanning()
{
    OleDate first;
    OleDate last;
    BuildDayColumns(first, last);
    const bool loaded = LoadMonth(first, last);
    LoadMessages();
    if (loaded)
        BuildRoomRows();
    ShowMonthTitle();
    m_selectedRoom = 0;
    m_selectedDay = 0;
    RefreshPanels();
    if (m_state.reminder)
        m_state.reminder->Refresh();
}

void CLodgixView::BuildDayColumns(OleDate& first, OleDate& last)
{
    m_planner->Clear();
    m_planner->AddColumn(0, QString());
    const int days = DaysInMonth(m_shownYear, m_shownMonth);
    for (int day = 1; day <= days && day < CPlanningGridCtrl::kMaxColumns; ++day) {
        m_planner->AddColumn(day, QString::number(day));
        if (day == 1)
            m_planner->AddRow(0, QString(), 0);
        const OleDate date(m_shownYear, m_shownMonth, day);
        m_planner->SetCell(0, day, LoadResString(kWeekdayLetterBase + static_cast<unsigned>(date.DayOfWeek())),
                           date == m_referenceDate ? kReferenceDayColour : kWeekdayColour);
    }
    first = OleDate(m_shownYear, m_shownMonth, 1);
    last = OleDate(m_shownYear, m_shownMonth, std::max(days, 1));
}

bool CLodgixView::LoadMonth(const OleDate& first, const OleDate& last)
{
    int result = kDbNotConnected;
    if (m_state.database)
        result = LoadRoomDayRecords(*m_state.database, m_state.hotelId, first, last, kAllRooms, m_month);
    else
        m_month = {};
    // A month that could not be read is not shown as free rooms: the planner keeps no rows and the status
    // bar says why, until a rebuild reads it.
    if (result != kNoError) {
        m_month = {};
        m_monthLoadFailed = true;
        emit StatusText(LoadResString(kEngineErrorTextBase + static_cast<unsigned>(result)));
        return false;
    }
    if (m_monthLoadFailed) {
        m_monthLoadFailed = false;
        emit StatusText(QString());
    }
    return true;
}

void CLodgixView::BuildRoomRows()
{
    const std::vector<RoomRecord> rooms = Rooms();
    RoomDayRecords referenceDay;
    LoadRoomDayRecords(*m_state.database, m_state.hotelId, m_referenceDate, m_referenceDate, kAllRooms, referenceDay);
    PlannerSources sources;
    sources.year = m_shownYear;
    sources.month = m_shownMonth;
    sources.days = m_planner->ColumnCount() - 1;
    sources.rooms = &rooms;
    sources.monthRecords = &m_month;
    sources.referenceDay = &referenceDay;
    sources.referenceDate = m_referenceDate;
    sources.messages = &m_messages;
    sources.now = Now();
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        const ExtensionTables::Room extension = m_state.extensions.RoomAt(static_cast<int>(i));
        sources.wakeUps.push_back(WakeUpFromState(extension.valid, extension.state));
    }
    const std::vector<PlannerRow> rows = BuildPlannerRows(sources);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PlannerRow& row = rows[i];
        const int index = static_cast<int>(i) + 1;
        m_planner->AddRow(index, row.label, row.roomId);
        m_planner->SetCell(index, 0, row.label, row.labelColour);
        for (std::size_t day = 0; day < row.cells.size(); ++day)
            m_planner->SetCell(index, static_cast<int>(day) + 1, row.cells[day].text, row.cells[day].colour);
    }
}

void CLodgixView::ShowMonthTitle()
{
    m_monthTitle->setText(LoadResString(kMonthStringBase + static_cast<unsigned>(m_shownMonth)) + u' ' +
                          QString::number(m_shownYear));
}

QString CLodgixView::DocumentTitle() const
{
    return m_state.hotel.name + QStringLiteral(" (") + m_state.currentOperator.userName + u')';
}

void CLodgixView::UpdateDocumentTitle()
{
    if (QWidget* frame = window(); frame != this)
        frame->setWindowTitle(DocumentTitle() + QStringLiteral(" - ") + LoadResString(kTitleString));
}

// --- Modeless windows ---

void CLodgixView::CloseModelessWindows()
{
    m_windows.CloseAll();
    emit CommandStatesChanged();
}

void CLodgixView::OnListChanged()
{
    RefreshPlanning();
}

void CLodgixView::OnClientServicesClosed()
{
    CloseModelessWindows();
    RefreshPanels();
}

bool CLodgixView::OnUpdateNoWindowOpen() const
{
    return !m_windows.AnyOpen();
}

bool CLodgixView::OnUpdateAdministrator() const
{
    return m_state.currentOperator.administrator;
}
