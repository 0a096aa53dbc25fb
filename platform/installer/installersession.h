#pragma once

#include "msipackage.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// A message record processed by the installer: an information text, or an error with its number.
struct InstallerRecord {
    enum class Kind { Info, Error };
    Kind kind = Kind::Info;
    int errorNumber = 0;
    QString text;
};

// The installer's handle as a custom action sees it: the session's properties over the package's Property
// table, the records it processes and the package as the active database.
class InstallerSession {
public:
    InstallerSession(const QString& packagePath, const QMap<QString, QString>& properties);
    ~InstallerSession();

    // The session's value, else the package's Property row, else empty.
    QString Property(const QString& name) const;
    void SetProperty(const QString& name, const QString& value);
    void ProcessMessage(const InstallerRecord& record);

    // The package opened for reading on first use; null when it does not open.
    MsiPackage* ActiveDatabase() const;
    QString PackagePath() const { return m_packagePath; }

    const QList<InstallerRecord>& Records() const { return m_records; }
    // Properties set during the session, in the order they were set.
    const QList<QPair<QString, QString>>& PropertiesSet() const { return m_propertiesSet; }

    // Called for each record and each property set, as they happen.
    void SetRecordObserver(std::function<void(const InstallerRecord&)> observer) { m_recordObserver = std::move(observer); }
    void SetPropertyObserver(std::function<void(const QString&, const QString&)> observer)
    {
        m_propertyObserver = std::move(observer);
    }

private:
    QString m_packagePath;
    QMap<QString, QString> m_properties;
    // Opened when first needed.
    mutable std::unique_ptr<MsiPackage> m_database;
    mutable bool m_databaseTried = false;
    QList<InstallerRecord> m_records;
    QList<QPair<QString, QString>> m_propertiesSet;
    std::function<void(const InstallerRecord&)> m_recordObserver;
    std::function<void(const QString&, const QString&)> m_propertyObserver;
};
