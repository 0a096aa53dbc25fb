#pragma once

#include <QString>

class InstallerSession;
class MsiStream;
class PackageInstaller;
class ProductRegistry;
class SetupPrompt;

// Installs a new database-engine instance from the files the setup package carries, and removes the one
// installed earlier. Every step goes to the installer's log with the prefix "SVMSDE2000 Object: ".
class CMsdeInstaller {
public:
    CMsdeInstaller(InstallerSession& session, PackageInstaller& installer, SetupPrompt& prompt,
                   const ProductRegistry& registry);

    // 0 on success; E_FAIL (0x80004005) when a carried file is missing, the helper failed, all slots are
    // taken or setup was stopped; otherwise the installer's result (3010 becomes 0 with a reboot asked).
    unsigned Install();
    // Always 0.
    unsigned Uninstall();

    void LogInfo(const QString& text);
    void LogError(int errorNumber, const QString& text);

    bool ExtractStream(const QString& streamName, const QString& outputPath);
    // Copies the whole stream in reads of up to 260 bytes; false when a read or a write fails.
    bool SaveStreamToFile(MsiStream& stream, const QString& path);
    // The first free slot from 1 to 16 (its number in slot when given); false when all are taken.
    bool ChooseInstanceSlot(QString& productCode, QString& packageCode, QString& fileName, int* slot = nullptr);
    // True only when the helper started and exited with 0.
    bool RunHelper(const QString& helperPath, const QString& packagePath, const QString& productCode,
                   const QString& packageCode);
    bool BuildInstallCommandLine(QString& commandLine);
    void AppendTableProperty(QString& commandLine, const QString& propertyName);
    unsigned InstallPackage(const QString& packagePath, const QString& commandLine);
    bool DeferForWin9x(const QString& packageFileName, const QString& commandLine, const QString& workFolder);

    // False only when the key does not exist; a missing value leaves value empty.
    bool ReadRegistryValue(const QString& root, const QString& key, const QString& valueName, QString& value) const;
    bool RegistryKeyExists(const QString& root, const QString& key) const;

    static constexpr unsigned kFailed = 0x80004005;  // E_FAIL
    static constexpr int kFlowError = 1627;          // the error number of this flow's own failures

private:
    unsigned FailInstall(const QString& workFolder);
    QString Masked(const QString& commandLine) const;

    InstallerSession& m_session;
    PackageInstaller& m_installer;
    SetupPrompt& m_prompt;
    const ProductRegistry& m_registry;
};
