#include "helperprogram.h"

#include "cfileutil.h"
#include "childwait.h"
#include "helperoptions.h"
#include "instanceslots.h"
#include "packageinstaller.h"
#include "packagerewrite.h"
#include "productregistry.h"
#include "setupinicommandline.h"
#include "setuplog.h"
#include "setupprompt.h"

#include <QFile>

#include <cstdio>

namespace {

const QString kCabinetName = QStringLiteral("SqlRun.Cab");

void Report(const QString& text) { std::fprintf(stderr, "Helper: %s\n", qPrintable(text)); }

bool CopyWithNormalAttributes(const QString& from, const QString& to)
{
    return QFile::copy(from, to) && CFileUtil::SetNormalAttributes(to);
}

}  // namespace

HelperProgram::HelperProgram(SetupPrompt& prompt, PackageInstaller& installer, const ProductRegistry& registry)
    : m_prompt(prompt), m_installer(installer), m_registry(registry)
{
}

int HelperProgram::Run(const QString& commandLine, const QString& programFolder)
{
    const HelperOptions options = HelperOptions::Parse(commandLine);
    if (options.usage) {
        m_prompt.ShowUsage();
        return 0;
    }
    return options.rewriteMode ? RewriteMode(options) : StandAloneMode(options, programFolder);
}

int HelperProgram::RewriteMode(const HelperOptions& options)
{
    if (RewritePackage(options.packagePath, options.productCode, options.packageCode))
        return 0;
    if (CFileUtil::IsReadOnly(options.packagePath))
        Report(QStringLiteral("the package %1 is read-only: it is left as it was").arg(options.packagePath));
    else
        Report(QStringLiteral("the package %1 could not be rewritten").arg(options.packagePath));
    return 1;
}

int HelperProgram::StandAloneMode(const HelperOptions& options, const QString& programFolder)
{
    const QString package = programFolder + kCarriedPackageName;
    QString instanceName;
    const QString commandLine = BuildCommandLineFromSetupIni(programFolder, options.saPassword, instanceName);

    const int installed = FindInstalledInstance(m_registry, instanceName);
    if (installed > 0 && !options.reinstall) {
        Report(QStringLiteral("instance %1 is installed already (/R installs it again)").arg(instanceName));
        return 0;
    }
    const int slot = installed > 0 ? installed : FindFreeInstanceSlot(m_registry);
    QString productCode, packageCode, slotFile;
    GetInstanceSlotInfo(slot, productCode, packageCode, slotFile);
    if (slotFile.isEmpty()) {
        Report(QStringLiteral("all %1 instance slots are taken: nothing is installed").arg(kInstanceSlotCount));
        return 1;
    }
    if (StopSignals::Requested())
        return 1;
    if (slotFile.compare(kCarriedPackageName, Qt::CaseInsensitive) != 0 || CFileUtil::IsReadOnly(package))
        return InstallFromWorkFolder(package, programFolder, slotFile, productCode, packageCode, commandLine);
    if (!RewritePackage(package, productCode, packageCode)) {
        Report(QStringLiteral("the package %1 could not be rewritten").arg(package));
        return 1;
    }
    return Install(package, commandLine);
}

int HelperProgram::InstallFromWorkFolder(const QString& package, const QString& programFolder, const QString& slotFile,
                                         const QString& productCode, const QString& packageCode,
                                         const QString& commandLine)
{
    const QString workFolder = CFileUtil::MakeWorkFolder();
    if (workFolder.isEmpty()) {
        Report(QStringLiteral("no work folder could be made"));
        return 1;
    }
    QString copy = workFolder;
    CFileUtil::AppendPath(copy, slotFile);
    QString cabinet = workFolder;
    CFileUtil::AppendPath(cabinet, kCabinetName);
    int result = 1;
    if (!CopyWithNormalAttributes(package, copy) || !CopyWithNormalAttributes(programFolder + kCabinetName, cabinet))
        Report(QStringLiteral("the package and its cabinet could not be copied to %1").arg(workFolder));
    else if (!RewritePackage(copy, productCode, packageCode))
        Report(QStringLiteral("the package %1 could not be rewritten").arg(copy));
    else if (!StopSignals::Requested())
        result = Install(copy, commandLine);
    CFileUtil::RemoveFolder(workFolder);
    return result;
}

int HelperProgram::Install(const QString& package, const QString& commandLine)
{
    m_installer.EnableLog(EngineInstallLogPath());
    const unsigned result = m_installer.InstallProduct(package, commandLine);
    if (result == 0 || result == 3010)
        return 0;
    Report(QStringLiteral("the installation ended with %1 (see %2)").arg(result).arg(EngineInstallLogPath()));
    return 1;
}
