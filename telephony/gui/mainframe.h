#pragma once

#include "consolewindowcontext.h"
#include "consoleredrawtarget.h"
#include "framelayout.h"
#include "messagetarget.h"
#include "notificationicon.h"
#include "objectimagelists.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class CDerivedView;
class CEntryPhoneView;
class CEngineClient;
class CEventPopupDlg;
class EngineEventDispatcher;
class FrameCallProgress;
class CLineView;
class CPCPhoneView;
class CRecorderFtpClient;
class CRelayView;
class CSqlDatabase;
class InstallationSettings;
class OperatorConsoleState;
struct OperatorSettingsRecords;
class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class ToolButtonSequence;

// The operator console's frame: a multi-document area holding the five object windows in a fixed layout,
// a menu with the string table's texts, a tool bar, a status bar whose first pane shows the own
// extension's services, the notification icon it hides behind, the keys that drive the PC phone and the
// lines window, and the commands that open the lists, dialogs and settings, run the six programmable tool
// buttons and switch the own voice mail. Every message and command arrives as a posted window message.
class CMainFrame : public QMainWindow, public ConsoleRedrawTarget {
    Q_OBJECT
public:
    // Messages.
    static constexpr std::uint32_t kEngineEventMessage = WM_USER + 100;
    static constexpr std::uint32_t kIconMessage = WM_USER + 101;
    static constexpr std::uint32_t kHideToIconMessage = WM_USER + 102;
    static constexpr std::uint32_t kMissedCallsMessage = WM_USER + 104;
    static constexpr std::uint32_t kMessagesMessage = WM_USER + 105;
    static constexpr std::uint32_t kAlarmMessage = WM_USER + 106;
    // Ends the program whatever waits: how a termination signal reaches the frame.
    static constexpr std::uint32_t kTerminateMessage = WM_USER + 110;
    static constexpr std::int64_t kIconDoubleClick = 515;
    static constexpr std::int64_t kBalloonClick = 1029;

    // Commands.
    static constexpr std::uint32_t kToggleExtensions = 32785;
    static constexpr std::uint32_t kToggleLines = 32786;
    static constexpr std::uint32_t kToggleEntryPhones = 32787;
    static constexpr std::uint32_t kTogglePcPhone = 32788;
    static constexpr std::uint32_t kToggleRelays = 32810;
    static constexpr std::uint32_t kIncomingCalls = 32795;
    static constexpr std::uint32_t kOutgoingCalls = 32796;
    static constexpr std::uint32_t kAllCalls = 32797;
    static constexpr std::uint32_t kMissedCalls = 32803;
    static constexpr std::uint32_t kWakeUpEvents = 32798;
    static constexpr std::uint32_t kAlarms = 32809;
    static constexpr std::uint32_t kNotes = 32823;
    static constexpr std::uint32_t kOperatorMessages = 32828;
    static constexpr std::uint32_t kContactManager = 32799;
    static constexpr std::uint32_t kCallContact = 32800;
    static constexpr std::uint32_t kPbxDirectory = 32804;
    static constexpr std::uint32_t kSettings = 32818;
    static constexpr std::uint32_t kFirstToolButton = 32812;
    static constexpr std::uint32_t kLastToolButton = 32817;
    static constexpr std::uint32_t kVoiceMailSwitch = 32830;
    static constexpr std::uint32_t kToolBarCommand = 0xE800;
    static constexpr std::uint32_t kStatusBarCommand = 59393;
    static constexpr std::uint32_t kCloseCommand = 57602;
    static constexpr std::uint32_t kExitCommand = 57665;
    static constexpr std::uint32_t kAboutCommand = 57664;

    // What the frame works on and how it reaches the rest of the program.
    struct Services {
        OperatorConsoleState* state = nullptr;
        OperatorSettingsRecords* settings = nullptr;
        const InstallationSettings* installation = nullptr;
        OperatorImageLists* images = nullptr;
        CSqlDatabase* database = nullptr;
        std::function<CEngineClient*()> engine;
        CRecorderFtpClient* recorder = nullptr;  // the PBX's recorder, for the call lists' recordings
        QString settingsFolder;  // where the five settings files are written
        // The icon it hides behind; the desktop's system tray when none is given.
        std::unique_ptr<NotificationIcon> icon;
        // Runs a modal dialog; exec() by default.
        std::function<int(QDialog&)> runDialog;
        // Shows an engine or database failure (the error box by default).
        std::function<void(std::uint8_t code)> showError;
        // The text of the status bar's first pane.
        std::function<QString()> servicesText;
        // The engine-event dispatcher: each WM_USER+100.
        std::function<void(std::uint64_t wParam, std::int64_t lParam)> engineEvent;
        // Places a call from an extension (255: the own one), going off-hook first.
        std::function<void(const QString& number, int extension)> placeCall;
        // Tells what the program did on its standard output (nothing by default).
        std::function<void(const QString& line)> report;
        // The pauses of the tool buttons (a single-shot timer by default).
        std::function<void(std::chrono::milliseconds, std::function<void()>)> after;
    };

