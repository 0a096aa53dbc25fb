#pragma once

#include <QString>

// The windows of the suite's other programs, found by the class or title they register (SuiteIpc).
inline const QString kRefreskoTitle = QStringLiteral("Refresko");

// The updater's dialog, by its title.
bool FindRefreskoWindow();
