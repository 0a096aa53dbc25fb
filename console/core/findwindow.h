#pragma once

#include "suiteipc.h"

#include <QString>

#include <memory>

class MessageTarget;

// The windows of the suite's programs, found by the class or title they register (SuiteIpc).
inline const QString kPultexClass = QStringLiteral("Pultex");
inline const QString kSimulvexClass = QStringLiteral("Simulvex");
inline const QString kRefreskoTitle = QStringLiteral("Refresko");
inline const QString kFonivraTitle = QStringLiteral("Fonivra");

// The console's own window, by its class: how a second start finds the first.
bool FindPultexWindow();
// The PBX simulator, by its class.
bool FindSimulvexWindow();
// The updater's dialog, by its title.
bool FindRefreskoWindow();
// The operator console, by its title.
bool FindFonivraWindow();

// Registers the console's window class, so that the suite finds it and its messages reach `target`.
// Null while another live console holds the class.
std::unique_ptr<SuiteIpc::Registration> RegisterPultexWindow(MessageTarget& target);
// Posts a message to the console's window; false when no console runs.
bool PostToPultexWindow(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
