#include "cmsdeinstaller.h"

#include "cfileutil.h"
#include "childwait.h"
#include "installercommandline.h"
#include "installersession.h"
#include "instanceslots.h"
#include "msistream.h"
#include "packageinstaller.h"
#include "productregistry.h"
#include "registrykey.h"
#include "setuplog.h"
#include "setupprompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

const QString kPrefix = QStringLiteral("SVMSDE2000 Object: ");
const QString kStreamSuffix = QStringLiteral(".39438627_C68D_4d9f_9027_47DD3C239F98");
const QString kCabinetStream = QStringLiteral("SVMSDE2000.SqlRunCab") + kStreamSuffix;
const QString kPackageStream = QStringLiteral("SVMSDE2000.SqlRun01Msi") + kStreamSuffix;
const QString kHelperStream = QStringLiteral("SVMSDE2000.HelperExe") + kStreamSuffix;
const QString kCabinetFile = QStringLiteral("SqlRun.Cab");
const QString kHelperFile = QStringLiteral("Helper.Exe");
// The reads of a stream copy: the size of the original's path buffer.
constexpr qint64 kStreamChunk = 260;

const QString kDeferredKey = QStringLiteral("Software\\Setuvar\\ObjectSetups\\SVMSDE2000\\Temp");
const QString kInstallerFront = QStringLiteral("MSIEXEC");

// Properties of the package handed to the engine, in this order.
const char* const kTableProperties[] = {"SAPWD",  "INSTANCENAME",  "BLANKSAPWD",       "DATADIR",
                                        "TARGETDIR", "COLLATION", "SECURITYMODE", "ALLOWXDBCHAINING",
                                        "UPGRADEPWD", "DISABLENETWORKPROTOCOLS", "DISABLEMSDE"};

QString WorkPath(const QString& folder, const QString& name)
{
    QString path = folder;
    CFileUtil::AppendPath(path, name);
    return path;
}

}  // namespace

CMsdeInstaller::CMsdeInstaller(InstallerSession& session, PackageInstaller& installer, SetupPrompt& prompt,
                               const ProductRegistry& registry)
    : m_session(session), m_installer(installer), m_prompt(prompt), m_registry(registry)
{
}

void CMsdeInstaller::LogInfo(const QString& text)
{
    m_session.ProcessMessage({InstallerRecord::Kind::Info, 0, text});
}

void CMsdeInstaller::LogError(int errorNumber, const QString& text)
{
    m_session.ProcessMessage({InstallerRecord::Kind::Error, errorNumber, text});
}

QString CMsdeInstaller::Masked(const QString& commandLine) const
{
    return MaskedInstallerCommandLine(commandLine, HiddenSetupProperties());
}

bool CMsdeInstaller::ExtractStream(const QString& streamName, const QString& outputPath)
{
    if (streamName.isEmpty())
        return true;
    LogInfo(QStringLiteral("%1Getting %2 from _Streams table view").arg(kPrefix, streamName));
    unsigned error = 1;
    std::unique_ptr<MsiStream> stream;
    if (MsiPackage* database = m_session.ActiveDatabase()) {
        LogInfo(QStringLiteral("%1Executing %2 from _Streams table view").arg(kPrefix, streamName));
        stream = database->OpenStream(streamName, error);
    } else {
        error = InstallerError::kPackageOpenFailed;
    }
    if (stream) {
        error = 0;
        const QFileInfo written(outputPath);
        if (SaveStreamToFile(*stream, outputPath) && written.exists() && !written.isDir())
            return true;
        // Only a whole stream counts: a partial file is not left behind.
        CFileUtil::RemoveFile(outputPath);
    }
    LogError(kFlowError, QStringLiteral("%1Error %2 Not found in _Streams table.  MSI Error: %3")
                             .arg(kPrefix, streamName)
                             .arg(error));
    return false;
}

bool CMsdeInstaller::SaveStreamToFile(MsiStream& stream, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    char buffer[kStreamChunk];
    while (true) {
        const qint64 read = stream.Read(buffer, kStreamChunk);
        if (read == 0)
            return file.flush();
        if (read < 0 || file.write(buffer, read) != read)
            return false;
    }
}

bool CMsdeInstaller::ReadRegistryValue(const QString& root, const QString& key, const QString& valueName,
                                       QString& value) const
{
    const RegistryKey registryKey(ProductRegistry::KeyPath(root, key), m_registry.IniFile());
    if (!registryKey.Exists())
        return false;
    value = registryKey.ReadString(valueName);
    return true;
}

