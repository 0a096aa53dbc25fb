// CEngineApp: the console's start-up, its windows and its shutdown.
#include "engineapp.h"

#include "aboutdlg.h"
#include "callnotificationhandler.h"
#include "clientdatagramhandler.h"
#include "configurationbox.h"
#include "consolelabels.h"
#include "contactcache.h"
#include "enginedoc.h"
#include "engineclient.h"
#include "engineoutcome.h"
#include "engineserver.h"
#include "enginesettingsfile.h"
#include "engineview.h"
#include "eventsender.h"
#include "findwindow.h"
#include "folders.h"
#include "installationdatabase.h"
#include "installationstorereport.h"
#include "language.h"
#include "languagedlg.h"
#include "linksupervisor.h"
#include "mainframe.h"
#include "messageboxdlg.h"
#include "pbxeventprocessor.h"
#include "pbxlink.h"
#include "process.h"
#include "registrykey.h"
#include "serverstoppedbox.h"
#include "setupwizarddlg.h"
#include "skinregion.h"
#include "splashdlg.h"
#include "startupreport.h"
#include "stringtable.h"
#include "suitelocationregistry.h"
#include "terminationmessage.h"
#include "trafficlog.h"
#include "udpeventlistener.h"
#include "updatecheck.h"
#include "updaterreplacement.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QThread>

namespace {

constexpr int kExitStartFailed = 1;
constexpr int kSimulatorPollMs = 20;
const QString kOperatorConsole = QStringLiteral("Fonivra");

QString ProgramPath(const QString& name) { return GetSuiteFolder() + name + u'/' + name; }

}  // namespace

CEngineApp::CEngineApp() : m_startTime(OleDate::Now()), m_tapiOutcome(kTapiEngineNotStarted)
{
    m_linkStatus.fill(kLinkNotStarted);
}

CEngineApp::~CEngineApp()
{
    ReleaseEngine();
    m_frame.reset();
}

void CEngineApp::LoadSettings()
{
    m_installation.Load();
    m_database.SetParameters(DbParametersFor(m_installation.Database()));
    m_ports = EnginePorts::FromRegistry();
    m_waits = StartupWaits::FromRegistry();
}

bool CEngineApp::InitInstance()
{
    m_startTime = OleDate::Now();
    if (HandOverToRunningConsole())
        return false;
    m_windowClass = RegisterPultexWindow(m_frameTarget);
    if (!m_windowClass) {
        m_exitCode = kExitStartFailed;
        return false;
    }
    m_signals = std::make_unique<TerminationMessage>(m_signalTarget, WM_COMMAND, CMainFrame::kCloseDocumentCommand);

    // A termination signal may come while the start-up waits in any of its boxes: after each step that
    // can wait, the start-up ends when one came (ExitInstance then stops what was started).
    LoadSettings();
    ReportDamagedInstallationStore(m_installation);
    if (Terminating())
        return EndStartBySignal();
    ChooseLanguage();
    if (Terminating())
        return EndStartBySignal();
    for (;;) {
        OpenTrafficLog();
        if (!m_installation.NeedsSetupWizard())
            break;
        if (!RunSetupWizard()) {
            if (Terminating())
                return EndStartBySignal();
            CMessageBoxDlg(CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeNotConfigured).exec();
            m_exitCode = kExitStartFailed;
            return false;
        }
    }
    if (IsServerMode())
        StartServerAtFirstStart();
    else
        StartClientAtFirstStart();
    if (Terminating())
        return EndStartBySignal();
    ReportOutcomes();
    if (Terminating())
        return EndStartBySignal();

    if (LoadEngineSettings(m_engineSettings) != 1)
        SaveEngineSettings(m_engineSettings);
    ReplaceUpdaterFromPatch();
    RegisterSuiteLocation();
    m_contacts = std::make_unique<CContactCache>();
    m_contacts->SyncAtStartup(m_engineSettings, [](unsigned textId) { ShowConfigurationWarning(nullptr, textId); });
    LoadSkin();
    CloseSplash();
    if (Terminating())
        return EndStartBySignal();

    if (!CreateWindows()) {
        m_exitCode = kExitStartFailed;
        return false;
    }
    m_signalTarget.WindowReady();
    GiveViewTheMessages();
    FinishWindow();
    DecideUpdateCheck();
    return true;
}

bool CEngineApp::HandOverToRunningConsole()
{
    if (!FindPultexWindow())
        return false;
    // The running console shows its window as for a double click on its icon.
    PostToPultexWindow(CMainFrame::kIconMessage, 0, CMainFrame::kLeftDoubleClick);
    ReportStartup(QStringLiteral("another console runs for this suite: its window is shown instead"));
    return true;
}

