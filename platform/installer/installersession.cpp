#include "installersession.h"

InstallerSession::InstallerSession(const QString& packagePath, const QMap<QString, QString>& properties)
    : m_packagePath(packagePath), m_properties(properties)
{
}

InstallerSession::~InstallerSession() = default;

QString InstallerSession::Property(const QString& name) const
{
    if (m_properties.contains(name))
        return m_properties.value(name);
    MsiPackage* database = ActiveDatabase();
    return database ? database->PropertyValue(name).value_or(QString()) : QString();
}

void InstallerSession::SetProperty(const QString& name, const QString& value)
{
    m_properties.insert(name, value);
    m_propertiesSet.append({name, value});
    if (m_propertyObserver)
        m_propertyObserver(name, value);
}

void InstallerSession::ProcessMessage(const InstallerRecord& record)
{
    m_records.append(record);
    if (m_recordObserver)
        m_recordObserver(record);
}

MsiPackage* InstallerSession::ActiveDatabase() const
{
    if (!m_databaseTried) {
        m_databaseTried = true;
        m_database = MsiPackage::Open(m_packagePath, MsiPackage::Mode::ReadOnly);
    }
    return m_database.get();
}
