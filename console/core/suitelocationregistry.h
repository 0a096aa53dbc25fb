#pragma once

#include <QString>

// Where other software looks for the suite: the registry key and value the console writes at each start.
inline const QString kSuiteRegistryKey = QStringLiteral("SOFTWARE\\Utensa");
inline const QString kInstallLocationValue = QStringLiteral("InstallLocation");

// Writes the suite folder, without its trailing '/', as "InstallLocation" under "SOFTWARE\Utensa" of
// Registry.ini. False when the file cannot be written.
bool RegisterSuiteLocation();
