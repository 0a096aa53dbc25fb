#include "installationdatabase.h"

#include "databasesettings.h"

DbParameters DbParametersFor(const DatabaseSettings& settings)
{
    DbParameters parameters;
    if (settings.backend == DatabaseSettings::Backend::PostgreSql) {
        parameters.backend = DbBackend::kPostgres;
        parameters.host = settings.host;
        parameters.port = settings.port;
        parameters.user = settings.user;
        parameters.password = settings.password;
        if (!settings.catalog.isEmpty())
            parameters.database = settings.catalog;
    } else {
        parameters.backend = DbBackend::kSqlite;
        parameters.file = settings.SqliteFile();
    }
    return parameters;
}
