#include "valuxaapp.h"

#include "callloggerdlg.h"
#include "callloggerexport.h"
#include "callrating.h"
#include "callstatistics.h"
#include "defaultrules.h"
#include "computername.h"
#include "errorbox.h"
#include "folders.h"
#include "installationdatabase.h"
#include "language.h"
#include "localareacodedlg.h"
#include "mainframe.h"
#include "ratingconfigurationfile.h"
#include "ratingconfigurationsteps.h"
#include "ratingdatabase.h"
#include "extensionlabel.h"
#include "ratinglabels.h"
#include "ratingrequest.h"
#include "registrykey.h"
#include "rulecard.h"
#include "splashdlg.h"
#include "stringtable.h"
#include "tariffcard.h"
#include "terminationmessage.h"
#include "valuxaaboutdlg.h"
#include "valuxaview.h"

#include <QApplication>
#include <QThread>

#include <cstdio>

namespace {

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kClosingString = 1011;
constexpr unsigned kCheckingInstallationString = 10007;
constexpr unsigned kConnectingString = 10005;
constexpr unsigned kFirstErrorString = 15000;

// The splash stays this long before the start goes on; Registry.ini [Startup] may shorten it (tests).
const QString kStartupGroup = QStringLiteral("Startup");
const QString kSplashWaitName = QStringLiteral("SplashWaitMs");
constexpr int kSplashWaitMs = 1000;
constexpr int kLongestWaitMs = 60000;

// The program tells how its start went on its standard output, each line beginning "Tarivo: ", so that
// whoever started it (a terminal, a script, a test) can follow it without a window.
void Report(const QString& line)
{
    std::printf("Tarivo: %s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

QString OwnPath()
{
    return GetSuiteFolder() + CValuxaApp::kProgramName + u'/' + CValuxaApp::kProgramName;
}

}  // namespace

CValuxaApp::CValuxaApp(QStringList arguments, std::optional<DbParameters> catalog)
    : m_arguments(std::move(arguments)), m_catalog(std::move(catalog)), m_frameMessages(CMainFrame::kExitCommand)
{
}

CValuxaApp::~CValuxaApp()
{
    m_frameMessages.SetTarget(nullptr);
    m_frame.reset();
}

bool CValuxaApp::InitInstance()
{
    // 1. The window class by which the other programs find this one: held by one program only.
    m_windowClass = SuiteIpc::Register(SuiteIpc::Key::WindowClass, kProgramName, m_frameMessages);
    if (!m_windowClass)
        return false;
    m_termination = std::make_unique<TerminationMessage>(m_frameMessages, WM_COMMAND, CMainFrame::kExitCommand);

    // 3. The splash.
    m_splash = std::make_unique<CSplashDlg>();
    m_splash->show();
    SetSplashText(kCheckingInstallationString);
    const int waitMs = std::clamp(RegistryKey(kStartupGroup).ReadInt(kSplashWaitName, kSplashWaitMs), 0, kLongestWaitMs);
    if (waitMs > 0)
        QThread::msleep(static_cast<unsigned long>(waitMs));
    QCoreApplication::processEvents();  // a termination that came meanwhile
    if (m_frameMessages.ExitRequested())
        return Stop();

    // 4. The installation store and the language.
    if (m_installation.Load() != InstallationSettings::LoadResult::Loaded)
        return Fail(kInstallationNotRead);
    SetLanguage(m_installation.Language() == kLanguageEnglish ? kLanguageEnglish : kLanguageItalian);

    // 5.-6. The database and its Groups table.
    SetSplashText(kConnectingString);
    if (const int result = ConnectDatabase(); result != 0)
        return Fail(result);

    // 7.-9. The PBXs.
    if (const int result = LoadPbxs(); result != 0)
        return Fail(result);

    // 10.-12. The configuration, the call types and the pictures.
    LoadConfiguration();
    if (m_frameMessages.ExitRequested())
        return Stop();
    BuildCallTypeTable(m_callTypes);
    DrawPictures();

    // 14.-15. The splash goes; the call logger's settings.
    m_splash.reset();
    LoadCallLogger();

    // 16. The command line: the program's own path, then the request.
    const std::optional<QString> request = RequestFromArguments(m_arguments, OwnPath());
    if (!request) {
        Report(QStringLiteral("no request of this program's own path: ending"));
        return false;
    }

    // 17. The main window.
    if (m_frameMessages.ExitRequested())
        return Stop();
    if (!CreateWindows())
        return false;

    // 18. The request.
    if (!ProcessCommandLineRequest(*request))
        return Fail(kUnavailableRequest);
    Report(QStringLiteral("started"));
    return true;
}

bool CValuxaApp::Stop()
{
    m_splash.reset();
    Report(QStringLiteral("told to end during the start"));
    return false;
}

bool CValuxaApp::Fail(int code)
{
    m_failureCode = code;
    m_splash.reset();
    const QString detail = m_database ? m_database->LastError() : QString();
    Report(QStringLiteral("start failed with code %1%2").arg(code).arg(detail.isEmpty() ? QString() : QStringLiteral(": ") + detail));
    ShowErrorBox(LoadResString(kProgramNameString), LoadResString(kFirstErrorString + static_cast<unsigned>(code)),
                 static_cast<std::uint8_t>(code), LoadResString(kClosingString));
    return false;
}

void CValuxaApp::SetSplashText(unsigned stringId)
{
    if (m_splash)
        m_splash->SetProgressText(LoadResString(stringId));
}

int CValuxaApp::ConnectDatabase()
{
    QString server;
    switch (m_installation.InstallationMode()) {
    case InstallationSettings::kModeServer:
    case InstallationSettings::kModeSimulation:
        server = ComputerName();
        break;
    case InstallationSettings::kModeClient:
        server = m_installation.ServerName();
        break;
    default:
        return kNoDatabaseServer;
    }
    m_database = std::make_unique<CRatingDatabase>(m_catalog ? *m_catalog : DbParametersFor(m_installation.Database()));
    if (const int result = m_database->Connect(server); result != 0)
        return result;
    return m_database->CreateGroupsTable();
}

int CValuxaApp::LoadPbxs()
{
    const int pending = m_pbxTables.Load(*m_database, [this](unsigned stringId) { SetSplashText(stringId); });
    for (int pbx = 0; pbx < std::min(m_pbxTables.PbxCount(), PbxTables::kMaxPbxCount); ++pbx) {
        Report(QStringLiteral("PBX %1 %2").arg(pbx).arg(m_pbxTables.IsLoaded(pbx) ? QStringLiteral("loaded")
                                                                                    : QStringLiteral("skipped")));
    }
    if (!m_pbxTables.AnyLoaded())
        return pending != 0 ? pending : kUnavailableRequest;  // an empty list has nothing pending

    m_pbxFacts.pbxs.clear();
    for (int pbx = 0; pbx < std::min(m_pbxTables.PbxCount(), PbxTables::kMaxPbxCount); ++pbx) {
        RatingPbx facts;
        facts.present = m_pbxTables.IsLoaded(pbx);
        if (facts.present) {
            facts.extensionCount = m_pbxTables.ExtensionCount(pbx);
            facts.lineCount = m_pbxTables.LineCount(pbx);
            facts.reportsDurations = PbxLogsDurations(m_pbxTables.SystemConfigurationBytes(pbx));
            facts.deviceName = m_pbxTables.DeviceName(pbx);
            facts.systemConfiguration = m_pbxTables.SystemConfigurationBytes(pbx).toByteArray();
            for (int extension = 0; extension < facts.extensionCount; ++extension) {
                const QString number = m_pbxTables.DefaultExtensionNumber(pbx, extension);
                facts.extensionLabels.append(GetExtensionLabel(*m_database, pbx, extension, number));
                facts.extensionNumbers.append(number);
            }
            for (int line = 0; line < facts.lineCount; ++line)
                facts.lineNames.append(FormatLineName(*m_database, pbx, line));
        }
        m_pbxFacts.pbxs.push_back(facts);
    }
    return 0;
}

void CValuxaApp::LoadConfiguration()
{
    const QString path = RatingConfigurationPath();
    if (LoadRatingConfiguration(path, kRatingFileOlderTag, kRatingFileTag, m_configuration) == RatingFileResult::Ok)
        return;
    Report(QStringLiteral("first run: building the default configuration"));
    RunRatingFirstRun(m_configuration, path, [](const PrefixGroup& areaCodes) {
        return CLocalAreaCodeDlg::Choose(areaCodes);
    });
}

void CValuxaApp::DrawPictures()
{
    m_tariffPictures.Create(kTariffCardSize, kTariffCardSlots, PlainCardBackground(kTariffCardSize));
    for (int i = 0; i < m_configuration.tariffs.Count(); ++i)
        DrawTariffCard(m_tariffPictures, i, m_configuration.tariffs.tariffs[static_cast<std::size_t>(i)],
                       m_configuration.variations.values[static_cast<std::size_t>(i)]);
    m_rulePictures.Create(kRuleCardSize, kRuleCardSlots, PlainCardBackground(kRuleCardSize));
    for (int i = 0; i < m_configuration.rules.Count(); ++i)
        DrawRuleCard(m_rulePictures, i, m_configuration.rules.rules[static_cast<std::size_t>(i)],
                     m_configuration.prefixGroups, m_configuration.tariffs);
}

void CValuxaApp::LoadCallLogger()
{
    m_callLogger = std::make_unique<CallLoggerExport>(*m_database, m_pbxTables, m_configuration, GetProgramFolder());
    if (!m_callLogger->LoadSettings())
        m_callLogger->SaveSettings();
}

bool CValuxaApp::CreateWindows()
{
    m_frame = std::make_unique<CMainFrame>(m_configuration);
    m_view = new CValuxaView(m_configuration, m_pbxFacts, m_tariffPictures, m_rulePictures,
                             m_installation.Protection() != 0);
    m_view->SetGroupLister(DatabaseGroupLister(*m_database));
    m_view->SetTimerHandler([this] { m_callLogger->OnTimer(); });
    m_view->SetCommandHandler([this](int command) { OnViewCommand(command); });
    m_view->SetDatabase(m_database.get());
    m_statistics = std::make_unique<CallStatistics>(*m_database, m_pbxTables, m_configuration, m_callTypes);
    m_view->SetStatistics(m_statistics.get());
    m_view->SetPrinter(&m_printer);
    m_view->SetCallTypes(&m_callTypes);
    m_frame->SetView(m_view);
    m_frame->SetAboutHandler([this] { OnAppAbout(); });
    m_frame->show();
    m_view->OnInitialUpdate();
    m_frame->LocalizeMenu();
    m_frameMessages.SetTarget(&m_frame->Target());
    return true;
}

void CValuxaApp::OnViewCommand(int command)
{
    if (command == CValuxaView::kCallLoggerCommand)
        CCallLoggerDlg::Run(*m_callLogger, m_pbxTables, m_frame.get());
}

void CValuxaApp::SetPrinterOrientation(int orientation)
{
    ::SetPrinterOrientation(m_printer, orientation);
}

void CValuxaApp::OnAppAbout()
{
    CValuxaAboutDlg dialog(m_frame.get());
    dialog.exec();
}

bool CValuxaApp::ProcessCommandLineRequest(const QString& request)
{
    const RatingRequest parsed = ParseRatingRequest(request, QLocale());
    if (!parsed.hasSource)
        return true;
    // PBX and extension must name a loaded PBX and one of its extensions whatever the source.
    if (!m_pbxFacts.IsPresent(parsed.pbx) || parsed.extension < 0 ||
        parsed.extension >= m_pbxFacts.ExtensionCount(parsed.pbx))
        return false;
    const auto extension = static_cast<std::uint8_t>(parsed.extension);
    const auto pbx = static_cast<std::uint8_t>(parsed.pbx);
    if (parsed.IsAccount()) {
        m_view->m_accountExtension = extension;
        m_view->m_accountPbx = pbx;
        if (parsed.start.IsValid())
            m_view->m_accountStart = parsed.start;
        if (parsed.end.IsValid())
            m_view->m_accountEnd = parsed.end;
        m_view->SetViewMode(kAccountMode, extension, pbx);
        if (parsed.apply != 0) {
            m_view->m_applyFlag = parsed.apply;
            m_view->m_closeFlag = parsed.close;
            m_view->Target().Post(WM_COMMAND, CValuxaView::kComputeCommand, 0);
        }
    } else if (parsed.IsHistory()) {
        m_view->m_historyExtension = extension;
        m_view->m_historyPbx = pbx;
        if (parsed.start.IsValid())
            m_view->m_historyStart = parsed.start;
        if (parsed.end.IsValid())
            m_view->m_historyEnd = parsed.end;
        m_view->SetViewMode(kHistoryMode, extension, pbx);
        if (parsed.apply != 0)
            m_view->Target().Post(WM_COMMAND, CValuxaView::kComputeCommand, 0);
    }
    return true;
}

int CValuxaApp::ExitInstance()
{
    // The view writes its selections back into the configuration when it goes, before the store.
    m_frameMessages.SetTarget(nullptr);
    m_frame.reset();
    m_view = nullptr;
    StoreConfiguration();
    m_callLogger.reset();
    m_database.reset();
    m_tariffPictures.Clear();
    m_rulePictures.Clear();
    m_termination.reset();
    m_windowClass.reset();
    Report(QStringLiteral("ended"));
    return 0;
}

void CValuxaApp::StoreConfiguration()
{
    if (m_configuration.tariffs.Count() == 0)
        return;
    const QString path = RatingConfigurationPath();
    if (!m_configuration.restoreDefaults) {
        StoreRatingConfigurationAtExit(m_configuration, path);
        return;
    }
    // Restoring the defaults writes them at once rather than deleting the file: the hotel program cannot
    // start without it. The local area code chosen at the first run stays.
    const PrefixGroup& local = m_configuration.prefixGroups.groups[PrefixGroupTable::kLocalGroup];
    const QString localCode = local.entries.empty() ? QString() : local.entries.front().number;
    RatingConfiguration defaults;
    RunRatingFirstRun(defaults, path, [&localCode](const PrefixGroup& areaCodes) {
        for (int i = 0; i < areaCodes.Count(); ++i) {
            if (areaCodes.entries[static_cast<std::size_t>(i)].number == localCode)
                return i;
        }
        return 0;
    });
}
