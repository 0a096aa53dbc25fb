#include "suitetree.h"

#include "engineerrorcode.h"
#include "installationdatabase.h"
#include "installationsettings.h"
#include "language.h"
#include "messagetarget.h"
#include "registrykey.h"
#include "sqldatabase.h"
#include "suiteipc.h"
#include "suitelocation.h"
#include "testports.h"
#include "waitfor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>

#include <unistd.h>

namespace {

constexpr std::uint8_t kUnsetComStat = 9;
const QString kSimulvexProgram = QStringLiteral("simulvex-program");
const QString kSimulvexConfiguration = QStringLiteral("startup.cfg");
constexpr QFileDevice::Permissions kExecutable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                 QFileDevice::ExeUser;

}  // namespace

std::uint16_t FreeTcpPort() { return ReserveTestPort(); }
std::uint16_t FreeUdpPort() { return ReserveTestPort(); }

SuiteTree::SuiteTree(const QString& homeProgram) : m_homeProgram(homeProgram)
{
    if (!m_dir.isValid())
        return;
    Enter();
    m_valid = QDir().mkpath(SharedFolder()) && QDir().mkpath(ProgramFolder());
    for (std::uint16_t* port : {&m_ports.requestPort, &m_ports.eventPort, &m_ports.relayPort, &m_ports.tapiCommandPort,
                                &m_ports.tapiReplyPort, &m_ports.lanEnginePort})
        *port = ReserveTestPort();
}

SuiteTree::~SuiteTree()
{
    Enter();
    StopSimulvex();
    SetProgramFilePath(QString());
}

QString SuiteTree::Folder() const { return m_dir.path() + QStringLiteral("/suite/"); }
QString SuiteTree::SharedFolder() const { return Folder() + QStringLiteral("Shared/"); }

QString SuiteTree::ProgramFolder(const QString& program) const
{
    return Folder() + (program.isEmpty() ? m_homeProgram : program) + u'/';
}

QString SuiteTree::ProgramPath(const QString& program) const
{
    return ProgramFolder(program) + (program.isEmpty() ? m_homeProgram : program);
}

void SuiteTree::Enter() const { SetProgramFilePath(ProgramPath()); }

bool SuiteTree::PlaceProgram(const QString& program, const QString& builtPath) const
{
    const QString to = ProgramPath(program);
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    if (::link(QFile::encodeName(builtPath).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return QFile::copy(builtPath, to);
}

bool SuiteTree::InstallFile(const QString& path, const QByteArray& bytes, bool executable) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable || file.setPermissions(kExecutable);
}

bool SuiteTree::InstallScript(const QString& name, const QString& script) const
{
    return InstallFile(Folder() + name + u'/' + name, (QStringLiteral("#!/bin/sh\n") + script + u'\n').toUtf8(), true);
}

bool SuiteTree::InstallSimulvex(const QString& builtPath, const QStringList& configuration) const
{
    const QString folder = ProgramFolder(kSimulvexName);
    QDir().mkpath(folder);
    QFile::remove(folder + kSimulvexProgram);
    const bool placed = ::link(QFile::encodeName(builtPath).constData(),
                               QFile::encodeName(folder + kSimulvexProgram).constData()) == 0 ||
                        QFile::copy(builtPath, folder + kSimulvexProgram);
    return placed &&
           InstallFile(folder + kSimulvexConfiguration, (configuration.join(u'\n') + u'\n').toUtf8(), false) &&
           InstallScript(kSimulvexName,
                         QStringLiteral("here=$(dirname \"$0\")\nexec \"$here/%1\" --no-stdin --config \"$here/%2\"")
                             .arg(kSimulvexProgram, kSimulvexConfiguration));
}

bool SuiteTree::WriteInstallation(std::uint8_t mode, std::uint8_t pbx, std::uint8_t extension,
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

bool SuiteTree::WriteNetworkPorts() const
{
    const RegistryKey network(QStringLiteral("Network"), SharedFolder() + QStringLiteral("Registry.ini"));
    return network.WriteInt(EnginePorts::kRequestPortName, m_ports.requestPort) &&
           network.WriteInt(EnginePorts::kEventPortName, m_ports.eventPort) &&
           network.WriteInt(EnginePorts::kRelayPortName, m_ports.relayPort) &&
           network.WriteInt(EnginePorts::kTapiCommandPortName, m_ports.tapiCommandPort) &&
           network.WriteInt(EnginePorts::kTapiReplyPortName, m_ports.tapiReplyPort) &&
           network.WriteInt(EnginePorts::kLanEnginePortName, m_ports.lanEnginePort);
}

DbParameters SuiteTree::CatalogParameters(const DatabaseSettings& database) const
{
    Enter();
    return DbParametersFor(database);
}

bool SuiteTree::CreateCatalog(const QStringList& pbxs, const DatabaseSettings& database) const
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

void SuiteTree::StopSimulvex() const
{
    if (!SuiteIpc::Find(SuiteIpc::Key::WindowClass, kSimulvexName))
        return;
    SuiteIpc::Post(SuiteIpc::Key::WindowClass, kSimulvexName, WM_COMMAND, kCloseCommand, 0);
    WaitFor([] { return !SuiteIpc::Find(SuiteIpc::Key::WindowClass, kSimulvexName); }, kStopTimeoutMs);
}

bool TestDatabaseSettings(DbBackend backend, DatabaseSettings& settings, QString& skipReason)
{
    settings = DatabaseSettings();
    if (backend == DbBackend::kSqlite)
        return true;
    const QString host = qEnvironmentVariable("SUITE_TEST_PGHOST");
    if (host.isEmpty()) {
        skipReason = QStringLiteral("PostgreSQL not tested: SUITE_TEST_PGHOST is not set");
        return false;
    }
    settings.backend = DatabaseSettings::Backend::PostgreSql;
    settings.host = host;
    bool portOk = false;
    const int port = qEnvironmentVariable("SUITE_TEST_PGPORT").toInt(&portOk);
    settings.port = portOk ? port : DatabaseSettings::kDefaultPostgresPort;
    settings.user = qEnvironmentVariable("SUITE_TEST_PGUSER");
    // A catalog of its own, created by the programs under test: tests that run at once would otherwise
    // replace each other's engine configuration in the cluster's one catalog. The cluster is a test one.
    static std::atomic<int> made{0};
    settings.catalog = QStringLiteral("corvanti_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(made++);
    return true;
}
