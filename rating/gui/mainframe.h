#pragma once

#include "messagetarget.h"
#include "ratingconfiguration.h"

#include <QMainWindow>

#include <cstdint>
#include <deque>
#include <functional>

class CValuxaView;
class QMenu;
class QToolBar;

// The rating program's main window: caption, system menu and minimise box only, a toolbar of the seven
// mode buttons, a status bar, the menu relabelled from the string table, the restore-defaults command,
// and the window messages by which the hotel program and the operator console set an extension, a PBX
// and a period, show a history or an account, ask for the computation and bring the program to the front.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kWindowClass = QStringLiteral("Tarivo");
    static constexpr std::uint32_t kAccountStart = WM_USER + 70;
    static constexpr std::uint32_t kAccountEnd = WM_USER + 71;
    static constexpr std::uint32_t kAccountExtension = WM_USER + 72;
    static constexpr std::uint32_t kShowAccount = WM_USER + 73;
    static constexpr std::uint32_t kCloseAccount = WM_USER + 74;
    static constexpr std::uint32_t kActivate = WM_USER + 75;
    static constexpr std::uint32_t kHistoryStart = WM_USER + 76;
    static constexpr std::uint32_t kHistoryEnd = WM_USER + 77;
    static constexpr std::uint32_t kHistoryExtension = WM_USER + 78;
    static constexpr std::uint32_t kShowHistory = WM_USER + 79;
    static constexpr std::uint32_t kCompute = WM_USER + 80;
    static constexpr std::uint32_t kAccountPbx = WM_USER + 81;
    static constexpr std::uint32_t kHistoryPbx = WM_USER + 82;
    static constexpr int kRestoreDefaultsCommand = 32781;
    static constexpr int kExitCommand = 57665;
    static constexpr int kAboutCommand = 57664;
    static constexpr int kToolbarCommand = 59392;
    static constexpr int kStatusBarCommand = 59393;

    explicit CMainFrame(RatingConfiguration& configuration, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The frame's one view (owned by the frame from here on).
    void SetView(CValuxaView* view);
    CValuxaView* View() const { return m_view; }
    // The about box; the application shows it.
    void SetAboutHandler(std::function<void()> handler) { m_aboutHandler = std::move(handler); }

    // Builds menu 128 with its texts from the string table and makes it the window's menu.
    void LocalizeMenu();
    void OnRestoreDefaults();

    MessageTarget& Target() { return m_target; }
    bool RequestError() const { return m_requestError != 0; }
    QMenu* Menu() const { return m_menu; }
    QToolBar* ToolBar() const { return m_toolBar; }

signals:
    // The frame was brought to the front by a request.
    void Activated();

protected:
    bool event(QEvent* event) override;

private:
    void CreateToolBar();
    void CreateAccelerators();
    void OnCommand(int command);
    void UpdateMenuChecks();
    void HandleMessage(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
    void OnDate(OleDate CValuxaView::*field, std::uint64_t wParam, std::int64_t lParam);
    void OnExtension(std::uint8_t CValuxaView::*field, std::uint8_t CValuxaView::*pbxField, std::uint64_t wParam);
    void OnPbx(std::uint8_t CValuxaView::*field, std::uint64_t wParam);
    void OnComputeRequest(bool applyAndClose);
    void OnActivate();
    void RequestFailed();
    void PostToView(int command);

    RatingConfiguration& m_configuration;
    QtMessageTarget m_target;
    CValuxaView* m_view = nullptr;
    QMenu* m_menu = nullptr;  // the menu bar's first popup, for tests and the toolbar's menu
    QToolBar* m_toolBar = nullptr;
    std::uint8_t m_requestError = 0;
    std::function<void()> m_aboutHandler;

    // While the request-error box is open, later messages wait their turn here.
    struct PendingMessage {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };
    bool m_boxOpen = false;
    std::deque<PendingMessage> m_pending;
};
