#pragma once

#include "databasesettings.h"
#include "dbparameters.h"
#include "engineports.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

// A throw-away suite tree in which the built console program runs as a process of its own, offscreen:
// <suite>/Pultex/Pultex, optionally <suite>/Simulvex/Simulvex (the built simulator behind a launcher that
// gives it a configuration), the installation store, and Registry.ini with ports of its own, short waits
// and the country code. The console's standard output is read line by line.
//
// Its destructor ends the console and the simulator that the console started. Only one tree is the
// running program's suite at a time (Enter): the folder functions and the messages to the suite's
// windows depend on it.
class ConsoleSuite {
public:
    static constexpr int kStartTimeoutMs = 60000;
    static constexpr int kStopTimeoutMs = 30000;

    ConsoleSuite();
    ~ConsoleSuite();
    ConsoleSuite(const ConsoleSuite&) = delete;
    ConsoleSuite& operator=(const ConsoleSuite&) = delete;

    bool IsValid() const { return m_valid; }
    QString Folder() const;          // the suite folder, with '/'
    QString SharedFolder() const;
    QString ProgramFolder() const;   // <suite>/Pultex/
    // Makes this tree the running program's suite.
    void Enter() const;

    const EnginePorts& Ports() const { return m_ports; }
    EnginePorts& Ports() { return m_ports; }

    // Installs the simulator, which runs these control commands before it opens its ports.
    bool InstallSimulvex(const QStringList& configuration);
    // Installs a program of the suite: a shell script as <suite>/<name>/<name>.
    bool InstallScript(const QString& name, const QString& script) const;
    bool InstallFile(const QString& path, const QByteArray& bytes, bool executable) const;

    // Writes the installation store: mode, bound PBX and extension, server name, database; Italian.
    bool WriteInstallation(std::uint8_t mode, std::uint8_t pbx, std::uint8_t extension,
                           const DatabaseSettings& database = {}, const QString& serverName = {}) const;
    // Writes Registry.ini: the ports, no engine waits, the country code.
    bool WriteRegistry() const;
    // Creates the catalog of the database settings with these PBXs, in list order (a catalog left by an
    // earlier run loses its PBXs first). ComStat starts at 9, so that a start that sets it shows.
    bool CreateCatalog(const QStringList& pbxs, const DatabaseSettings& database = {}) const;
    DbParameters CatalogParameters(const DatabaseSettings& database = {}) const;

    bool StartConsole();
    bool IsConsoleRunning() const { return m_process.state() != QProcess::NotRunning; }
    // The first line (without "Pultex: ") that starts with the text, waiting for it; empty on time-out.
    QString WaitForLine(const QString& start, int timeoutMs = kStartTimeoutMs);
    // The last line of the start: "started: ..." or "window shown: ...".
    QString WaitForStartEnd();
    QStringList Lines() const { return m_lines; }
    bool HasLine(const QString& start) const;
    // Ends the console by its close command (as the updater does); its exit code, -1 when it did not end.
    int StopConsole();
    // Sends the signal to the console process; false when it does not run.
    bool SignalConsole(int signal);
    // Waits for the console to end by itself; its exit code, -1 when it did not.
    int WaitForExit();

    // One control command to the simulator that the console started; its reply line.
    QString SimulvexCommand(const QString& line);

private:
    void ReadOutput();
    void StopSimulvex();

    QTemporaryDir m_dir;
    bool m_valid = false;
    EnginePorts m_ports;
    QProcess m_process;
    QByteArray m_pending;
    QStringList m_lines;       // the console's lines, without "Pultex: "
    QString m_simulvexControl; // the control socket the simulator announced
};

// A TCP or UDP port that was free a moment ago on every local address.
std::uint16_t FreeTcpPort();
std::uint16_t FreeUdpPort();
