#pragma once

#include "databasesettings.h"
#include "dbparameters.h"
#include "engineports.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

// A throw-away suite tree in which the built programs run as processes of their own: <suite>/<Program>/
// <Program> for each placed program, optionally <suite>/Simulvex/Simulvex (the built simulator behind a
// launcher that gives it a configuration), the installation store, Registry.ini with ports of its own,
// and the catalog of the installation's database.
//
// The tree belongs to one "home" program, whose place the running test takes for the folder functions
// (Enter). Only one tree is the running program's suite at a time. The destructor ends the simulator
// that a program of the tree started.
class SuiteTree {
public:
    // The command that closes the main window of a program of the suite (the class library's "close").
    static constexpr std::uint32_t kCloseCommand = 57602;
    static constexpr int kStopTimeoutMs = 30000;
    static inline const QString kSimulvexName = QStringLiteral("Simulvex");

    explicit SuiteTree(const QString& homeProgram);
    virtual ~SuiteTree();
    SuiteTree(const SuiteTree&) = delete;
    SuiteTree& operator=(const SuiteTree&) = delete;

    bool IsValid() const { return m_valid; }
    QString Folder() const;        // the suite folder, with '/'
    QString SharedFolder() const;  // <suite>/Shared/
    // <suite>/<program>/; the home program's by default.
    QString ProgramFolder(const QString& program = {}) const;
    QString ProgramPath(const QString& program = {}) const;  // <suite>/<program>/<program>
    // Makes this tree the running program's suite, the test standing in the home program's place.
    void Enter() const;

    // Free ports for every engine port but the LAN PBX's (a simulator port is its own).
    const EnginePorts& Ports() const { return m_ports; }
    EnginePorts& Ports() { return m_ports; }

    // Places a built program as <suite>/<program>/<program>: a hard link where the file system allows
    // it, else a copy.
    bool PlaceProgram(const QString& program, const QString& builtPath) const;
    // Installs the built simulator, which runs these control commands before it opens its ports.
    bool InstallSimulvex(const QString& builtPath, const QStringList& configuration) const;
    // Installs a program of the suite: a shell script as <suite>/<name>/<name>.
    bool InstallScript(const QString& name, const QString& script) const;
    bool InstallFile(const QString& path, const QByteArray& bytes, bool executable) const;

    // Writes the installation store: mode, bound PBX and extension, server name, database; Italian.
    bool WriteInstallation(std::uint8_t mode, std::uint8_t pbx, std::uint8_t extension,
                           const DatabaseSettings& database = {}, const QString& serverName = {}) const;
    // Writes the ports to Registry.ini [Network].
    bool WriteNetworkPorts() const;
    // Creates the catalog of the database settings with these PBXs, in list order (a catalog left by an
    // earlier run loses its PBXs first). ComStat starts at 9, so that a start that sets it shows.
    bool CreateCatalog(const QStringList& pbxs, const DatabaseSettings& database = {}) const;
    DbParameters CatalogParameters(const DatabaseSettings& database = {}) const;

    // Ends the simulator that a program of this tree started, if one runs.
    void StopSimulvex() const;

private:
    QTemporaryDir m_dir;
    QString m_homeProgram;
    bool m_valid = false;
    EnginePorts m_ports;
};

// The installation's database of a test on that backend: the tree's own SQLite file, or a new catalog of
// the PostgreSQL cluster named by SUITE_TEST_PGHOST (and SUITE_TEST_PGPORT, SUITE_TEST_PGUSER), a catalog
// of its own for each call. False, with the reason, when that cluster is not named.
bool TestDatabaseSettings(DbBackend backend, DatabaseSettings& settings, QString& skipReason);

// A TCP or UDP port free on every local address and kept for this test process (ReserveTestPort).
std::uint16_t FreeTcpPort();
std::uint16_t FreeUdpPort();
