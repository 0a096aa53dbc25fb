#pragma once

// The QCoreApplication that some parsers need (settings files, timers of the simulator), made once for
// the whole run of a fuzz target.
void EnsureFuzzApplication();
