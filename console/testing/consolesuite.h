#pragma once

#include "suiteprogramprocess.h"
#include "suitetree.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The console program Pultex in a throw-away suite tree (SuiteTree), run as a process of its own:
// Registry.ini gets the console's short waits and the country code besides the ports, the simulator is
// the built Simulvex, and the console is closed by its close command, as the updater closes it.
class ConsoleSuite : public SuiteTree {
public:
    static constexpr int kStartTimeoutMs = SuiteProgramProcess::kStartTimeoutMs;

    // The test stands in the home program's place (Enter): the console's by default.
    explicit ConsoleSuite(const QString& homeProgram = QStringLiteral("Pultex"));
    ~ConsoleSuite() override;

    bool IsValid() const { return SuiteTree::IsValid() && m_placed; }

    // Installs the simulator, which runs these control commands before it opens its ports.
    bool InstallSimulvex(const QStringList& configuration) const;
    // Writes Registry.ini: the ports, no engine waits, the country code.
    bool WriteRegistry() const;

    bool StartConsole();
    // The usual start in simulation: the simulator with these commands, an installation bound to PBX 0
    // named "CENTRALE" in the catalog of the database settings (the tree's SQLite file by default), the
    // console started and its start waited for. Empty when the console reports "started", else what went
    // wrong with the console's lines.
    QString StartInSimulation(const QStringList& simulator, const DatabaseSettings& database = {});
    // A call from the extension over the line to the number, placed through the simulator and ended
    // `seconds` later by the PBX's clock (moved on from the PC's time). False when a command failed.
    bool PlaceCall(int extension, int line, const QString& number, int seconds);
    bool IsConsoleRunning() const { return m_console.IsRunning(); }
    QString WaitForLine(const QString& start, int timeoutMs = kStartTimeoutMs)
    {
        return m_console.WaitForLine(start, timeoutMs);
    }
    // The last line of the start: "started: ..." or "window shown: ...".
    QString WaitForStartEnd();
    QStringList Lines() const { return m_console.Lines(); }
    bool HasLine(const QString& start) const { return m_console.HasLine(start); }
    // Ends the console by its close command (as the updater does); its exit code, -1 when it did not end.
    int StopConsole();
    int WaitForExit() { return m_console.WaitForExit(); }
    QString SimulvexCommand(const QString& line) { return m_console.SimulvexCommand(line); }
    // Sends the signal to the console process; false when it does not run.
    bool SignalConsole(int signal) { return m_console.Signal(signal); }

private:
    bool m_placed = false;
    SuiteProgramProcess m_console;
};
