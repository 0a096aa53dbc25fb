// Prepares a suite folder for a demonstration of the console in simulation: the installation store
// (simulation mode, English, PBX 0 and its first extension, the SQLite catalog), the telephony location,
// the engine setting that starts the operator console, and a catalog with one PBX. Arguments: the suite folder, and optionally the PBX's identifier.
#include "computername.h"
#include "contactcache.h"
#include "engineerrorcode.h"
#include "enginesettings.h"
#include "enginesettingsfile.h"
#include "installationdatabase.h"
#include "installationsettings.h"
#include "language.h"
#include "registrykey.h"
#include "sqldatabase.h"
#include "suitelocation.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

constexpr int kSimulatorComNumber = 98;

int Fail(const char* what)
{
    std::fprintf(stderr, "demo set-up: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3)
        return Fail("usage: pultex_demo_setup SUITE_FOLDER [PBX_IDENTIFIER]");
    const QString suite = QDir(arguments[1]).absolutePath() + u'/';
    const QString identifier = arguments.size() == 3 ? arguments[2] : QStringLiteral("DEMO");
    SetProgramFilePath(suite + QStringLiteral("Pultex/Pultex"));
    QDir().mkpath(SharedFolder());

    InstallationSettings installation;
    installation.Load();
    installation.SetInstallationMode(InstallationSettings::kModeSimulation);
    installation.SetLanguage(kLanguageEnglish);
    installation.SetPbxIdentifier(0);
    installation.SetAssociatedExtension(0);
    installation.SetDatabase(DatabaseSettings());
    if (!installation.Save())
        return Fail("the installation store cannot be written");
    if (!RegistryKey(CContactCache::kLocationKey).WriteString(CContactCache::kCountryCodeName, CContactCache::kDefaultCountryCode))
        return Fail("Registry.ini cannot be written");

    EngineSettings engine;
    LoadEngineSettings(engine);
    engine.startOperatorConsole = 1;
    if (SaveEngineSettings(engine) != 1)
        return Fail("the engine settings cannot be written");

    // A catalog that has its PBX is left alone: a console may be running on it.
    CSqlDatabase database(DbParametersFor(installation.Database()));
    if (database.Connect(ComputerName()) != kNoError || database.PbxCount() == 0) {
        if (database.ConnectAndCreateSchema(ComputerName()) != kNoError)
            return Fail("the catalog cannot be created");
        if (database.PbxCount() == 0 && database.InsertEngineConfiguration(0, identifier, kSimulatorComNumber) != kNoError)
            return Fail("the PBX cannot be added to the catalog");
    }
    std::printf("suite %s ready: simulation, PBX %s\n", qPrintable(suite), qPrintable(database.PbxIdentifier(0)));
    return 0;
}
