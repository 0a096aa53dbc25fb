#include "consolesuite.h"

#include <csignal>

#include "blockingsocket.h"
#include "contactcache.h"
#include "engineerrorcode.h"
#include "findwindow.h"
#include "installationdatabase.h"
#include "installationsettings.h"
#include "language.h"
#include "mainframe.h"
#include "registrykey.h"
#include "socketaddress.h"
#include "sqldatabase.h"
#include "startupwaits.h"
#include "suiteipc.h"
#include "suitelocation.h"
#include "waitfor.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcessEnvironment>

#include <algorithm>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kReplyTimeoutMs = 10000;
constexpr int kSimulatorWaitMs = 20000;  // the longest: the simulator serves as soon as it can
constexpr std::uint8_t kUnsetComStat = 9;
const QString kReportPrefix = QStringLiteral("Pultex: ");
const QString kSimulvexReady = QStringLiteral("Simulvex ready: ");
const QString kControlMarker = QStringLiteral("; control ");
const QString kSimulvexProgram = QStringLiteral("simulvex-program");
const QString kSimulvexConfiguration = QStringLiteral("startup.cfg");
constexpr QFileDevice::Permissions kExecutable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                 QFileDevice::ExeUser;

std::uint16_t FreePort(int type)
{
    CBlockingSocket probe;
    probe.Create(type);
    probe.Bind(AnySocketAddress(0));
    return PortOf(probe.GetSockAddr());
}

// A program of the build placed in the tree: a hard link when the file system allows it, else a copy.
bool PlaceProgram(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return QFile::copy(from, to);
}

}  // namespace

std::uint16_t FreeTcpPort() { return FreePort(CBlockingSocket::kStream); }
std::uint16_t FreeUdpPort() { return FreePort(CBlockingSocket::kDatagram); }

ConsoleSuite::ConsoleSuite()
{
    if (!m_dir.isValid())
        return;
    Enter();
    QDir().mkpath(SharedFolder());
    m_valid = PlaceProgram(QStringLiteral(PULTEX_PROGRAM), ProgramFolder() + QStringLiteral("Pultex"));
    m_ports.requestPort = FreeTcpPort();
    // Distinct UDP ports: each probe keeps its port until all are chosen.
    std::vector<std::unique_ptr<CBlockingSocket>> probes;
    for (std::uint16_t* port : {&m_ports.eventPort, &m_ports.relayPort, &m_ports.tapiCommandPort,
                                &m_ports.tapiReplyPort, &m_ports.lanEnginePort}) {
        auto probe = std::make_unique<CBlockingSocket>();
        probe->Create(CBlockingSocket::kDatagram);
        probe->Bind(AnySocketAddress(0));
        *port = PortOf(probe->GetSockAddr());
        probes.push_back(std::move(probe));
    }
    // The console's errors (and the sanitizers' reports) go where the test's go.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

ConsoleSuite::~ConsoleSuite()
{
    Enter();
    if (IsConsoleRunning() && StopConsole() < 0) {
        m_process.kill();
        m_process.waitForFinished(kStopTimeoutMs);
    }
    StopSimulvex();
    SetProgramFilePath(QString());
}

QString ConsoleSuite::Folder() const { return m_dir.path() + QStringLiteral("/suite/"); }
QString ConsoleSuite::SharedFolder() const { return Folder() + QStringLiteral("Shared/"); }
QString ConsoleSuite::ProgramFolder() const { return Folder() + QStringLiteral("Pultex/"); }

void ConsoleSuite::Enter() const { SetProgramFilePath(ProgramFolder() + QStringLiteral("Pultex")); }

bool ConsoleSuite::InstallFile(const QString& path, const QByteArray& bytes, bool executable) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable || file.setPermissions(kExecutable);
}

bool ConsoleSuite::InstallScript(const QString& name, const QString& script) const
{
    return InstallFile(Folder() + name + u'/' + name, (QStringLiteral("#!/bin/sh\n") + script + u'\n').toUtf8(), true);
}

bool ConsoleSuite::InstallSimulvex(const QStringList& configuration)
{
    const QString folder = Folder() + QStringLiteral("Simulvex/");
    return PlaceProgram(QStringLiteral(SIMULVEX_PROGRAM), folder + kSimulvexProgram) &&
           InstallFile(folder + kSimulvexConfiguration, (configuration.join(u'\n') + u'\n').toUtf8(), false) &&
           InstallScript(QStringLiteral("Simulvex"),
                         QStringLiteral("here=$(dirname \"$0\")\nexec \"$here/%1\" --no-stdin --config \"$here/%2\"")
                             .arg(kSimulvexProgram, kSimulvexConfiguration));
}

bool ConsoleSuite::WriteInstallation(std::uint8_t mode, std::uint8_t pbx, std::uint8_t extension,
                                     const DatabaseSettings& database, const QString& serverName) const
{
    InstallationSettings settings(SharedFolder() + QStringLiteral("Installation.ini"));
    settings.Load();
    settings.SetInstallationMode(mode);
    settings.SetPbxIdentifier(pbx);
    settings.SetAssociatedExtension(extension);
    settings.SetServerName(serverName);
    settings.SetLanguage(kLanguageItalian);
    settings.SetDatabase(database);
    return settings.Save();
}

