// CFonivraApp: the operator console's start-up and shutdown.
#include "fonivraapp.h"

#include "computername.h"
#include "consolestartupload.h"
#include "dialogdatabase.h"
#include "engineclient.h"
#include "engineeventdispatcher.h"
#include "eventpopupdlg.h"
#include "errorbox.h"
#include "folders.h"
#include "installationdatabase.h"
#include "language.h"
#include "mainframe.h"
#include "objectimagelists.h"
#include "owncountrycode.h"
#include "picturechoosers.h"
#include "recorderftpclient.h"
#include "registrykey.h"
#include "splashdlg.h"
#include "statustexts.h"
#include "stringtable.h"
#include "terminationmessage.h"
#include "udpeventlistener.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kCodeLabelString = 10013;  // this program keeps the label here
constexpr unsigned kClosingString = 10014;
constexpr unsigned kFirstErrorString = 15000;

constexpr unsigned kCheckingInstallation = 10007;
constexpr unsigned kConnectingDatabase = 10005;
constexpr unsigned kConnectingEngine = 10006;
constexpr unsigned kCheckingPbxLink = 10015;
constexpr unsigned kReceivingData = 10011;
constexpr unsigned kStartingApplication = 10012;

// Start-up failures (EngineErrorCode values).
constexpr std::uint8_t kNoDatabaseServer = 47;
constexpr std::uint8_t kInstallationSettings = 62;
constexpr std::uint8_t kServerNotResolved = 138;  // no text of its own

constexpr std::int64_t kIconDoubleClick = 515;
constexpr int kAllOne = 1;
const QString kStartupGroup = QStringLiteral("Startup");
const QString kTelephonyGroup = QStringLiteral("Telephony");
const QString kCityCodeName = QStringLiteral("CityCode");

void Report(const QString& line)
{
    std::printf("Fonivra: %s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

}  // namespace

CFonivraApp::CFonivraApp(QStringList arguments)
    : m_arguments(std::move(arguments)), m_startTime(OleDate::Now()), m_settings(m_startTime),
      m_messages(CMainFrame::kTerminateMessage)
{
}

CFonivraApp::~CFonivraApp() { ExitInstance(); }

bool CFonivraApp::InitInstance()
{
    // Steps 1-3: one operator console per suite; the second start shows the first one's window.
    if (HandOverToRunningConsole())
        return false;
    m_windowClass = SuiteIpc::Register(SuiteIpc::Key::WindowClass, kWindowName, m_messages);
    if (!m_windowClass)
        return false;
    m_signals = std::make_unique<TerminationMessage>(m_messages, CMainFrame::kTerminateMessage, 0);

    // Step 6: the splash.
    m_splash = std::make_unique<CSplashDlg>();
    m_splash->show();
    Progress(kCheckingInstallation);
    WaitMs(RegistryKey(kStartupGroup).ReadInt(kSplashWaitName, kSplashWaitMs));
    if (Terminating())
        return EndStartBySignal();

    // Step 7: the installation.
    m_installation.Load();
    if (!m_installation.IsLoaded())
        return Fail(kInstallationSettings);
    SetLanguage(m_installation.Language());
    m_ports = EnginePorts::FromRegistry();

    // Steps 8-9: the settings files; the second PBX's object flags are never taken from its file.
    LoadSettingsFiles();
    for (const auto kind : {Service2PluginSettings::kExtensions, Service2PluginSettings::kLines,
                            Service2PluginSettings::kEntryPhones, Service2PluginSettings::kRelays})
        for (int index = 0; index < Service2PluginSettings::kObjects; ++index)
            m_settings.second.SetObjectShown(kind, index, kAllOne);

    // Steps 10-15.
    Progress(kConnectingDatabase);
    if (const int code = ConnectDatabase())
        return Fail(static_cast<std::uint8_t>(code));
    Progress(kConnectingEngine);
    if (const int code = CreateEngineClient())
        return Fail(static_cast<std::uint8_t>(code));
    // Steps 12-16: the PBX's tables, the objects shown, the own extension's counters and texts.
    if (const int code = LoadState())
        return Fail(static_cast<std::uint8_t>(code));
    if (Terminating())
        return EndStartBySignal();
    BuildImageLists();

    // Steps 17-19.
    if (!CreateFrame()) {
        m_splash.reset();
        m_exitCode = 1;
        return false;
    }
    StartListener();
    if (!HasProgramArgument()) {
        m_splash.reset();
        Report(QStringLiteral("started without the \"Fonivra\" argument: ended"));
        return false;
    }

    // Steps 20-24.
    ReadTelephonyLocation();
    m_frame->OpenStartupWindows();
    m_frame->showMaximized();
    m_frame->BuildMenusAndToolButtons();
    m_splash.reset();
    PrepareIcon();
    CreatePopup();
    m_messages.Attach(&m_frame->Target());
    Report(QStringLiteral("started: PBX %1 with %2 extensions, %3 lines, %4 entry phones, %5 relays%6")
               .arg(m_state.firstPbxIdentifier)
               .arg(m_state.tables.Counts().extensions)
               .arg(m_state.tables.Counts().lines)
               .arg(m_state.tables.Counts().entryPhones)
               .arg(m_state.tables.Counts().relays)
               .arg(m_state.hasSecondPbx ? QStringLiteral(" (with a second PBX)") : QString()));
    return true;
}

bool CFonivraApp::HandOverToRunningConsole()
{
    if (!SuiteIpc::Find(SuiteIpc::Key::WindowClass, kWindowName))
        return false;
    SuiteIpc::Post(SuiteIpc::Key::WindowClass, kWindowName, CMainFrame::kIconMessage, 0, kIconDoubleClick);
    Report(QStringLiteral("another operator console runs for this suite: its window is shown instead"));
    return true;
}

bool CFonivraApp::Fail(std::uint8_t code)
{
    m_splash.reset();
    const QString text = LoadResString(kFirstErrorString + code);
    Report(QStringLiteral("start-up failed with code %1").arg(code) + (text.isEmpty() ? QString() : QStringLiteral(": ") + text));
    m_exitCode = code;
    if (Terminating())
        return false;
    ShowErrorBox(LoadResString(kProgramNameString), text, code, LoadResString(kClosingString), kCodeLabelString);
    return false;
}

bool CFonivraApp::EndStartBySignal()
{
    m_splash.reset();
    Report(QStringLiteral("ended by a termination signal during start-up"));
    m_exitCode = 0;
    return false;
}

void CFonivraApp::Progress(unsigned stringId)
{
    const QString text = LoadResString(stringId);
    Report(QStringLiteral("progress: ") + text);
    if (m_splash)
        m_splash->SetProgressText(text);
}

void CFonivraApp::WaitMs(int ms) const
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
    poll.start(20);
    loop.exec();
}

