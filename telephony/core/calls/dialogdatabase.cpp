#include "dialogdatabase.h"

#include "computername.h"
#include "installationdatabase.h"
#include "installationsettings.h"
#include "sqldatabase.h"

std::optional<QString> DatabaseServerFor(const InstallationSettings& installation)
{
    switch (installation.InstallationMode()) {
    case InstallationSettings::kModeServer:
    case InstallationSettings::kModeSimulation: return ComputerName();
    case InstallationSettings::kModeClient: return installation.ServerName();
    default: return std::nullopt;
    }
}

int ConnectDialogDatabase(CSqlDatabase& database, const InstallationSettings& installation)
{
    const std::optional<QString> server = DatabaseServerFor(installation);
    if (!server)
        return kNoDialogDatabaseServer;
    database.SetParameters(DbParametersFor(installation.Database()));
    return database.Connect(*server);
}
