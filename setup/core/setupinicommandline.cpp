#include "setupinicommandline.h"

#include "cinifile.h"
#include "installercommandline.h"
#include "localpackageinstaller.h"
#include "productregistry.h"

namespace {

const QString kSetupIni = QStringLiteral("Setup.ini");
const QString kOptionsSection = QStringLiteral("Options");
const QString kInstanceName = QStringLiteral("INSTANCENAME");
const QString kSaPassword = QStringLiteral("SAPWD");

void AppendSetting(QString& commandLine, const QString& key, const QString& value)
{
    commandLine += key + u'=' + QuotedInstallerValue(value) + u' ';
}

}  // namespace

QString BuildCommandLineFromSetupIni(const QString& folder, const QString& saPassword, QString& instanceName)
{
    QString commandLine;
    CIniFile ini(folder + kSetupIni);
    if (ini.Load()) {
        for (const QString& key : ini.KeyNames(kOptionsSection)) {
            QString value = ini.GetValue(kOptionsSection, key);
            if (key.compare(kInstanceName, Qt::CaseInsensitive) == 0) {
                if (value.isEmpty())
                    value = LocalPackageInstaller::kDefaultInstance;
                instanceName = value;
            }
            if (!value.isEmpty())
                AppendSetting(commandLine, key, value);
        }
    }
    if (!commandLine.contains(kInstanceName)) {
        AppendSetting(commandLine, kInstanceName, LocalPackageInstaller::kDefaultInstance);
        instanceName = LocalPackageInstaller::kDefaultInstance;
    }
    if (!commandLine.contains(kSaPassword) && !saPassword.isEmpty())
        commandLine += kSaPassword + u'=' + QuotedInstallerValue(saPassword);
    return commandLine;
}

int FindInstalledInstance(const ProductRegistry& registry, const QString& instanceName)
{
    const QStringList instances = registry.InstalledInstances();
    for (qsizetype i = 0; i < instances.size(); ++i) {
        if (instances[i].compare(instanceName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i + 1);
    }
    return 0;
}
