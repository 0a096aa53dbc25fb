#pragma once

#include "messagetarget.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>

class CLodgixView;
class QLabel;
class QToolBar;
struct LockKeyStates;

// The hotel program's main window: 900 x 700 without a maximise box, menu 128 with its texts from the
// string table, toolbar 128 and a status bar of four panes around the one view. A command runs the
// frame's own handler when it has one (the bars, the exit, the about box, the updater's close), else it
// goes to the view as WM_COMMAND. Ctrl with a letter A-X typed in the frame also goes to the view as
// WM_USER+100 with the letter's code, and still reaches the control that has the focus.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kWindowClass = QStringLiteral("Lodgix");
    static constexpr QSize kInitialSize{900, 700};
    static constexpr int kExitCommand = 57665;
    static constexpr int kCloseCommand = 57602;  // the updater closes the suite's programs with it
    static constexpr int kAboutCommand = 57664;
    static constexpr int kToolbarCommand = 59392;
    static constexpr int kStatusBarCommand = 59393;
    static constexpr int kLastActionKey = 24;  // Ctrl+X

    CMainFrame();
    ~CMainFrame() override;

    // The frame's one view (owned by the frame from here on).
    void SetView(CLodgixView* view);
    CLodgixView* View() const { return m_view; }
    // Builds menu 128 with every text from the string table and makes it the window's menu.
    void LocaliseMenu();
    // A command the frame handles itself; it takes the place of the view's.
    void OnCommand(int command, std::function<void()> handler);
    // Runs a command as its menu entry does.
    void RunCommand(int command);

    MessageTarget& Target() { return m_target; }
    QToolBar* ToolBar() const { return m_toolBar; }
    // The status bar's lock-key panes: a key that is on shows its name, one that is off greys it. The
    // frame reads the keyboard's lights four times a second.
    void ShowLockKeys(const LockKeyStates& keys);

signals:
    // The frame closes: the program ends.
    void Closing();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateToolBar();
    void CreateStatusBar();
    void Exit();
    void UpdateBarChecks();
    // Enables each menu entry and toolbar button that the view handles by its update rule.
    void UpdateCommandStates();

    QtMessageTarget m_target;
    MessageMap m_messages;
    CLodgixView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::array<QLabel*, 3> m_lockKeyPanes{};
    std::unordered_map<int, std::function<void()>> m_commands;
};