bool CEngineApp::Terminating() const
{
    // The flag is set by the signal itself; the posted message only once the event loop runs again.
    return m_signalTarget.TerminationRequested() || TerminationMessage::IsRequested();
}

bool CEngineApp::EndStartBySignal()
{
    CloseSplash();
    ReportStartup(QStringLiteral("ended by a termination signal during start-up"));
    m_exitCode = 0;
    return false;
}

void CEngineApp::ChooseLanguage()
{
    while (m_installation.Language() == kLanguageNotChosen) {
        CLanguageDlg dialog;
        dialog.exec();
        if (Terminating())
            return;  // nothing was chosen
        m_installation.SetLanguage(static_cast<std::uint8_t>(dialog.SelectedIndex() + 1));
        m_installation.Save();
        m_firstRunDialogShown = true;
    }
    SetLanguage(m_installation.Language());
}

void CEngineApp::OpenTrafficLog()
{
    // Each start begins an empty log.
    EngineTrafficLog().Open(GetProgramFolder() + kTrafficLogFile);
}

bool CEngineApp::RunSetupWizard()
{
    const std::uint8_t mode = m_installation.IsLoaded() ? m_installation.InstallationMode()
                                                        : InstallationSettings::kModeNotLoaded;
    CSetupWizardDlg wizard(mode, DbParametersFor(m_installation.Database()));
    if (wizard.exec() != QDialog::Accepted)
        return false;
    m_installation.SetInstallationMode(wizard.Mode());
    m_installation.SetServerName(wizard.ServerName());
    m_installation.SetPbxIdentifier(wizard.PbxIndex());
    m_installation.SetAssociatedExtension(wizard.ExtensionIndex());
    m_installation.Save();
    m_firstRunDialogShown = true;
    m_allStarted = false;
    return true;
}

void CEngineApp::StartSimulator()
{
    if (FindSimulvexWindow())
        return;
    StartDetachedProcess(ProgramPath(kSimulvexClass));
    // The simulator serves once its window is found and its serial resource is published.
    const QString device = SerialDevicePath(kSimulatorComNumber);
    const QDeadlineTimer deadline(m_waits.simulatorMs);
    while (!deadline.hasExpired() && !(QFileInfo::exists(device) && FindSimulvexWindow()))
        QThread::msleep(kSimulatorPollMs);
}

void CEngineApp::ShowSplash(unsigned stringId)
{
    m_splash = std::make_unique<CSplashDlg>();
    m_splash->show();
    SetProgress(stringId);
}

void CEngineApp::SetProgress(const QString& text)
{
    if (m_splash)
        m_splash->SetProgressText(text);
}

void CEngineApp::SetProgress(unsigned stringId) { SetProgress(LoadResString(stringId)); }

void CEngineApp::CloseSplash() { m_splash.reset(); }

void CEngineApp::LoadSkin()
{
    QImage bitmap(GetSharedFolder() + kSkinFile);
    if (bitmap.isNull())
        return;
    m_skinBitmap = bitmap;
    m_skinRegion = CreateRegionFromBitmap(m_skinBitmap);
}

bool CEngineApp::CreateWindows()
{
    m_document = std::make_unique<CEngineDoc>();
    m_frame = std::make_unique<CMainFrame>();
    auto view = new CEngineView(*this, *m_document);
    m_frame->setCentralWidget(view);
    m_frame->SetViewTarget(&view->Target());
    m_frame->SetAboutBox([this] { ShowAboutBox(); });
    m_view = view;
    m_frame->setFixedSize(view->size());
    QObject::connect(m_frame.get(), &CMainFrame::Closing, [this] {
        // The call balloon refuses every close, and quit() gives up when a shown window refuses: the
        // popup and its balloon go first, whatever the call's state, and the loop is ended, not asked.
        ReleaseCallHandlers();
        QCoreApplication::exit(0);
    });
    m_frameTarget.Attach(&m_frame->Target());
    CreateEventHandlers();
    return true;
}

