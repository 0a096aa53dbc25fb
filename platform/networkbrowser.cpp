#include "networkbrowser.h"

#include "computername.h"

#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTextStream>

namespace {

bool Contains(const QStringList& names, const QString& name) { return names.contains(name, Qt::CaseInsensitive); }

}  // namespace

NetworkBrowser::NetworkBrowser(const QString& hostsFile, const QString& ownName)
    : m_hostsFile(hostsFile), m_ownName(ownName.isEmpty() ? ComputerName() : ownName)
{
}

QStringList NetworkBrowser::Computers() const
{
    QStringList names;
    if (!m_ownName.isEmpty())
        names << m_ownName;
    QFile file(m_hostsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    static const QRegularExpression kBlanks(QStringLiteral("\\s+"));
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        const QString line = stream.readLine().section(u'#', 0, 0).trimmed();
        const QStringList fields = line.split(kBlanks, Qt::SkipEmptyParts);
        QHostAddress address;
        if (fields.size() < 2 || !address.setAddress(fields.first()) ||
            address.protocol() != QAbstractSocket::IPv4Protocol || address.isLoopback())
            continue;
        for (qsizetype field = 1; field < fields.size(); ++field)
            if (!Contains(names, fields[field]))
                names << fields[field];
    }
    return names;
}
