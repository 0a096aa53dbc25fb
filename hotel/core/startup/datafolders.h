#pragma once

#include <QString>

#include <functional>

class InstallationSettings;

// Where the hotel program keeps its documents (receipts, invoices, police forms). Folders end in '/'.
namespace lodgix {

// This workstation's own data folder: Registry.ini [Lodgix] LocalDataFolder, else <suite>/Data/Lodgix/.
QString GetLocalDataFolder();

// The folder that holds the hotel's documents: on the workstation that holds the database (a configured
// mode 1 or 4) its local data folder; on any other, the server's data folder as mounted here, Registry.ini
// [Lodgix] ServerDataFolder, else "/mnt/" + the server's name + "/LodgixAdmin/".
QString GetDataFolder(const InstallationSettings& settings);

// Makes the local data folder. On a workstation that is not the server it then looks for the server's
// folder and, when it is not there, hands message 2280 to warn; start-up goes on either way. Sharing the
// server's folder with the other workstations is left to the system's file sharing.
void SetupSharedDataFolder(const InstallationSettings& settings, const std::function<void(const QString&)>& warn);

inline constexpr unsigned kSharedFolderMissingString = 2280;

}  // namespace lodgix
