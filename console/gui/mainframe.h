#pragma once

#include "messagetarget.h"
#include "notificationicon.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>

class QMenu;

// The console's window. Normally it lives hidden behind its notification-area icon: a double click on
// the icon (or "Visualizza" of its menu) shows the window and takes the icon away, WM_USER+103 hides the
// window behind the icon again, and balloons on the icon report engine trouble and recovery. Messages
// arrive as posted window messages, from this program and from the suite's others.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr std::uint32_t kIconMessage = WM_USER + 102;         // lParam: the mouse message
    static constexpr std::uint32_t kHideToIconMessage = WM_USER + 103;
    static constexpr std::uint32_t kFaultBalloonMessage = WM_USER + 104;
    static constexpr std::uint32_t kRestoredBalloonMessage = WM_USER + 105;
    static constexpr std::uint32_t kMemoryFullBalloonMessage = WM_USER + 106;
    static constexpr std::uint32_t kTextBalloonMessage = WM_USER + 107;  // shows SetBalloonText's text
    static constexpr std::uint32_t kClearBalloonMessage = WM_USER + 108;
    static constexpr std::int64_t kLeftDoubleClick = 515;
    static constexpr std::int64_t kRightButtonDown = 516;
    static constexpr std::uint32_t kShowCommand = 32771;
    static constexpr std::uint32_t kQuitCommand = 32772;
    static constexpr std::uint32_t kCloseDocumentCommand = 57602;  // also how the updater closes the console
    static constexpr std::uint32_t kAboutCommand = 57664;
    // What the frame posts to the view when it becomes active: a kill-focus notice (WM_NOTIFY, wParam the
    // control, lParam the code) for each list, then the redraw of the information list.
    static constexpr std::uint32_t kNotifyMessage = 0x004E;
    static constexpr std::int64_t kKillFocusNotification = -8;
    static constexpr std::uint32_t kViewListIds[] = {1035, 1037, 1036};
    static constexpr std::uint32_t kRedrawInformationMessage = WM_USER + 61;

    // Without an icon of its own the frame uses the desktop's system tray.
    explicit CMainFrame(std::unique_ptr<NotificationIcon> icon = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Posts into this window's message queue, from any thread.
    MessageTarget& Target() { return m_target; }

    bool IsIconShown() const { return m_iconShown; }
    // The text of the next WM_USER+107 balloon.
    void SetBalloonText(const QString& text) { m_balloonText = text; }
    QString BalloonText() const { return m_balloonText; }
    // Takes the icon away, when shown (at the program's end).
    void RemoveNotificationIcon();
    // After start-up the window has no caption, border or sizing frame; the view gives it its shape.
    void RemoveCaptionAndBorder();

    // The icon's context menu: "Visualizza" (32771) and "Esci" (32772).
    QMenu* IconMenu() const { return m_iconMenu; }
    // Where the activation notices go.
    void SetViewTarget(MessageTarget* view) { m_viewTarget = view; }
    // What the about command shows.
    void SetAboutBox(std::function<void()> show) { m_showAbout = std::move(show); }
    // The start-up is over: from now on an activation tells the view.
    void SetStarted() { m_started = true; }
    bool IsStarted() const { return m_started; }
    // Whether the notification area refused the icon: the window's own context menu then offers the
    // icon's menu, so that the window can still be closed.
    bool HasNoNotificationArea() const { return m_noNotificationArea; }

signals:
    // The frame is closing; the program ends with it.
    void Closing();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnIconMessage(std::int64_t mouseMessage);
    void OnCommand(std::uint64_t wParam);
    void RestoreWindow();
    void HideToIcon();
    void ShowBalloon(const QString& text, NotificationIconData::BalloonIcon icon);
    void PopUpIconMenu();
    void OnActivate();

    QtMessageTarget m_target;
    MessageMap m_messages;
    std::unique_ptr<NotificationIcon> m_icon;
    NotificationIconData m_iconData;
    bool m_iconShown = false;
    QString m_balloonText;
    QMenu* m_iconMenu;
    MessageTarget* m_viewTarget = nullptr;
    std::function<void()> m_showAbout;
    bool m_started = false;
    bool m_noNotificationArea = false;
};
