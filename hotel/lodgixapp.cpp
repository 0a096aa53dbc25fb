// CLodgixApp: the hotel program's start-up and shutdown.
#include "lodgixapp.h"

#include "guistartupwindows.h"
#include "lodgixaboutdlg.h"
#include "lodgixview.h"
#include "mainframe.h"
#include "operatorlogin.h"
#include "registrykey.h"
#include "splashdlg.h"
#include "stringtable.h"
#include "terminationmessage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace lodgix {

namespace {

constexpr unsigned kCheckingInstallation = 10007;  // "Verifica installazione in corso..."
constexpr int kChangePasswordCommand = 32775;
constexpr int kTerminationPollMs = 20;
const QString kStartupGroup = QStringLiteral("Startup");
const QString kSplashWaitName = QStringLiteral("SplashWaitMs");

void Report(const QString& line)
{
    std::printf("Lodgix: %s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

}  // namespace

CLodgixApp::CLodgixApp(StartupPlaces places)
    : m_places(std::move(places)), m_messages(WM_COMMAND, CMainFrame::kExitCommand)
{
}

CLodgixApp::~CLodgixApp() { ExitInstance(); }

bool CLodgixApp::InitInstance()
{
    // Step 1: other programs find the hotel program by its window class. Nothing looks for a running
    // one: a second start runs without the name.
    m_windowClass = SuiteIpc::Register(SuiteIpc::Key::WindowClass, CMainFrame::kWindowClass, m_messages);
    if (!m_windowClass)
        Report(QStringLiteral("another hotel program holds the window class: this one runs without it"));
    m_signals = std::make_unique<TerminationMessage>(m_messages, WM_COMMAND, CMainFrame::kExitCommand);

    // Step 3: the splash.
    m_splash = std::make_unique<CSplashDlg>();
    m_splash->show();
    const QString checking = LoadResString(kCheckingInstallation);
    Report(QStringLiteral("progress: ") + checking);
    m_splash->SetProgressText(checking);
    WaitMs(RegistryKey(kStartupGroup).ReadInt(kSplashWaitName, kSplashWaitMs));
    if (Terminating())
        return EndStartBySignal();

    // Steps 4-22, the questions in real windows.
    GuiStartupWindows::Hooks hooks;
    hooks.splash = [this] { return m_splash.get(); };
    hooks.closeSplash = [this] { m_splash.reset(); };
    hooks.report = Report;
    hooks.endRequested = [this] { return Terminating(); };
    GuiStartupWindows windows(std::move(hooks));
    const int code = LodgixStartup(m_state, windows, m_places).Run();
    if (code == LodgixStartup::kEndRequested)
        return EndStartBySignal();
    if (code != 0) {
        // A signal may have closed the failure box: the start failed all the same.
        m_splash.reset();
        m_exitCode = code;
        return false;
    }
    if (Terminating())
        return EndStartBySignal();

    // Steps 23-25.
    CreateFrame();
    m_splash.reset();
    m_frame->show();
    CentreOnScreen();
    m_messages.Attach(&m_frame->Target());
    Report(QStringLiteral("started: hotel \"%1\" with %2 rooms, operator \"%3\"%4")
               .arg(m_state.hotel.name)
               .arg(m_state.roomCount)
               .arg(m_state.currentOperator.userName)
               .arg(m_state.engine ? QStringLiteral(", engine linked") : QStringLiteral(", no engine link")));
    return true;
}

bool CLodgixApp::EndStartBySignal()
{
    m_splash.reset();
    Report(QStringLiteral("ended by a termination signal during start-up"));
    m_exitCode = 0;
    return false;
}

void CLodgixApp::WaitMs(int ms) const
{
    if (ms <= 0)
        return;
    // The window thread keeps serving while it waits: a termination signal ends the wait.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (Terminating())
            loop.quit();
    });
    poll.start(kTerminationPollMs);
    loop.exec();
}

void CLodgixApp::CreateFrame()
{
    m_frame = std::make_unique<CMainFrame>();
    auto view = new CLodgixView(m_state);
    m_frame->SetView(view);
    m_frame->LocaliseMenu();
    m_frame->OnCommand(CMainFrame::kAboutCommand, [this] { ShowAbout(); });
    view->OnCommand(kChangePasswordCommand, [this, view] {
        if (m_state.database)
            ChangeOperatorPassword(*m_state.database, m_state.currentOperator, view);
    });
    view->OnInitialUpdate();
    QObject::connect(m_frame.get(), &CMainFrame::Closing, [] {
        Report(QStringLiteral("ended"));
        // Ends the program's event loop (and any box's within it); outside it, as in a test, nothing.
        QCoreApplication::quit();
    });
}

void CLodgixApp::ShowAbout()
{
    CLodgixAboutDlg about(m_frame.get());
    about.exec();
}

void CLodgixApp::CentreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_frame->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_frame->move(frame.topLeft());
    }
}

int CLodgixApp::ExitInstance()
{
    m_signals.reset();
    m_messages.Attach(nullptr);
    m_frame.reset();
    m_splash.reset();
    m_state.Shutdown();
    m_windowClass.reset();
    return m_exitCode;
}

}  // namespace lodgix
