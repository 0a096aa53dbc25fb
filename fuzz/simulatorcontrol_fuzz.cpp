// The simulator's control commands, any lines: each gets one reply, "OK" or "ERROR", and none crashes.
#include "fuzzapplication.h"
#include "pbxsimulator.h"
#include "simulatorcontrol.h"

#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzApplication();
    PbxSimulator simulator;
    SimulatorControl control(simulator);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& line : text.split(u'\n')) {
        const QString reply = control.Execute(line);
        if (!reply.startsWith(QStringLiteral("OK")) && !reply.startsWith(QStringLiteral("ERROR")))
            std::abort();
        if (control.QuitRequested())
            break;
    }
    return 0;
}
