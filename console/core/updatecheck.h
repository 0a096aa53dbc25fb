#pragma once

#include "enginesettings.h"

#include <QString>

#include <cstdint>

// The updater's commands, posted as WM_COMMAND to its dialog.
constexpr std::uint32_t kUpdaterInteractiveCheck = 1000;  // from the about dialog: always reports
constexpr std::uint32_t kUpdaterAutomaticCheck = 1004;    // at start: reports only a newer patch
// The updater needs a moment to open its dialog before it can be found.
constexpr int kUpdaterStartWaitMs = 1000;

QString UpdaterPath();  // <suite>/Refresko/Refresko

// Whether the start-up looks for updates: always with interval 0, otherwise when more than the interval
// (in days, fractions counted) has passed since the last check. A last check that is no date at all
// makes the check due.
bool IsUpdateCheckDue(const EngineSettings& settings, const OleDate& now);

// The about dialog's button: start the updater, ask it for an interactive check when its dialog is found,
// then store the time of the check and save the settings file.
void CheckForUpdatesNow(EngineSettings& settings);

// The start-up's check: start the updater, store the start time as the last check and save, then ask
// the updater for an automatic check when its dialog is found.
void RunStartupUpdateCheck(EngineSettings& settings, const OleDate& startTime);
