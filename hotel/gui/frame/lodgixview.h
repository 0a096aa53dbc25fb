#pragma once

#include "deskwindowlinks.h"
#include "messagerecord.h"
#include "messagetarget.h"
#include "modelesswindowslots.h"
#include "oledate.h"
#include "roomdaystatus.h"
#include "roomrecord.h"

#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class CColorListBox;
class CPlanningGridCtrl;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QAbstractSpinBox;

namespace lodgix {
class CDeskCommands;

class AdminCommands;
class CHotelDatabase;
class ViewDeskCommands;
struct LodgixState;
}  // namespace lodgix

// The hotel program's one view: a month of rooms by days (the planner), the month title and its spin, the
// selected room's summary and details, the actions that fit the selected room and day, and the reminder's
// alert list. It works on the program-wide state it is given (never on the application object).
//
// Commands. The frame posts the menu's commands to the view (WM_COMMAND, the id as wParam) and the
// Ctrl+letter keys (kActionKeyMessage); the action list posts the command of the action chosen. A command
// runs its handler (OnCommand); its update rule (OnUpdateCommand) says whether its menu entry and toolbar
// button are enabled, and a command without a rule is always enabled. The view's files register their
// commands by role, each in a member `Register<Role>Commands()` declared below and called once by the
// constructor (lodgixview.cpp, RegisterCommands): lodgixview_actions.cpp the action list, the window
// slots' rules and the guest message commands. A new role adds its file (lodgixview_<role>.cpp, in the
// folder of its dialogs) with its Register...Commands(), one declaration in the block below and one
// call in RegisterCommands. Messages from the view's own windows go through OnMessage the same way.
class CLodgixView : public QWidget {
    Q_OBJECT
public:
    // Messages the view answers.
    static constexpr std::uint32_t kActionKeyMessage = WM_USER + 100;      // wParam: an action's code 1-24
    static constexpr std::uint32_t kCloseWindowsMessage = WM_USER + 101;   // a modeless window closed
    static constexpr std::uint32_t kPrintListedStayMessage = WM_USER + 102;  // wParam: the check-out list's row
    static constexpr std::uint32_t kListChangedMessage = WM_USER + 103;    // a list window changed data
    static constexpr std::uint32_t kClientServicesClosedMessage = WM_USER + 105;

    // Controls of the view, by id (their object names).
    static constexpr int kPlannerId = 1000;
    static constexpr int kSpinId = 1002;
    static constexpr int kMonthTitleId = 1003;
    static constexpr int kSummaryId = 1153;
    static constexpr int kDetailId = 1154;
    static constexpr int kAlertListId = 1168;
    static constexpr int kActionListId = 1169;
    static constexpr int kActionCaptionId = 1170;

    static constexpr std::uint16_t kAllRooms = 0xFFFF;

    using Clock = std::function<QDateTime()>;
    using UpdateRule = std::function<bool()>;

    // The view of the state's hotel. Nothing is loaded before OnInitialUpdate.
    explicit CLodgixView(lodgix::LodgixState& state, QWidget* parent = nullptr);
    ~CLodgixView() override;

    // Builds the planner, the panels and the title, then starts the reminder thread.
    void OnInitialUpdate();

    lodgix::LodgixState& State() { return m_state; }
    MessageTarget& Target() { return m_target; }

    // --- Commands and messages ---
    void OnCommand(int command, std::function<void()> handler);
    void OnUpdateCommand(int command, UpdateRule rule);
    bool IsCommandEnabled(int command) const;
    bool HasCommand(int command) const { return m_commands.count(command) != 0; }
    // Posts a command to the view, as a menu entry does.
    void PostCommand(int command);
    void OnMessage(std::uint32_t message, MessageMap::Handler handler);

    // --- "Now", from the clock a test may set (before OnInitialUpdate: the shown month is its today's) ---
    void SetClock(Clock clock);
    QDateTime Now() const;
    OleDate Today() const;  // taken afresh: today at 00:00

    // --- Month, selection, reference date ---
    int ShownMonth() const { return m_shownMonth; }
    int ShownYear() const { return m_shownYear; }
    // Shows another month (the planner is rebuilt).
    void ShowMonth(int year, int month);
    // One month back (delta > 0) or forward (delta < 0), as the spin does; then the planner is rebuilt.
    void StepMonth(int delta);
    int SelectedRoom() const { return m_selectedRoom; }
    int SelectedDay() const { return m_selectedDay; }
    OleDate SelectedDate() const;  // shown year and month, selected day, 00:00
    // A click on a day cell of a room: the selection, then the panels.
    void SelectCell(int roomId, int day);
    const OleDate& ReferenceDate() const { return m_referenceDate; }

