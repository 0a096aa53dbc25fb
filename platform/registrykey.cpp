#include "registrykey.h"

#include "suitelocation.h"

#include <QSettings>

RegistryKey::RegistryKey(const QString& keyPath) : RegistryKey(keyPath, DefaultFile()) {}

RegistryKey::RegistryKey(const QString& keyPath, const QString& iniFile)
    : m_group(QString(keyPath).replace(u'\\', u'/')), m_iniFile(iniFile)
{
}

QString RegistryKey::DefaultFile() { return SharedFolder() + QStringLiteral("Registry.ini"); }

QString RegistryKey::ValueKey(const QString& name) const
{
    return m_group.isEmpty() ? name : m_group + u'/' + name;
}

bool RegistryKey::Exists() const
{
    QSettings settings(m_iniFile, QSettings::IniFormat);
    if (m_group.isEmpty())
        return !settings.allKeys().isEmpty();
    settings.beginGroup(m_group);
    return !settings.allKeys().isEmpty();
}

bool RegistryKey::HasValue(const QString& name) const
{
    const QSettings settings(m_iniFile, QSettings::IniFormat);
    return settings.contains(ValueKey(name));
}

QString RegistryKey::ReadString(const QString& name, const QString& defaultValue) const
{
    const QSettings settings(m_iniFile, QSettings::IniFormat);
    return settings.value(ValueKey(name), defaultValue).toString();
}

int RegistryKey::ReadInt(const QString& name, int defaultValue) const
{
    bool ok = false;
    const int value = ReadString(name).trimmed().toInt(&ok, 0);
    return ok ? value : defaultValue;
}

bool RegistryKey::WriteString(const QString& name, const QString& value) const
{
    QSettings settings(m_iniFile, QSettings::IniFormat);
    settings.setValue(ValueKey(name), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool RegistryKey::WriteInt(const QString& name, int value) const
{
    return WriteString(name, QString::number(value));
}

bool RegistryKey::RemoveValue(const QString& name) const
{
    QSettings settings(m_iniFile, QSettings::IniFormat);
    settings.remove(ValueKey(name));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QStringList RegistryKey::ReadStringList(const QString& name) const
{
    const QSettings settings(m_iniFile, QSettings::IniFormat);
    return settings.value(ValueKey(name)).toStringList();
}

bool RegistryKey::WriteStringList(const QString& name, const QStringList& values) const
{
    QSettings settings(m_iniFile, QSettings::IniFormat);
    settings.setValue(ValueKey(name), values);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QStringList RegistryKey::SubkeyNames() const
{
    QSettings settings(m_iniFile, QSettings::IniFormat);
    if (!m_group.isEmpty())
        settings.beginGroup(m_group);
    return settings.childGroups();
}

bool RegistryKey::Remove() const
{
    QSettings settings(m_iniFile, QSettings::IniFormat);
    settings.remove(m_group);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

int NetworkPort(const QString& name, int defaultPort)
{
    const int port = RegistryKey(QStringLiteral("Network")).ReadInt(name, defaultPort);
    return port > 0 && port <= 65535 ? port : defaultPort;
}

QString PublishedSerialPath(int portNumber)
{
    return SharedFolder() + QStringLiteral("COM%1.pty").arg(portNumber);
}

QString SerialDevicePath(int portNumber)
{
    const QString configured =
        RegistryKey(QStringLiteral("SerialPorts")).ReadString(QStringLiteral("COM%1").arg(portNumber)).trimmed();
    if (!configured.isEmpty())
        return configured;
    if (portNumber == kSimulatorSerialPort)
        return PublishedSerialPath(portNumber);
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}
