#include "databasesettings.h"

#include "folders.h"

QString DatabaseSettings::DefaultSqliteFile() { return GetSuiteFolder() + QStringLiteral("Data/Corvanti.sqlite"); }