    // --- The month's records ---
    const lodgix::RoomDayRecords& MonthRecords() const { return m_month; }
    const std::vector<lodgix::MessageRecord>& Messages() const { return m_messages; }
    // The first roomCount rooms of the room table: the planner's rows.
    std::vector<lodgix::RoomRecord> Rooms() const;
    // The room's index in the room table among the rooms in use, or -1.
    int RoomIndex(int roomId) const;

    // Loaders over the hotel database (null: the main one): the records of the current hotel that touch the
    // period, of one room or of all (kAllRooms). On a failure the vector is empty. Without dates,
    // LoadCheckIns loads the open stays.
    int LoadBookings(const OleDate& from, const OleDate& to, std::vector<lodgix::BookingRecord>& bookings,
                     int roomFilter = kAllRooms, lodgix::CHotelDatabase* database = nullptr);
    int LoadUnavailability(const OleDate& from, const OleDate& to, std::vector<lodgix::AvailabilityRecord>& periods,
                           int roomFilter = kAllRooms);
    void LoadCheckIns(const OleDate& from, const OleDate& to, std::vector<lodgix::CheckInRecord>& stays,
                      int roomFilter = kAllRooms, lodgix::CHotelDatabase* database = nullptr);
    void LoadCheckIns(std::vector<lodgix::CheckInRecord>& openStays, int roomFilter = kAllRooms,
                      lodgix::CHotelDatabase* database = nullptr);
    // The visible messages of the hotel into the view's list.
    void LoadMessages();

    // Day status over a set of records (null: the month's).
    int GetRoomDayStatus(int roomId, const OleDate& date, lodgix::RoomDayStatus& out,
                         const lodgix::RoomDayRecords* records = nullptr) const;
    // The same with one record set aside (the one a command modifies); FindBooking, FindUnavailability,
    // FindOpenStay and FindClosedStay are the free functions of roomdaystatus.h.
    int GetRoomDayStatusExceptBooking(int roomId, const OleDate& date, lodgix::RoomDayStatus& out,
                                      const lodgix::RoomDayRecords& records, int bookingId) const;
    int GetRoomDayStatusExceptStay(int roomId, const OleDate& date, lodgix::RoomDayStatus& out,
                                   const lodgix::RoomDayRecords& records, int checkInId) const;
    int GetRoomDayStatusExceptUnavailability(int roomId, const OleDate& date, lodgix::RoomDayStatus& out,
                                             const lodgix::RoomDayRecords& records, int availabilityId) const;
    // The selected room's status on the selected date over the month's records.
    lodgix::RoomDayStatus SelectedStatus() const;
    int CountRoomMessages(int checkInId) const;

    // --- Rebuilds ---
    // The whole planner for the shown month, the title, no selection, the panels; wakes the reminder.
    void RefreshPlanning();
    // Summary, details and actions of the selection.
    void RefreshPanels();
    void FillRoomSummary();
    void FillRoomDetail();
    void FillActionList();
    void FillAlertList();
    // The hotel's name and the operator's, in the window's title.
    void UpdateDocumentTitle();
    QString DocumentTitle() const;
    // Hand the reminder the rooms and the day-change hour after they changed.
    void RoomsChanged();
    void SettingsChanged();

    // --- Modeless windows and their rules ---
    ModelessWindowSlots& WindowSlots() { return m_windows; }
    // Printing: the print request, the document being printed and the queue of documents (lodgixview_print.cpp).
    lodgix::CLodgixPrinting& Printing() { return *m_printing; }
    // The export of a list to a file, for the windows' "Salva"; none until the program connects it.
    void SetListExport(lodgix::DeskWindowLinks::ListExport exportList) { m_exportList = std::move(exportList); }
    void CloseModelessWindows();
    // A list window changed data: the planner again. The client services window closed: the slots freed,
    // then the room's panels again.
    void OnListChanged();
    void OnClientServicesClosed();
    bool OnUpdateNoWindowOpen() const;
    bool OnUpdateAdministrator() const;

