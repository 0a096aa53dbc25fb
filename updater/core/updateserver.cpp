#include "updateserver.h"

#include "registrykey.h"
#include "updatesettings.h"

namespace {
const QString kAccountPassword = QStringLiteral("q71k9zt");
}

FtpConnection UpdateServerConnection(const UpdateSettings& settings)
{
    const RegistryKey network(QStringLiteral("Network"));
    FtpConnection connection;
    connection.host = network.ReadString(kUpdateServerHostValue, kDefaultUpdateServerHost);
    connection.user = network.ReadString(kUpdateServerUserValue, kDefaultUpdateServerUser);
    connection.password = kAccountPassword;
    connection.passive = settings.IsPassive();
    connection.userAgent = settings.userAgent;
    connection.timeoutMs = kUpdateServerTimeoutMs;
    if (settings.UsesProxy()) {
        connection.proxy = settings.proxyServer;
        connection.proxyUser = settings.proxyUser;
        connection.proxyPassword = settings.proxyPassword;
        connection.port = settings.proxyServerPort;
    } else {
        connection.port = NetworkPort(kUpdateServerPortValue, kDefaultFtpPort);
    }
    return connection;
}
