#pragma once

#include "ftpsession.h"

struct UpdateSettings;

// The update server: host, port and account from Registry.ini [Network] (UpdateServerHost,
// UpdateServerPort, UpdateServerUser), the account's password kept here.
inline const QString kUpdateServerHostValue = QStringLiteral("UpdateServerHost");
inline const QString kUpdateServerPortValue = QStringLiteral("UpdateServerPort");
inline const QString kUpdateServerUserValue = QStringLiteral("UpdateServerUser");
inline const QString kDefaultUpdateServerHost = QStringLiteral("aggiornamenti.utensa.it");
inline const QString kDefaultUpdateServerUser = QStringLiteral("refresko");
constexpr int kDefaultFtpPort = 21;
constexpr int kUpdateServerTimeoutMs = 10000;

// How to reach the server with these settings: directly on the configured port, or through the proxy on
// the port the settings name for it; passive or active as they say.
FtpConnection UpdateServerConnection(const UpdateSettings& settings);