    explicit CMainFrame(Services services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    MessageTarget& Target() { return m_target; }
    // What every view and dialog that the frame opens is handed.
    const ConsoleWindowContext& WindowContext() const { return m_context; }

    // Start-up, once the frame is shown: the menu texts and the tool buttons' names.
    void BuildMenusAndToolButtons();
    // Opens the windows whose start-up flag is set in the main settings.
    void OpenStartupWindows();
    void SetPopup(CEventPopupDlg* popup) { m_popup = popup; }
    // The dispatcher does the data side of the popup's requests (WM_USER+104-106).
    void SetDispatcher(EngineEventDispatcher* dispatcher) { m_dispatcher = dispatcher; }
    void SetIconData(const NotificationIconData& data) { m_iconData = data; }
    const NotificationIconData& IconData() const { return m_iconData; }
    bool IsIconShown() const { return m_iconShown; }

    // The object windows.
    bool IsWindowOpen(ObjectWindow window) const;
    QMdiSubWindow* SubWindow(ObjectWindow window) const;
    CDerivedView* ExtensionsView() const;
    CLineView* LinesView() const;
    CEntryPhoneView* EntryPhonesView() const;
    CRelayView* RelaysView() const;
    CPCPhoneView* PcPhoneView() const;
    void ToggleWindow(ObjectWindow window);
    void CloseObjectWindows();
    // Places the open windows for the current client size.
    void LayoutWindows();
    QMdiArea* MdiArea() const { return m_mdi; }

    // What the dispatcher asks of the frame: an object's icon and its list item drawn again, the own
    // extension's texts and the PC phone's display, the popup's rows.
    void RedrawObject(PbxObjectType kind, int index) override;
    void RefreshOwnExtension() override;
    void RefreshPopup() override;

    // The commands' state as the menus and the tool bar show it.
    QAction* Action(std::uint32_t command) const;
    void UpdateCommandUi();
    void UpdateServicesPane();
    QToolBar* ToolBar() const { return m_toolBar; }

    // True while any extension's alarm waits for its acknowledgement.
    bool IsAlarmPending() const;

signals:
    // The frame closed by the exit command; the program ends.
    void Closing();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    QAction* AddCommand(QMenu* menu, std::uint32_t command);
    void OnCommand(std::uint64_t wParam, std::int64_t lParam);
    void OnIconMessage(std::int64_t lParam);
    void HideToIcon();
    void RunEventList(int listType, int extension, int option, int secondOption);
    void RunSettings();
    void RunToolButton(int row);
    void SwitchVoiceMail();
    void OnMissedCalls();
    void OnMessages();
    void OnAlarm(int extension, int action);
    bool HandleKey(QKeyEvent* key);
    bool CommandEnabled(std::uint32_t command) const;
    void OpenWindow(ObjectWindow window);
    void ForgetClosedWindow(QMdiSubWindow* window);
    int RunDialog(QDialog& dialog);
    void ShowError(std::uint8_t code);
    int OwnExtension() const;
    std::uint8_t ExtensionState(int extension) const;

    Services m_services;
    std::unique_ptr<FrameCallProgress> m_callProgress;
    ConsoleWindowContext m_context;
    QtMessageTarget m_target;
    MessageMap m_messages;
    QMdiArea* m_mdi;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_servicesPane;
    std::map<std::uint32_t, QAction*> m_actions;
    std::array<QMdiSubWindow*, kObjectWindowCount> m_windows{};
    CEventPopupDlg* m_popup = nullptr;
    EngineEventDispatcher* m_dispatcher = nullptr;
    std::unique_ptr<ToolButtonSequence> m_toolButtons;
    NotificationIconData m_iconData;
    bool m_iconShown = false;
    bool m_exiting = false;
};
