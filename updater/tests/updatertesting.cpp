#include "updatertesting.h"

#include "installedversion.h"
#include "registrykey.h"
#include "updateserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

UpdaterTestSuite::UpdaterTestSuite() : m_suite(QStringLiteral("Refresko")) { PointAtServer(); }

void UpdaterTestSuite::PointAtServer() const
{
    const RegistryKey network(QStringLiteral("Network"));
    network.WriteString(kUpdateServerHostValue, QStringLiteral("127.0.0.1"));
    network.WriteInt(kUpdateServerPortValue, m_server.Port());
    network.WriteString(kUpdateServerUserValue, QString::fromLatin1(LocalFtpServer::kUser));
}

void UpdaterTestSuite::Install(PatchVersion version) const
{
    RegistryKey(kSuiteUninstallKey).WriteString(kDisplayVersionValue, QStringLiteral("2.%1.%2").arg(version.series).arg(version.build));
}

bool UpdaterTestSuite::AddPatch(PatchVersion version, const QByteArray& content) const
{
    return m_server.WriteFile(PatchRemotePath(version), content);
}

bool UpdaterTestSuite::MakePatchFolder() const { return m_server.MakeFolder(kPatchFolder); }

void UpdaterTestSuite::PointAtNoServer() const
{
    RegistryKey(QStringLiteral("Network")).WriteInt(kUpdateServerPortValue, FreeLoopbackPort());
}

QByteArray UpdaterTestSuite::MarkerScript(const QString& markerName)
{
    return "#!/bin/sh\npwd > " + markerName.toUtf8() + "\n";
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteExecutable(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        return false;
    file.close();
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
