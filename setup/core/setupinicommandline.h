#pragma once

#include <QString>

class ProductRegistry;

// The engine's command line from section "Options" of "Setup.ini" in the folder (keys in file order,
// every non-empty value as KEY=VALUE), with INSTANCENAME ("MSSQLSERVER" when empty or missing) and the SA
// password when the file gives none. instanceName receives the instance the command line installs.
QString BuildCommandLineFromSetupIni(const QString& folder, const QString& saPassword, QString& instanceName);

// The 1-based position of the instance in the engine's list of installed instances (names compared
// without regard to case); 0 when the key, the list or the name is missing.
int FindInstalledInstance(const ProductRegistry& registry, const QString& instanceName);
