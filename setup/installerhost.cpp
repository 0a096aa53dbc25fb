#include "installerhost.h"

#include <QMap>

#include <cstdio>

std::unique_ptr<InstallerSession> InstallerHost::MakeSession(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "a package is needed\n");
        return nullptr;
    }
    QMap<QString, QString> properties;
    for (const QString& setting : arguments.mid(1)) {
        const qsizetype equals = setting.indexOf(u'=');
        if (equals <= 0) {
            std::fprintf(stderr, "not a NAME=VALUE setting: %s\n", qPrintable(setting));
            return nullptr;
        }
        properties.insert(setting.left(equals), setting.mid(equals + 1));
    }
    auto session = std::make_unique<InstallerSession>(arguments.first(), properties);
    session->SetRecordObserver([](const InstallerRecord& record) {
        if (record.kind == InstallerRecord::Kind::Error)
            std::fprintf(stderr, "Error %d: %s\n", record.errorNumber, qPrintable(record.text));
        else
            std::fprintf(stderr, "Info: %s\n", qPrintable(record.text));
    });
    session->SetPropertyObserver([](const QString& name, const QString& value) {
        std::fprintf(stdout, "%s=%s\n", qPrintable(name), qPrintable(value));
        std::fflush(stdout);
    });
    return session;
}
