#pragma once

#include <QString>

// Installs a product from its package with a command line of property settings, the way the system's
// installer does; results are the installer's error numbers (0 success, 3010 success with a reboot).
class PackageInstaller {
public:
    virtual ~PackageInstaller() = default;
    // From now on the installer appends its verbose log to the file.
    virtual void EnableLog(const QString& path) = 0;
    virtual unsigned InstallProduct(const QString& packagePath, const QString& commandLine) = 0;
};