    // --- Controls (tests find them by id too) ---
    CPlanningGridCtrl* Planner() const { return m_planner; }
    QListWidget* SummaryList() const { return m_summary; }
    QListWidget* DetailList() const { return m_detail; }
    QListWidget* ActionList() const { return m_actions; }
    CColorListBox* AlertList() const { return m_alerts; }
    QLabel* MonthTitle() const { return m_monthTitle; }

signals:
    // Every message the view received, after its handler ran.
    void MessageReceived(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
    // Text for the frame's status bar (empty: clear it).
    void StatusText(const QString& text);
    // The state that the update rules read changed: the frame updates its menu and toolbar.
    void CommandStatesChanged();

protected:
    bool event(QEvent* event) override;

private:
    // Commands by role: each role file defines its own and RegisterCommands calls them in order.
    void RegisterCommands();
    void RegisterActionCommands();  // lodgixview_actions.cpp
    void RegisterPrintCommands();   // lodgixview_print.cpp: printing, documents, lists, statistics, group booking

    // --- lodgixview_print.cpp ---
    lodgix::DeskWindowLinks DeskLinks();
    void OpenListWindow(int mode);
    void OnPrintPreview();
    void OnPrintOptions();
    void OnOpenDocument();
    void OnPrintListedStay(std::uint64_t row);

    void RegisterBookingCommands();  // desk/lodgixview_bookings.cpp
    void RegisterStayCommands();     // desk/lodgixview_stays.cpp
    // The front desk's commands over this view, made at their first use; a command and its update rule.
    lodgix::CDeskCommands& DeskCommands();
    void RegisterDeskCommand(int command, void (lodgix::CDeskCommands::*run)(),
                             bool (lodgix::CDeskCommands::*enabled)() const);
    std::shared_ptr<lodgix::ViewDeskCommands> m_deskCommands;

    void RegisterRoomCommands();    // admin/lodgixview_rooms.cpp: hotel, rooms, lists, operator, registers
    void RegisterBillingCommands(); // billing/lodgixview_billing.cpp: bills, check-out, services, documents
    // The partial bill (billing/lodgixview_roombill.cpp): the selected room's open stay's bill so far,
    // shown only; there must be a room selected and occupied on the selected day.
    void OnPartialBill();
    bool CanPartialBill() const;
    void OnEditDocument();          // billing/lodgixview_billing.cpp: an issued receipt or invoice changed
    void OpenRegistry(int kind);    // admin/lodgixview_rooms.cpp

    void CreateControls();
    void StartReminder();
    void OnListsReady(std::uint64_t flags);
    void OnActionKey(int code);
    void RunAction(QListWidgetItem* item);
    void BuildDayColumns(OleDate& first, OleDate& last);
    bool LoadMonth(const OleDate& first, const OleDate& last);
    void BuildRoomRows();
    void ShowMonthTitle();
    void AddSummaryLine(const QString& text);
    void AddDetailLine(const QString& text);
    void FillStayGuests(const lodgix::CheckInRecord& stay);
    void FillStayDocuments(const lodgix::CheckInRecord& stay);
    void FillClosedStays();
    void OnNewMessage();
    void OnMessageList();
    bool SelectedOccupied(lodgix::CheckInRecord* stay = nullptr) const;

    lodgix::LodgixState& m_state;
    QtMessageTarget m_target;
    MessageMap m_messageMap;
    std::unordered_map<int, std::function<void()>> m_commands;
    std::unordered_map<int, UpdateRule> m_rules;
    Clock m_clock;

    CColorListBox* m_alerts = nullptr;
    CPlanningGridCtrl* m_planner = nullptr;
    QFont m_titleFont;
    QFont m_captionFont;
    QFont m_planningFont;
    int m_shownMonth = 1;
    int m_shownYear = 2000;
    int m_selectedDay = 0;
    int m_selectedRoom = 0;
    std::vector<QIcon> m_actionImages;
    ModelessWindowSlots m_windows;
    std::unique_ptr<lodgix::CLodgixPrinting> m_printing;
    lodgix::DeskWindowLinks::ListExport m_exportList;
    OleDate m_referenceDate;
    lodgix::RoomDayRecords m_month;
    bool m_monthLoadFailed = false;
    std::vector<lodgix::MessageRecord> m_messages;
    std::unique_ptr<lodgix::AdminCommands> m_adminCommands;

    QAbstractSpinBox* m_spin = nullptr;
    QLabel* m_monthTitle = nullptr;
    QLabel* m_actionCaption = nullptr;
    QListWidget* m_summary = nullptr;
    QListWidget* m_detail = nullptr;
    QListWidget* m_actions = nullptr;
};
