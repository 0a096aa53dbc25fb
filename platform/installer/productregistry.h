#pragma once

#include <QString>
#include <QStringList>

// What the installer and the database engine keep in the registry file: the registered products, the
// engine's list of installed instances and the installer's own location. Key paths in the file are
// case-sensitive, so each key has exactly one spelling here.
class ProductRegistry {
public:
    // Roots of the key paths, kept as the first level of the file's groups.
    static const QString kClassesRoot;
    static const QString kLocalMachine;
    // Under kLocalMachine: the engine's key with "InstalledInstances", and the installer's key with
    // "InstallerLocation".
    static const QString kEngineKey;
    static const QString kInstalledInstancesValue;
    static const QString kInstallerKey;
    static const QString kInstallerLocationValue;

    ProductRegistry();  // the suite's Registry.ini
    explicit ProductRegistry(const QString& iniFile);

    // The installer's compressed form of a code in braces: 32 hexadecimal digits, the first three groups
    // reversed character by character, then each remaining byte with its two digits swapped. Empty when
    // the code is malformed.
    static QString PackedCode(const QString& code);
    // Under kClassesRoot: "Installer\Products\<packed product code>\SourceList".
    static QString ProductProbeKey(const QString& productCode);

    bool IsProductRegistered(const QString& productCode) const;
    QString RegisteredPackageCode(const QString& productCode) const;
    QString RegisteredInstance(const QString& productCode) const;
    bool RegisterProduct(const QString& productCode, const QString& packageCode, const QString& instanceName);
    bool UnregisterProduct(const QString& productCode);
    // The packed code of a registered product other than `productCode` that installed the instance (names
    // compare without regard to case); empty when there is none.
    QString OtherProductWithInstance(const QString& instanceName, const QString& productCode) const;

    QStringList InstalledInstances() const;
    bool HasEngineKey() const;
    // Adds a name not yet listed (names compare without regard to case); removes one.
    bool AddInstance(const QString& name);
    bool RemoveInstance(const QString& name);

    QString InstallerLocation() const;
    bool HasInstallerKey() const;
    bool SetInstallerLocation(const QString& folder);

    QString IniFile() const { return m_iniFile; }
    // Root and key joined as the file names a group.
    static QString KeyPath(const QString& root, const QString& key);

private:
    QString m_iniFile;
};
