#pragma once

#include <QString>

#include <optional>

class CSqlDatabase;
class InstallationSettings;

// Where the console's database runs: this computer in installation modes 1 (server) and 4
// (simulation), the server named in mode 2 (client); none in any other mode.
std::optional<QString> DatabaseServerFor(const InstallationSettings& installation);

// Connects a dialog's database of its own as the program connects its one: the installation's
// backend on DatabaseServerFor. 0, the connection's failure code, or kNoDialogDatabaseServer.
inline constexpr int kNoDialogDatabaseServer = 151;
int ConnectDialogDatabase(CSqlDatabase& database, const InstallationSettings& installation);
