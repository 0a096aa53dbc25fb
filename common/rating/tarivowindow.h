#pragma once

#include "oledate.h"

#include <QString>

#include <cstdint>

// The rating program Tarivo as the other programs reach it: its main window (window class "Tarivo"),
// found and messaged through SuiteIpc, and its program file for starting it on a request.

// Brings the rating program's window to the front; the last of each request's messages.
inline constexpr std::uint32_t kTarivoActivate = 0x400 + 75;

// Whether the rating program's main window is running for this suite.
bool FindTarivoWindow();

// Posts one message to the rating program's main window; false when it did not reach it.
bool PostToTarivo(std::uint32_t message, std::uint64_t wParam = 0, std::int64_t lParam = 0);
// A date as the rating program's messages carry it: the 64 bits of its value, the low half in wParam and
// the high half in lParam.
bool PostDateToTarivo(std::uint32_t message, const OleDate& date);

// <suite>/Tarivo/Tarivo and its folder (with the trailing '/').
QString TarivoProgramPath();
QString TarivoProgramFolder();
