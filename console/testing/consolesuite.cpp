#include "consolesuite.h"

#include "contactcache.h"
#include "contactsource.h"
#include "findwindow.h"
#include "installationsettings.h"
#include "mainframe.h"
#include "registrykey.h"
#include "startupwaits.h"
#include "suiteipc.h"

#include <QDateTime>

namespace {

constexpr int kSimulatorWaitMs = 20000;  // the longest: the simulator serves as soon as it can

}  // namespace

ConsoleSuite::ConsoleSuite(const QString& homeProgram) : SuiteTree(homeProgram), m_console(kPultexClass)
{
    static_assert(SuiteTree::kCloseCommand == CMainFrame::kCloseDocumentCommand);
    m_placed = SuiteTree::IsValid() && PlaceProgram(kPultexClass, QStringLiteral(PULTEX_PROGRAM));
}

ConsoleSuite::~ConsoleSuite()
{
    Enter();
    if (IsConsoleRunning())
        StopConsole();
}

bool ConsoleSuite::InstallSimulvex(const QStringList& configuration) const
{
    return SuiteTree::InstallSimulvex(QStringLiteral(SIMULVEX_PROGRAM), configuration);
}

QString ConsoleSuite::StartInSimulation(const QStringList& simulator, const DatabaseSettings& database)
{
    if (!InstallSimulvex(simulator) || !WriteInstallation(InstallationSettings::kModeSimulation, 0, 0, database) ||
        !WriteRegistry() || !CreateCatalog({QStringLiteral("CENTRALE")}, database))
        return QStringLiteral("the suite tree could not be prepared");
    Enter();
    if (!StartConsole())
        return QStringLiteral("the console did not start");
    const QString end = WaitForStartEnd();
    if (end.startsWith(QLatin1String("started: ")))
        return {};
    return end + u'\n' + Lines().join(u'\n');
}

bool ConsoleSuite::WriteRegistry() const
{
    const QString file = SharedFolder() + QStringLiteral("Registry.ini");
    const RegistryKey startup(StartupWaits::kGroup, file);
    // The start-up's contacts import reads the tree, never the user's own contacts.
    const RegistryKey contacts(ContactSource::kRegistryKey, file);
    return WriteNetworkPorts() && startup.WriteInt(StartupWaits::kEngineWaitName, 0) &&
           startup.WriteInt(StartupWaits::kSimulatorWaitName, kSimulatorWaitMs) &&
           RegistryKey(CContactCache::kLocationKey, file)
               .WriteString(CContactCache::kCountryCodeName, CContactCache::kDefaultCountryCode) &&
           contacts.WriteString(ContactSource::kAddressBookName, SharedFolder() + QStringLiteral("Contacts")) &&
           contacts.WriteString(ContactSource::kMailContactsName, SharedFolder() + QStringLiteral("Contacts.csv"));
}

bool ConsoleSuite::StartConsole() { return m_console.Start(ProgramPath(kPultexClass)); }

QString ConsoleSuite::WaitForStartEnd()
{
    return m_console.WaitForAnyLine({QStringLiteral("started: "), QStringLiteral("window shown: ")});
}

int ConsoleSuite::StopConsole()
{
    Enter();
    SuiteIpc::Post(SuiteIpc::Key::WindowClass, kPultexClass, WM_COMMAND, CMainFrame::kCloseDocumentCommand, 0);
    return WaitForExit();
}

bool ConsoleSuite::PlaceCall(int extension, int line, const QString& number, int seconds)
{
    const QString end = QDateTime::currentDateTime().addSecs(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return SimulvexCommand(QStringLiteral("call %1 %2 %3").arg(extension).arg(line).arg(number)).startsWith(u"OK") &&
           SimulvexCommand(QStringLiteral("set clock ") + end).startsWith(u"OK") &&
           SimulvexCommand(QStringLiteral("hangup %1").arg(extension)).startsWith(u"OK");
}