void CFonivraApp::LoadSettingsFiles()
{
    const QString folder = GetProgramFolder();
    for (const SettingsFileOutcome& outcome : LoadOrCreateSettingsFiles(folder, m_settings)) {
        if (outcome.loaded)
            Report(QStringLiteral("settings file %1 read").arg(outcome.name));
        else if (outcome.writtenLength >= 0)
            Report(QStringLiteral("settings file %1 written with its defaults (%2 bytes)")
                       .arg(outcome.name)
                       .arg(outcome.writtenLength));
        else
            Report(QStringLiteral("settings file %1 could not be written").arg(outcome.name));
    }
}

int CFonivraApp::ConnectDatabase()
{
    const std::optional<QString> server = DatabaseServerFor(m_installation);
    if (!server)
        return kNoDatabaseServer;
    m_serverName = *server;
    m_database.SetParameters(DbParametersFor(m_installation.Database()));
    if (const int code = m_database.Connect(m_serverName))
        return code;
    // The console's own tables, brought up to date.
    if (const int code = m_database.PrepareOperatorConsoleTables())
        return code;
    Report(QStringLiteral("database connected"));
    return 0;
}

int CFonivraApp::CreateEngineClient()
{
    const std::optional<std::string> address = ResolveIpv4Address(m_serverName);
    if (!address)
        return kServerNotResolved;
    m_engineClient = std::make_unique<CEngineClient>(*address, m_ports.requestPort);
    Report(QStringLiteral("engine client for %1 port %2").arg(QString::fromStdString(*address)).arg(m_ports.requestPort));
    return 0;
}

int CFonivraApp::LoadState()
{
    Progress(kCheckingPbxLink);
    Progress(kReceivingData);
    const int pbx = m_installation.PbxIdentifier();
    const int code = LoadConsoleState(m_database, m_state, m_settings.main, m_settings.second, pbx,
                                      m_installation.AssociatedExtension(), OleDate::Now());
    Progress(kStartingApplication);
    if (code == 0)
        m_recorder = std::make_unique<CRecorderFtpClient>(*m_engineClient, static_cast<std::uint8_t>(pbx));
    return code;
}

void CFonivraApp::BuildImageLists()
{
    PbxLabelReader labels = [this](PbxLabelKind kind, int pbxIdentifier, int localIndex) {
        switch (kind) {
        case PbxLabelKind::Extension: return m_database.GetDerivedLabel(pbxIdentifier, localIndex);
        case PbxLabelKind::Line: return m_database.GetLineLabel(pbxIdentifier, localIndex);
        case PbxLabelKind::EntryPhone: return m_database.GetEntryPhoneLabel(pbxIdentifier, localIndex);
        case PbxLabelKind::Relay: return m_database.GetRelayLabel(pbxIdentifier, localIndex);
        }
        return QString();
    };
    IconPictureChoosers choosers;
    choosers.extension = [this](int index, QString& text) {
        return GetExtensionPicture(m_state, m_database, m_settings.main, index, text);
    };
    choosers.line = [this](int index, QString& text) { return GetLinePicture(m_state, m_database, index, text); };
    choosers.entryPhone = [this](int index, QString& text) {
        return GetEntryPhonePicture(m_state, m_database, index, text);
    };
    choosers.relay = [this](int index) { return GetRelayPicture(m_state, index); };
    m_images = std::make_unique<OperatorImageLists>(m_state, m_settings.main, std::move(labels), std::move(choosers));
    m_images->SetRecorderGlyphSwitch(m_settings.third.InUse());
    for (int kind = 1; kind <= 4; ++kind)
        m_images->BuildImageLists(kind);
}

