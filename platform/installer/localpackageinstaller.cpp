#include "localpackageinstaller.h"

#include "installercommandline.h"
#include "msipackage.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

const QString LocalPackageInstaller::kDefaultInstance = QStringLiteral("MSSQLSERVER");

namespace {
const QString kInstanceProperty = QStringLiteral("INSTANCENAME");
}  // namespace

LocalPackageInstaller::LocalPackageInstaller(const ProductRegistry& registry, const QString& installerFolder)
    : m_registry(registry), m_installerFolder(installerFolder)
{
}

void LocalPackageInstaller::Log(const QString& text) const
{
    if (m_logPath.isEmpty())
        return;
    // The log may be the first file of a fresh Shared folder.
    QDir().mkpath(QFileInfo(m_logPath).absolutePath());
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString line = QDateTime::currentDateTime().toString(Qt::ISODate) + u' ' + text + QStringLiteral("\r\n");
    file.write(line.toUtf8());
}

unsigned LocalPackageInstaller::Result(unsigned result) const
{
    Log(QStringLiteral("Installation ended with result %1.").arg(result));
    return result;
}

unsigned LocalPackageInstaller::InstallProduct(const QString& packagePath, const QString& commandLine)
{
    Log(QStringLiteral("Installing %1 with: %2")
            .arg(packagePath, MaskedInstallerCommandLine(commandLine, m_hiddenProperties)));
    QMap<QString, QString> properties;
    if (!ParseInstallerProperties(commandLine, properties)) {
        Log(QStringLiteral("The command line is no list of NAME=VALUE settings."));
        return Result(InstallerError::kInvalidCommandLine);
    }
    const std::unique_ptr<MsiPackage> package = MsiPackage::Open(packagePath, MsiPackage::Mode::ReadOnly);
    if (!package) {
        Log(QStringLiteral("The package does not open."));
        return Result(InstallerError::kPackageOpenFailed);
    }
    const QString productCode = package->PropertyValue(QStringLiteral("ProductCode")).value_or(QString());
    const QString packageCode = package->RevisionNumber();
    if (ProductRegistry::PackedCode(productCode).isEmpty() || packageCode.isEmpty()) {
        Log(QStringLiteral("The package has no valid product code or package code."));
        return Result(InstallerError::kPackageInvalid);
    }
    const QString folder = QFileInfo(packagePath).absolutePath() + u'/';
    for (const QString& cabinet : package->ExternalCabinets()) {
        if (!QFileInfo(folder + cabinet).isFile()) {
            Log(QStringLiteral("The cabinet %1 is missing beside the package.").arg(cabinet));
            return Result(InstallerError::kInstallFailure);
        }
    }
    if (m_registry.IsProductRegistered(productCode)
        && m_registry.RegisteredPackageCode(productCode).compare(packageCode, Qt::CaseInsensitive) != 0) {
        Log(QStringLiteral("Product %1 is installed from another package (%2).")
                .arg(productCode, m_registry.RegisteredPackageCode(productCode)));
        return Result(InstallerError::kProductVersion);
    }
    QString instance = properties.value(kInstanceProperty);
    if (instance.isEmpty())
        instance = kDefaultInstance;
    // The engine's own setup refuses an instance name that another product installed: two products on one
    // name would leave it to the one removed first, and the other's instance would be gone.
    const QString other = m_registry.OtherProductWithInstance(instance, productCode);
    if (!other.isEmpty()) {
        Log(QStringLiteral("Instance %1 is installed already by product %2.").arg(instance, other));
        return Result(InstallerError::kInstallFailure);
    }
    if (!m_registry.RegisterProduct(productCode, packageCode, instance) || !m_registry.AddInstance(instance)
        || (!m_installerFolder.isEmpty() && !m_registry.SetInstallerLocation(m_installerFolder))) {
        Log(QStringLiteral("The registry file %1 cannot be written.").arg(m_registry.IniFile()));
        return Result(InstallerError::kInstallFailure);
    }
    Log(QStringLiteral("Product %1 (package %2) installed as instance %3.").arg(productCode, packageCode, instance));
    return Result(InstallerError::kSuccess);
}

unsigned LocalPackageInstaller::UninstallProduct(const QString& productCode)
{
    Log(QStringLiteral("Removing product %1.").arg(productCode));
    if (!m_registry.IsProductRegistered(productCode))
        return Result(InstallerError::kUnknownProduct);
    const QString instance = m_registry.RegisteredInstance(productCode);
    // A registry file from before the check above may list two products on one name: the name stays
    // while another still claims it.
    const bool shared = !instance.isEmpty() && !m_registry.OtherProductWithInstance(instance, productCode).isEmpty();
    const bool removeInstance = !instance.isEmpty() && !shared;
    if ((removeInstance && !m_registry.RemoveInstance(instance)) || !m_registry.UnregisterProduct(productCode))
        return Result(InstallerError::kInstallFailure);
    if (shared)
        Log(QStringLiteral("Product %1 removed; instance %2 stays with another product.").arg(productCode, instance));
    else
        Log(QStringLiteral("Product %1 removed with instance %2.").arg(productCode, instance));
    return Result(InstallerError::kSuccess);
}
