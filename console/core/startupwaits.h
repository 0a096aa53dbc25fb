#pragma once

#include <QString>

// The pauses of the engine's start and restart: one second for the servers and links to settle, and up
// to three seconds for the PBX simulator to come up. Registry.ini [Startup] may shorten them (tests).
struct StartupWaits {
    static inline const QString kGroup = QStringLiteral("Startup");
    static inline const QString kEngineWaitName = QStringLiteral("EngineWaitMs");
    static inline const QString kSimulatorWaitName = QStringLiteral("SimulatorWaitMs");

    int engineMs = 1000;
    int simulatorMs = 3000;  // the longest wait: the start goes on as soon as the simulator serves

    static StartupWaits FromRegistry();
};