bool CFonivraApp::CreateFrame()
{
    CMainFrame::Services services;
    services.state = &m_state;
    services.settings = &m_settings;
    services.installation = &m_installation;
    services.images = m_images.get();
    services.database = &m_database;
    services.engine = [this] { return m_engineClient.get(); };
    services.recorder = m_recorder.get();
    services.settingsFolder = GetProgramFolder();
    services.servicesText = [this] { return FormatOwnServicesText(m_state, m_database); };
    services.engineEvent = [this](std::uint64_t slot, std::int64_t) {
        if (!m_listener || !m_dispatcher)
            return;
        const bool alarmBefore = m_frame->IsAlarmPending();
        m_dispatcher->Dispatch(m_listener->CopySlot(static_cast<int>(slot)));
        if (!alarmBefore && m_frame->IsAlarmPending())
            Report(QStringLiteral("an alarm is pending: the program ends only once it is acknowledged"));
        else if (alarmBefore && !m_frame->IsAlarmPending())
            Report(QStringLiteral("no alarm is pending any more"));
    };
    services.report = Report;
    m_frame = std::make_unique<CMainFrame>(std::move(services));
    if (m_frame->WindowContext().recorder)
        Report(QStringLiteral("the call lists reach the recorder of PBX %1").arg(m_installation.PbxIdentifier()));
    m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, m_database, m_settings.main, *m_frame);
    m_dispatcher->SetEngineClient(m_engineClient.get());
    m_dispatcher->SetSettingsFolder(GetProgramFolder());
    m_frame->SetDispatcher(m_dispatcher.get());
    QObject::connect(m_frame.get(), &CMainFrame::Closing, [] {
        Report(QStringLiteral("ended"));
        // exit, not quit: quit would first ask every window to close, and the frame refuses while an alarm
        // is pending.
        QCoreApplication::exit(0);
    });
    // The console program finds the operator console by this title.
    m_windowTitle = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, kWindowName, m_frame->Target());
    return true;
}

void CFonivraApp::StartListener()
{
    m_listener = std::make_unique<CUdpEventListener>(&m_messages, kEngineEventMessage, false);
    const bool server = m_installation.IsServerStation();
    const std::uint16_t port = server ? m_ports.eventPort : m_ports.relayPort;
    if (m_listener->Start(port))
        Report(QStringLiteral("listening for the engine's events on port %1").arg(port));
    else
        Report(QStringLiteral("the engine's events cannot be received on port %1").arg(port));
}

bool CFonivraApp::HasProgramArgument() const
{
    // The console starts the operator console with its own path as the argument.
    return m_arguments.size() > 1 && m_arguments.at(1).contains(kWindowName);
}

void CFonivraApp::ReadTelephonyLocation()
{
    m_countryCode = OwnCountryCode();
    m_cityCode = RegistryKey(kTelephonyGroup).ReadString(kCityCodeName).trimmed();
}

void CFonivraApp::PrepareIcon()
{
    NotificationIconData icon;
    icon.tip = LoadResString(kProgramNameString);
    icon.balloonTitle = icon.tip;
    icon.balloonIcon = NotificationIconData::kBalloonWarning;
    m_frame->SetIconData(icon);
    if (m_settings.main.StartMinimised() != 0)
        m_frame->Target().Post(CMainFrame::kHideToIconMessage, 0, 0);
}

void CFonivraApp::CreatePopup()
{
    m_popup = std::make_unique<CEventPopupDlg>(m_frame->WindowContext(), m_frame->Target(),
                                               m_installation.AssociatedExtension());
    CEventPopupDlg::Hooks hooks;
    CMainFrame* frame = m_frame.get();
    hooks.extensionsView = [frame] { return frame->ExtensionsView(); };
    m_popup->SetHooks(std::move(hooks));
    m_frame->SetPopup(m_popup.get());
    m_popup->Target().Post(CEventPopupDlg::kRefreshMessage, 0, 0);
}

int CFonivraApp::ExitInstance()
{
    if (m_frame)
        m_frame->SetPopup(nullptr);
    m_popup.reset();
    if (m_frame)
        m_frame->SetDispatcher(nullptr);
    m_dispatcher.reset();
    m_database.Close();
    m_engineClient.reset();
    m_listener.reset();
    m_state.tables = PbxStateTables();
    if (m_images)
        m_images->Clear();
    m_recorder.reset();
    m_signals.reset();
    m_messages.Attach(nullptr);
    m_windowTitle.reset();
    m_frame.reset();
    m_images.reset();
    m_windowClass.reset();
    return m_exitCode;
}
