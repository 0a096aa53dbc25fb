#pragma once

#include "packageinstaller.h"
#include "productregistry.h"

#include <QStringList>

// The installer of this machine: registers the package's product under its package code in the product
// registry, and the database instance it names (INSTANCENAME, by default "MSSQLSERVER") in the engine's
// instance list. An instance name that another product installed is refused (1603), as the engine's setup
// does. Nothing else is installed: no database server is made per instance.
class LocalPackageInstaller : public PackageInstaller {
public:
    // installerFolder: where the front "MSIEXEC" lies, recorded as the installer's location.
    LocalPackageInstaller(const ProductRegistry& registry, const QString& installerFolder);

    // Property values the log shows as "********".
    void SetHiddenProperties(const QStringList& names) { m_hiddenProperties = names; }

    void EnableLog(const QString& path) override { m_logPath = path; }
    unsigned InstallProduct(const QString& packagePath, const QString& commandLine) override;
    // 1605 when the product is not installed.
    unsigned UninstallProduct(const QString& productCode);

    static const QString kDefaultInstance;

private:
    void Log(const QString& text) const;
    unsigned Result(unsigned result) const;

    ProductRegistry m_registry;
    QString m_installerFolder;
    QStringList m_hiddenProperties;
    QString m_logPath;
};
