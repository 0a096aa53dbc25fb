#pragma once

#include "consolewindowcontext.h"
#include "messagetarget.h"
#include "oledate.h"
#include "popuprow.h"

#include <QDialog>
#include <QFont>
#include <QVariant>

#include <array>
#include <cstdint>
#include <functional>
#include <map>

class CDerivedView;
class CPopupRowButton;
class QComboBox;
class QLabel;
class QTimer;

// The call and event popup (dialog 215): always on top at the bottom right of the desktop, one row per
// thing that concerns this station now (calls ringing, in conversation, held or ended, calls waiting on
// the lines, messages, missed calls, alarms, the recorder), each with its buttons. WM_USER+201 rebuilds
// the rows from the console's state; the buttons post WM_USER+200 back to it; what belongs to the frame
// (the lists, the alarms) goes there as WM_USER+104 to +106. Every control is made at run time.
class CEventPopupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr std::uint32_t kRowActionMessage = WM_USER + 200;
    static constexpr std::uint32_t kRefreshMessage = WM_USER + 201;
    static constexpr std::uint32_t kMissedCallsMessage = WM_USER + 104;
    static constexpr std::uint32_t kMessagesMessage = WM_USER + 105;
    static constexpr std::uint32_t kAlarmMessage = WM_USER + 106;
    // WM_USER+106's lParam.
    static constexpr std::int64_t kAlarmNotAnswered = 0;
    static constexpr std::int64_t kAlarmReset = 1;
    static constexpr std::int64_t kAlarmShow = 2;
    // The controls' identifiers are these plus the row.
    static constexpr int kTextId = 5000;
    static constexpr int kFirstButtonId = 5100;
    static constexpr int kSecondButtonId = 5200;
    static constexpr int kThirdButtonId = 5400;
    static constexpr int kTransferListId = 5300;
    static constexpr unsigned kAlarmCountdownSeconds = 500;
    static constexpr std::uint8_t kNoExtension = 255;
    static inline const QString kAlarmSoundFile = QStringLiteral("AlarmSnd.psx");

    // What the popup reaches beyond the context; each has a default.
    struct Hooks {
        std::function<CDerivedView*()> extensionsView;   // the call actions' view; none: they do nothing
        std::function<int(QDialog&)> runDialog;          // exec()
        std::function<bool(const QString&)> playLoop;    // Sound::PlayLoop
        std::function<void()> stopSound;                 // Sound::Stop
        std::function<QRect()> workArea;                 // the primary screen's available geometry
        std::function<OleDate()> clock;                  // OleDate::Now
    };

    CEventPopupDlg(const ConsoleWindowContext& context, MessageTarget& frame, int stationExtension,
                   QWidget* parent = nullptr);
    ~CEventPopupDlg() override;

    void SetHooks(Hooks hooks);
    MessageTarget& Target() { return m_target; }
    int OwnExtension() const { return m_station; }

    // What tests and the frame look at.
    const PopupRowTable& Rows() const { return m_rows; }
    int Refreshes() const { return m_refreshes; }
    int RowsLeftOut() const { return m_leftOut; }
    bool IsShownFlag() const { return m_shown; }
    unsigned AlarmCountdown() const { return m_alarmCountdown; }
    bool IsAlarmSoundOn() const { return m_alarmSoundOn; }
    bool IsRecordingRequested() const { return m_recordingRequested; }
    QString TransferNumber() const { return m_transferNumber; }
    int TransferExtension() const { return m_transferExtension; }
    // Flash, place-call, transfer-code, release pending, and the fifth flag cleared with them.
    const std::array<bool, 5>& TransferSteps() const { return m_transferSteps; }
    int CharWidth() const { return m_charWidth; }
    int LineHeight() const { return m_lineHeight; }
    // Where the window goes for a client size: its right and bottom edges on the work area's.
    QRect PlaceFor(const QSize& client) const;

    // Lays the rows' controls out; the client size they need.
    QSize LayoutRows();
    // Timer 1, every second: the countdown of unanswered alarms.
    void OnTimer();

signals:
    void Refreshed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    enum TransferStep { kFlashPending, kPlaceCallPending, kTransferCodePending, kReleasePending, kFifthStep };

    // The refresh (eventpopupdlg_refresh.cpp).
    void OnRefresh();
    void RefreshOnce();
    PopupRowTable BuildRows();
    void AddStationLinkRows(PopupRowTable& rows);
    void AddStationCallRows(PopupRowTable& rows);
    void AddMissedCallsRow(PopupRowTable& rows);
    void AddAlarmRows(PopupRowTable& rows);
    void AddRecorderRow(PopupRowTable& rows);
    void RunFilter(const QString& key);
    void RunTransferSteps();
    void FollowAlarmSound();
    void ShowOrHide(bool anyRow, const QSize& client);
    PopupRow NamedRow(PopupSource kind, int index, const QString& status) const;
    QString CallerOfLine(int line) const;
    QString ObjectName(PopupSource kind, int index) const;

    // The actions (eventpopupdlg_actions.cpp).
    void OnRowAction(std::uint64_t wParam, std::int64_t lParam);
    void DoRowAction(PopupAction action, int parameter);
    bool CallAction(int extension);
    void Resume();
    void PickUpLine(int line);
    void AddNote();
    void RequestRecording();
    // Dials from the station; a failure is shown unless `report` is false.
    std::uint8_t Dial(const QString& text, bool report = true);
    void ShowError(int code);

    // The layout's controls of one row.
    void LayoutButton(int row, int place, int left, int top, int width);
    void LayoutTransferList(int row, int left, int top, int width);
    void DestroyRowControls(int row);

    // The state read.
    std::uint8_t StationState() const;
    std::uint8_t StationLinkType() const;
    std::uint8_t StationLinkIndex() const;
    int Extensions() const;
    int Lines() const;
    int EntryPhones() const;
    std::uint8_t Pbx() const;
    std::uint8_t OfficeOptions() const;

    ConsoleWindowContext m_context;
    MessageTarget& m_frame;
    Hooks m_hooks;
    QtMessageTarget m_target;
    MessageMap m_messages;
    QTimer* m_timer;

    std::array<CPopupRowButton*, PopupRowTable::kMaxRows> m_firstButtons{};
    std::array<CPopupRowButton*, PopupRowTable::kMaxRows> m_secondButtons{};
    std::array<CPopupRowButton*, PopupRowTable::kMaxRows> m_thirdButtons{};
    std::array<QLabel*, PopupRowTable::kMaxRows> m_texts{};
    std::array<QComboBox*, PopupRowTable::kMaxRows> m_transferLists{};
    std::map<int, QVariant> m_chosenTransfers;  // by row source, while the lists are filled again
    PopupRowTable m_rows;
    QFont m_font;
    bool m_shown = false;
    bool m_firstShow = true;
    int m_charWidth = 0;
    int m_lineHeight = 0;
    int m_station;
    unsigned m_alarmCountdown = 0;
    bool m_alarmSoundOn = false;
    QString m_transferNumber;
    int m_transferExtension = kNoExtension;
    std::array<bool, 5> m_transferSteps{};
    bool m_recordingRequested = false;

    int m_refreshes = 0;
    int m_leftOut = 0;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
};