bool CMsdeInstaller::RegistryKeyExists(const QString& root, const QString& key) const
{
    QString scratch;
    return ReadRegistryValue(root, key, QStringLiteral("PackageCode"), scratch);
}

bool CMsdeInstaller::ChooseInstanceSlot(QString& productCode, QString& packageCode, QString& fileName, int* slot)
{
    for (int number = 1; number <= kInstanceSlotCount; ++number) {
        const InstanceSlot& row = InstanceSlotTable()[static_cast<std::size_t>(number - 1)];
        if (RegistryKeyExists(ProductRegistry::kClassesRoot, ProductRegistry::ProductProbeKey(row.productCode)))
            continue;
        productCode = row.productCode;
        packageCode = row.packageCode;
        fileName = row.fileName;
        if (slot)
            *slot = number;
        return true;
    }
    return false;
}

bool CMsdeInstaller::RunHelper(const QString& helperPath, const QString& packagePath, const QString& productCode,
                               const QString& packageCode)
{
    LogInfo(kPrefix + QStringLiteral("%1 -f \"%2\" -p %3 -k %4").arg(helperPath, packagePath, productCode, packageCode));
    const ChildOutcome outcome = RunChildAndWait(
        helperPath, {QStringLiteral("-f"), packagePath, QStringLiteral("-p"), productCode, QStringLiteral("-k"), packageCode});
    return outcome.started && outcome.exited && outcome.exitCode == 0;
}

void CMsdeInstaller::AppendTableProperty(QString& commandLine, const QString& propertyName)
{
    MsiPackage* database = m_session.ActiveDatabase();
    const QString value = database ? database->PropertyValue(propertyName).value_or(QString()) : QString();
    if (value.isEmpty())
        return;
    if (propertyName == QStringLiteral("DISABLEMSDE"))
        commandLine += QStringLiteral("ARPNOREMOVE=1 ");
    else
        commandLine += propertyName + u'=' + QuotedInstallerValue(value) + u' ';
}

bool CMsdeInstaller::BuildInstallCommandLine(QString& commandLine)
{
    commandLine = QStringLiteral("REBOOT=ReallySuppress ");
    for (const char* property : kTableProperties)
        AppendTableProperty(commandLine, QString::fromLatin1(property));
    const QString msde10 = m_session.Property(QStringLiteral("MSDE10INSTALLED"));
    LogInfo(QStringLiteral("%1 MSDE10 Version is: %2").arg(kPrefix, msde10));
    if (!msde10.isEmpty()) {
        AppendTableProperty(commandLine, QStringLiteral("UPGRADE"));
        AppendTableProperty(commandLine, QStringLiteral("UPGRADEUSER"));
    }
    return true;
}

unsigned CMsdeInstaller::InstallPackage(const QString& packagePath, const QString& commandLine)
{
    m_installer.EnableLog(EngineInstallLogPath());
    LogInfo(QStringLiteral("%1 Value of Install Command Line: %2").arg(kPrefix, Masked(commandLine)));
    const unsigned result = m_installer.InstallProduct(packagePath, commandLine);
    if (result == InstallerError::kRebootRequired) {
        m_session.SetProperty(QStringLiteral("SVMSDE2KREBOOTREQ"), QStringLiteral("1"));
        return 0;
    }
    return result;
}

bool CMsdeInstaller::DeferForWin9x(const QString& packageFileName, const QString& commandLine, const QString& workFolder)
{
    const QString deferred = workFolder + QStringLiteral("Temp9X");
    // A fresh private folder: one that exists already was not made by this setup.
    if (::mkdir(QFile::encodeName(deferred).constData(), 0700) != 0) {
        LogError(kFlowError, QStringLiteral("%1Failed to create %2").arg(kPrefix, deferred));
        return false;
    }
    for (const QString& name : {packageFileName, kCabinetFile, kHelperFile})
        QFile::copy(WorkPath(workFolder, name), WorkPath(deferred, name));
    const RegistryKey key(ProductRegistry::KeyPath(ProductRegistry::kLocalMachine, kDeferredKey), m_registry.IniFile());
    key.WriteString(QStringLiteral("CmdLine"), commandLine);
    key.WriteString(QStringLiteral("FileLoc"), WorkPath(deferred, packageFileName));
    key.WriteString(QStringLiteral("TempPath"), deferred);
    key.WriteString(QStringLiteral("MsiFile"), packageFileName);
    return true;
}