void CEngineApp::CreateEventHandlers()
{
    ConsoleNotifications notifications;
    notifications.onPbxEvent = [this](std::uint64_t wParam, std::int64_t lParam) {
        if (m_view)
            m_view->OnPbxEvent(wParam, lParam);
    };
    notifications.mainFrame = &m_frameTarget;
    notifications.iconShown = [this] { return m_frame && m_frame->IsIconShown(); };

    PbxEventProcessor::Services server;
    server.link = [this](int pbx) { return Link(pbx); };
    server.database = &m_database;
    server.engineClient = [this] { return m_engineClient.get(); };
    server.eventSender = [this] { return m_eventSender.get(); };
    server.boundRecords = &m_boundRecords;
    server.boundPbx = [this] { return int(GetAssociatedPbx()); };
    server.boundExtension = [this] { return int(GetAssociatedExtension()); };
    server.callStates = &m_callStates;
    server.clock = [] { return OleDate::Now(); };
    server.notifications = notifications;
    m_eventProcessor = std::make_unique<PbxEventProcessor>(std::move(server));

    ClientDatagramHandler::Services client;
    client.listener = [this] { return m_clientListener.get(); };
    client.boundRecords = &m_boundRecords;
    client.boundPbx = [this] { return int(GetAssociatedPbx()); };
    client.boundExtension = [this] { return int(GetAssociatedExtension()); };
    client.showServerStopped = [this] { ShowServerStoppedBox(m_frame.get()); };
    client.notifications = notifications;
    m_clientHandler = std::make_unique<ClientDatagramHandler>(std::move(client));
    m_view->SetEventHandlers(m_eventProcessor.get(), m_clientHandler.get());
    CreateCallHandlers();
}

void CEngineApp::GiveViewTheMessages()
{
    MessageTarget* target = ViewTarget();
    for (int pbx = 0; pbx < kPbxLinks; ++pbx)
        if (const std::shared_ptr<CPbxLink> link = Link(pbx))
            link->SetNotifyTarget(target);
    if (m_tapiListener)
        m_tapiListener->SetTarget(target);
    if (m_clientListener)
        m_clientListener->SetTarget(target);
}

void CEngineApp::FinishWindow()
{
    m_frame->RemoveCaptionAndBorder();
    m_view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
    m_view->ApplySkinRegion();
    m_view->repaint();
    m_frame->SetStarted();
}

void CEngineApp::ShowAboutBox()
{
    CAboutDlg about(m_engineSettings, m_installation, m_frame.get());
    about.exec();
}

QString CEngineApp::GetExtensionLabel(int extension)
{
    return ::GetExtensionLabel(extension, GetAssociatedPbx(), m_database, m_boundRecords);
}

void CEngineApp::DecideUpdateCheck()
{
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                           : QRect();
    m_frame->move(screen.center() - m_frame->rect().center());
    if (IsUpdateCheckDue(m_engineSettings, m_startTime)) {
        m_frame->showNormal();
        ReportStartup(QStringLiteral("window shown: looking for updates"));
        RunStartupUpdateCheck(m_engineSettings, m_startTime);
        return;
    }
    if (!m_allStarted) {
        m_frame->showNormal();
        ReportStartup(QStringLiteral("window shown: the start was not complete"));
        return;
    }
    // Without a notification area the window cannot hide behind an icon: it stays shown.
    const bool tray = QSystemTrayIcon::isSystemTrayAvailable();
    if (tray)
        m_frame->hide();
    else
        m_frame->showNormal();
    m_frame->Target().Post(CMainFrame::kHideToIconMessage, 0, 0);
    if (m_view->IsOperatorConsoleAvailable() && m_engineSettings.startOperatorConsole != 0)
        StartOperatorConsole();
    ReportStartup(tray ? QStringLiteral("started: the window waits behind the notification icon")
                       : QStringLiteral("started: no notification area, the window stays shown"));
}

void CEngineApp::StartOperatorConsole()
{
    const QString path = ProgramPath(kOperatorConsole);
    if (StartDetachedProcess(path, {path}, GetSuiteFolder() + kOperatorConsole + u'/'))
        ReportStartup(QStringLiteral("operator console started"));
}

int CEngineApp::ExitInstance()
{
    ReleaseCallHandlers();
    ReleaseEngine();
    EngineTrafficLog().Close();
    if (m_frame)
        m_frame->RemoveNotificationIcon();
    m_boundRecords.Clear();
    m_contacts.reset();
    m_skinBitmap = QImage();
    m_skinRegion = QRegion();
    m_database.Close();
    m_signals.reset();
    m_frameTarget.Attach(nullptr);
    m_windowClass.reset();
    return m_exitCode;
}

void CEngineApp::ReleaseEngine()
{
    m_tapiListener.reset();
    m_clientListener.reset();
    m_engineClient.reset();
    m_server.reset();
    if (m_eventSender)
        m_eventSender->Stop();
    m_eventSender.reset();
    if (m_tapiSender)
        m_tapiSender->Stop();
    m_tapiSender.reset();
    for (int pbx = 0; pbx < kPbxLinks; ++pbx)
        CloseLink(pbx);
}