bool ConsoleSuite::WriteRegistry() const
{
    const QString file = SharedFolder() + QStringLiteral("Registry.ini");
    const RegistryKey network(QStringLiteral("Network"), file);
    const RegistryKey startup(StartupWaits::kGroup, file);
    return network.WriteInt(EnginePorts::kRequestPortName, m_ports.requestPort) &&
           network.WriteInt(EnginePorts::kEventPortName, m_ports.eventPort) &&
           network.WriteInt(EnginePorts::kRelayPortName, m_ports.relayPort) &&
           network.WriteInt(EnginePorts::kTapiCommandPortName, m_ports.tapiCommandPort) &&
           network.WriteInt(EnginePorts::kTapiReplyPortName, m_ports.tapiReplyPort) &&
           network.WriteInt(EnginePorts::kLanEnginePortName, m_ports.lanEnginePort) &&
           startup.WriteInt(StartupWaits::kEngineWaitName, 0) &&
           startup.WriteInt(StartupWaits::kSimulatorWaitName, kSimulatorWaitMs) &&
           RegistryKey(CContactCache::kLocationKey, file)
               .WriteString(CContactCache::kCountryCodeName, CContactCache::kDefaultCountryCode);
}

DbParameters ConsoleSuite::CatalogParameters(const DatabaseSettings& database) const
{
    Enter();
    return DbParametersFor(database);
}

bool ConsoleSuite::CreateCatalog(const QStringList& pbxs, const DatabaseSettings& database) const
{
    CSqlDatabase catalog(CatalogParameters(database));
    if (catalog.ConnectAndCreateSchema(QString()) != kNoError)
        return false;
    for (int pbx = catalog.PbxCount() - 1; pbx >= 0; --pbx)
        if (catalog.DeleteEngineConfiguration(catalog.PbxComId(pbx)) != kNoError)
            return false;
    for (int pbx = 0; pbx < pbxs.size(); ++pbx) {
        if (catalog.InsertEngineConfiguration(pbx, pbxs[pbx], pbx + 1) != kNoError ||
            catalog.UpdateComStat(pbx, kUnsetComStat) != kNoError)
            return false;
    }
    return true;
}

bool ConsoleSuite::StartConsole()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(ProgramFolder());
    m_process.start(ProgramFolder() + QStringLiteral("Pultex"), {});
    return m_process.waitForStarted(kStartTimeoutMs);
}

void ConsoleSuite::ReadOutput()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(m_pending.left(end)).trimmed();
        m_pending.remove(0, end + 1);
        if (line.startsWith(kReportPrefix))
            m_lines << line.mid(kReportPrefix.size());
        else if (line.startsWith(kSimulvexReady) && line.contains(kControlMarker))
            m_simulvexControl = line.mid(line.indexOf(kControlMarker) + kControlMarker.size()).trimmed();
    }
}

bool ConsoleSuite::HasLine(const QString& start) const
{
    return std::any_of(m_lines.begin(), m_lines.end(), [&start](const QString& line) { return line.startsWith(start); });
}

QString ConsoleSuite::WaitForLine(const QString& start, int timeoutMs)
{
    QString found;
    WaitFor(
        [&] {
            ReadOutput();
            for (const QString& line : m_lines) {
                if (line.startsWith(start)) {
                    found = line;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

QString ConsoleSuite::WaitForStartEnd()
{
    QString found;
    WaitFor(
        [&] {
            ReadOutput();
            for (const QString& line : m_lines) {
                if (line.startsWith(QLatin1String("started: ")) || line.startsWith(QLatin1String("window shown: "))) {
                    found = line;
                    return true;
                }
            }
            return !IsConsoleRunning();
        },
        kStartTimeoutMs);
    return found;
}

int ConsoleSuite::StopConsole()
{
    Enter();
    SuiteIpc::Post(SuiteIpc::Key::WindowClass, kPultexClass, WM_COMMAND, CMainFrame::kCloseDocumentCommand, 0);
    return WaitForExit();
}

bool ConsoleSuite::SignalConsole(int signal)
{
    return IsConsoleRunning() && ::kill(static_cast<pid_t>(m_process.processId()), signal) == 0;
}

int ConsoleSuite::WaitForExit()
{
    const bool ended = WaitFor([this] { return !IsConsoleRunning(); }, kStopTimeoutMs);
    ReadOutput();
    if (!ended || m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    return m_process.exitCode();
}

QString ConsoleSuite::SimulvexCommand(const QString& line)
{
    ReadOutput();
    QLocalSocket socket;
    socket.connectToServer(m_simulvexControl);
    if (m_simulvexControl.isEmpty() || !socket.waitForConnected(kReplyTimeoutMs))
        return {};
    socket.write((line + u'\n').toUtf8());
    if (!WaitFor([&socket] { return socket.canReadLine() || socket.waitForReadyRead(10); }, kReplyTimeoutMs))
        return {};
    return QString::fromUtf8(socket.readLine()).trimmed();
}

void ConsoleSuite::StopSimulvex()
{
    if (!SuiteIpc::Find(SuiteIpc::Key::WindowClass, kSimulvexClass))
        return;
    SuiteIpc::Post(SuiteIpc::Key::WindowClass, kSimulvexClass, WM_COMMAND, CMainFrame::kCloseDocumentCommand, 0);
    WaitFor([] { return !SuiteIpc::Find(SuiteIpc::Key::WindowClass, kSimulvexClass); }, kStopTimeoutMs);
}