unsigned CMsdeInstaller::FailInstall(const QString& workFolder)
{
    CFileUtil::RemoveFolder(workFolder);
    return kFailed;
}

unsigned CMsdeInstaller::Install()
{
    const QString workFolder = CFileUtil::MakeWorkFolder();
    if (workFolder.isEmpty()) {
        LogError(kFlowError, kPrefix + QStringLiteral("Failed to create a work folder in ") + QDir::tempPath());
        return kFailed;
    }
    const QString carriedPackage = WorkPath(workFolder, kCarriedPackageName);
    const QString helper = WorkPath(workFolder, kHelperFile);
    if (!ExtractStream(kCabinetStream, WorkPath(workFolder, kCabinetFile))
        || !ExtractStream(kPackageStream, carriedPackage) || !ExtractStream(kHelperStream, helper))
        return FailInstall(workFolder);
    QFile::setPermissions(helper, QFile::permissions(helper) | QFile::ExeOwner);

    QString productCode, packageCode, fileName;
    if (!ChooseInstanceSlot(productCode, packageCode, fileName)) {
        LogError(kFlowError, kPrefix + QStringLiteral("Failed to Get Valid MSDE 2000 Instance"));
        m_prompt.ShowTooManyInstances();
        return FailInstall(workFolder);
    }
    LogInfo(QStringLiteral("%1ProductCode:%2 PackageCode:%3 FileName:%4").arg(kPrefix, productCode, packageCode, fileName));
    if (StopSignals::Requested() || !RunHelper(helper, carriedPackage, productCode, packageCode)) {
        LogError(kFlowError, kPrefix + QStringLiteral("Failed to Modify MSDE 2000 MSI File"));
        return FailInstall(workFolder);
    }
    LogInfo(kPrefix + QStringLiteral(" Modifed Temp Package"));

    // The carried package's own name stands for slot 1: a second spelling of it would be a second file.
    QString slotPackage = carriedPackage;
    if (fileName.compare(kCarriedPackageName, Qt::CaseInsensitive) != 0) {
        slotPackage = WorkPath(workFolder, fileName);
        QFile::remove(slotPackage);
        if (!QFile::copy(carriedPackage, slotPackage)) {
            LogError(kFlowError, kPrefix + QStringLiteral("Failed to Modify MSDE 2000 MSI File"));
            return FailInstall(workFolder);
        }
    }
    QString commandLine;
    if (!BuildInstallCommandLine(commandLine)) {
        LogError(kFlowError, kPrefix + QStringLiteral("Failed to Get MSDE 2000 Properties"));
        return FailInstall(workFolder);
    }
    LogInfo(QStringLiteral("%1 Command Line Parameters:%2").arg(kPrefix, Masked(commandLine)));

    if (!m_session.Property(QStringLiteral("Version9X")).isEmpty()) {
        const bool deferred = DeferForWin9x(QFileInfo(slotPackage).fileName(), commandLine, workFolder);
        CFileUtil::RemoveFolder(workFolder);
        return deferred ? 0 : kFailed;
    }
    if (StopSignals::Requested())
        return FailInstall(workFolder);
    const unsigned result = InstallPackage(slotPackage, commandLine);
    m_session.SetProperty(QStringLiteral("SVMSDE2KUNINST"), productCode);
    CFileUtil::RemoveFolder(workFolder);
    return result;
}

unsigned CMsdeInstaller::Uninstall()
{
    const QString productCode = m_session.Property(QStringLiteral("SVMSDE2KUNINSTALL"));
    LogInfo(QStringLiteral("%1 Value of SVMSDE2KUNINSTALL: %2").arg(kPrefix, productCode));
    QString location;
    if (!ReadRegistryValue(ProductRegistry::kLocalMachine, ProductRegistry::kInstallerKey,
                           ProductRegistry::kInstallerLocationValue, location)) {
        LogInfo(kPrefix + QStringLiteral(" Uninstall Key was not found"));
        return 0;
    }
    QString program = location;
    CFileUtil::AppendPath(program, kInstallerFront);
    const QStringList arguments{QStringLiteral("/x") + productCode, QStringLiteral("/qb")};
    LogInfo(QStringLiteral("%1 Uninstall Command Line: %2 %3").arg(kPrefix, program, arguments.join(u' ')));
    RunChildAndWait(program, arguments);
    return 0;
}
