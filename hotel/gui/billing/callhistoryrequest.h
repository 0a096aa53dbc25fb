#pragma once

#include "oledate.h"
#include "tarivowindow.h"

#include <QLocale>
#include <QString>

#include <cstdint>

namespace lodgix {

// The call history of a room's extension over a stay, asked of the rating program Tarivo: posted to its
// window when it runs, else on its command line when it is started.
struct CallHistoryRequest {
    int pbx = 0;
    int extension = 0;
    OleDate start;
    OleDate end;
};

// The messages a running Tarivo takes for a history, in the order they are posted: PBX, extension, period
// start and end (a date's 64 bits, low half in wParam, high half in lParam), show the history, compute,
// come to the front (kTarivoActivate, tarivowindow.h).
inline constexpr std::uint32_t kTarivoHistoryPbx = 0x400 + 82;
inline constexpr std::uint32_t kTarivoHistoryExtension = 0x400 + 78;
inline constexpr std::uint32_t kTarivoHistoryStart = 0x400 + 76;
inline constexpr std::uint32_t kTarivoHistoryEnd = 0x400 + 77;
inline constexpr std::uint32_t kTarivoShowHistory = 0x400 + 79;
inline constexpr std::uint32_t kTarivoCompute = 0x400 + 80;

// Tarivo's one argument for the history: its own path followed by the switches, dates written as Tarivo
// reads them in the same locale.
QString CallHistoryArgument(const CallHistoryRequest& request, const QLocale& locale);

// Hands the request to Tarivo: the seven messages when it runs, else Tarivo started in its folder on the
// request. False when neither reached it (a start that fails is not reported to the user).
bool RequestCallHistory(const CallHistoryRequest& request, const QLocale& locale);

}  // namespace lodgix
