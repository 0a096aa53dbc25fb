#pragma once

#include <QString>
#include <QStringList>

// The computers this one can name, in place of browsing the network neighbourhood: this computer's own
// name first, then every name of the hosts database (canonical names and aliases of its IPv4 entries),
// each once, compared without regard to case. Loopback names ("localhost" and its kin) are left out:
// they would name this computer again.
class NetworkBrowser {
public:
    static inline const QString kDefaultHostsFile = QStringLiteral("/etc/hosts");

    explicit NetworkBrowser(const QString& hostsFile = kDefaultHostsFile, const QString& ownName = {});

    QStringList Computers() const;

private:
    QString m_hostsFile;
    QString m_ownName;
};
