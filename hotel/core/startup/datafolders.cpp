#include "datafolders.h"

#include "folders.h"
#include "installationsettings.h"
#include "registrykey.h"
#include "stringtable.h"

#include <QDir>
#include <QFileInfo>

namespace lodgix {

namespace {

constexpr char kRegistryKey[] = "Lodgix";
constexpr char kLocalDataFolderValue[] = "LocalDataFolder";
constexpr char kServerDataFolderValue[] = "ServerDataFolder";
constexpr char kDefaultLocalFolder[] = "Data/Lodgix/";  // under the suite folder
constexpr char kMountRoot[] = "/mnt/";
constexpr char kShareName[] = "LodgixAdmin";

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

QString RegistryFolder(const char* value)
{
    return RegistryKey(QLatin1String(kRegistryKey)).ReadString(QLatin1String(value)).trimmed();
}

bool IsServerWorkstation(const InstallationSettings& settings)
{
    return settings.IsLoaded() && !settings.NeedsSetupWizard() && settings.IsServerStation();
}

}  // namespace

QString GetLocalDataFolder()
{
    const QString configured = RegistryFolder(kLocalDataFolderValue);
    return configured.isEmpty() ? GetSuiteFolder() + QLatin1String(kDefaultLocalFolder) : WithSlash(configured);
}

QString GetDataFolder(const InstallationSettings& settings)
{
    if (IsServerWorkstation(settings))
        return GetLocalDataFolder();
    const QString mounted = RegistryFolder(kServerDataFolderValue);
    if (!mounted.isEmpty())
        return WithSlash(mounted);
    // A workstation that was never configured knows no server: the name stays empty.
    const QString server = settings.IsLoaded() && !settings.NeedsSetupWizard() ? settings.ServerName() : QString();
    return QLatin1String(kMountRoot) + server + u'/' + QLatin1String(kShareName) + u'/';
}

void SetupSharedDataFolder(const InstallationSettings& settings, const std::function<void(const QString&)>& warn)
{
    QDir().mkpath(GetLocalDataFolder());
    if (IsServerWorkstation(settings))
        return;
    if (!QFileInfo(GetDataFolder(settings)).isDir() && warn)
        warn(LoadResString(kSharedFolderMissingString));
}

}  // namespace lodgix
