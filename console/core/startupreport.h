#pragma once

#include <QString>

// The console tells on its standard output how its start went, one line per fact, each beginning
// "Pultex: ": the hand-over to a running console, each PBX's start result, the engine's and the TAPI
// link's outcomes, the bound PBX's records of a client, and how the window was left. Whoever started
// the console (a terminal, a script, a test) can follow it without a window.
void ReportStartup(const QString& line);
