#pragma once

#include <QString>
#include <QStringList>

// A registry key kept in an INI file, <suite>/Shared/Registry.ini by default. The key path
// ("SOFTWARE\Utensa") is the group; backslashes and slashes both separate its levels.
class RegistryKey {
public:
    explicit RegistryKey(const QString& keyPath);
    RegistryKey(const QString& keyPath, const QString& iniFile);

    static QString DefaultFile();

    // Whether the key holds any value or subkey: an empty key is not kept in the file.
    bool Exists() const;
    bool HasValue(const QString& name) const;
    QString ReadString(const QString& name, const QString& defaultValue = {}) const;
    int ReadInt(const QString& name, int defaultValue) const;
    // False when the file cannot be written.
    bool WriteString(const QString& name, const QString& value) const;
    bool WriteInt(const QString& name, int value) const;
    bool RemoveValue(const QString& name) const;
    // A multi-string value.
    QStringList ReadStringList(const QString& name) const;
    bool WriteStringList(const QString& name, const QStringList& values) const;
    // The names of the keys one level below this one.
    QStringList SubkeyNames() const;
    // Removes the key with its values and subkeys.
    bool Remove() const;

private:
    QString ValueKey(const QString& name) const;

    QString m_group;
    QString m_iniFile;
};

// A port from the [Network] group, or the default when it holds none (or nothing usable).
int NetworkPort(const QString& name, int defaultPort);

// The device of serial resource "\\.\COM" + n: [SerialPorts] COMn first, then the simulator's published
// pseudo-terminal for 98, then /dev/ttyS(n-1).
QString SerialDevicePath(int portNumber);
// Where a PBX simulator publishes the pseudo-terminal it serves as COM n: a link in the Shared folder.
QString PublishedSerialPath(int portNumber);
constexpr int kSimulatorSerialPort = 98;
