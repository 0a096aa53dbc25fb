#include "testpackage.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

bool WriteFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

}  // namespace

bool TestPackage::Build(const QString& path, QString* error) const
{
    QTemporaryDir tables;
    QString property = QStringLiteral("Property\tValue\r\ns72\tL0\r\nProperty\tProperty\r\n");
    for (const auto& [name, value] : properties)
        property += name + u'\t' + value + QStringLiteral("\r\n");
    QString media = QStringLiteral("DiskId\tLastSequence\tDiskPrompt\tCabinet\tVolumeLabel\tSource\r\n"
                                   "i2\ti2\tL64\tS255\tS32\tS72\r\nMedia\tDiskId\r\n");
    for (qsizetype i = 0; i < cabinets.size(); ++i)
        media += QStringLiteral("%1\t%1\t\t%2\t\t\r\n").arg(i + 1).arg(cabinets[i]);
    const QString propertyFile = tables.filePath(QStringLiteral("Property.idt"));
    const QString mediaFile = tables.filePath(QStringLiteral("Media.idt"));
    if (!WriteFile(propertyFile, property) || !WriteFile(mediaFile, media))
        return false;
    QStringList arguments{path, QStringLiteral("-i"), propertyFile, QStringLiteral("-i"), mediaFile};
    for (const auto& [name, file] : streams)
        arguments << QStringLiteral("-a") << name << file;
    // msibuild writes the summary information of "-s" only when it comes last.
    arguments << QStringLiteral("-s") << QStringLiteral("Test package") << QStringLiteral("Corvanti")
              << QStringLiteral(";1033") << packageCode;
    QProcess msibuild;
    msibuild.setProcessChannelMode(QProcess::MergedChannels);
    msibuild.start(QStringLiteral("msibuild"), arguments);
    const bool ok = msibuild.waitForFinished(60000) && msibuild.exitStatus() == QProcess::NormalExit
        && msibuild.exitCode() == 0;
    if (!ok && error)
        *error = QString::fromLocal8Bit(msibuild.readAll()) + msibuild.errorString();
    return ok;
}
