#pragma once

#include "lodgixstartup.h"
#include "lodgixstate.h"
#include "startupmessagetarget.h"
#include "suiteipc.h"

#include <QStringList>

#include <memory>

class CMainFrame;
class CSplashDlg;
class TerminationMessage;

namespace lodgix {

// The hotel program: registers its window class, shows the splash, runs the start-up with its windows,
// then creates the frame and its view, centred; at the end it frees the program-wide state. Each step and
// failure is told on standard output ("Lodgix: ..."). A termination signal ends it in order at any
// moment: during the start-up it closes the open box and the start-up stops; afterwards it is the exit
// command.
class CLodgixApp {
public:
    // The pause that shows the splash's first text: Registry.ini [Startup] SplashWaitMs may shorten it.
    static constexpr int kSplashWaitMs = 1000;

    explicit CLodgixApp(StartupPlaces places = {});
    ~CLodgixApp();
    CLodgixApp(const CLodgixApp&) = delete;
    CLodgixApp& operator=(const CLodgixApp&) = delete;

    // The start-up; false ends the program with ExitInstance's code.
    bool InitInstance();
    int ExitInstance();

    LodgixState& State() { return m_state; }
    CMainFrame* MainFrame() const { return m_frame.get(); }
    bool HoldsWindowClass() const { return m_windowClass != nullptr; }

private:
    bool Terminating() const { return m_messages.TerminationRequested(); }
    bool EndStartBySignal();
    void WaitMs(int ms) const;
    void CreateFrame();
    void ShowAbout();
    void CentreOnScreen();

    StartupPlaces m_places;
    LodgixState m_state;
    int m_exitCode = 0;
    StartupMessageTarget m_messages;
    std::unique_ptr<SuiteIpc::Registration> m_windowClass;
    std::unique_ptr<TerminationMessage> m_signals;
    std::unique_ptr<CSplashDlg> m_splash;
    std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace lodgix
