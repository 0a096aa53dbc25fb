#pragma once

#include "suitetree.h"  // FreeUdpPort
#include "tempsuite.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>

// The real Simulvex program, copied into a throw-away suite tree and run there: its serial resource COM98
// is published in that tree's Shared folder, and its LAN port is a free UDP port of this computer.
// Commands go to its standard input, one reply line each.
class SimulvexProcess {
public:
    static constexpr int kSerialResource = 98;

    SimulvexProcess();
    ~SimulvexProcess();  // ends the program
    SimulvexProcess(const SimulvexProcess&) = delete;
    SimulvexProcess& operator=(const SimulvexProcess&) = delete;

    // Starts it on the suite tree, serving COM98 and the LAN on a free port; false (with the reason in
    // Error) when it did not report ready.
    bool Start(const TempSuite& suite);
    // The same in the suite folder given (with its trailing '/').
    bool Start(const QString& suiteFolder);
    // The reply line to one command.
    QString Command(const QString& line);
    // Ends the program with SIGKILL, as a crash would: it closes nothing of its own.
    void Kill();

    std::uint16_t LanPort() const { return m_lanPort; }
    QString Error() const { return m_error; }

private:
    QString ReadLine();

    QProcess m_process;
    std::uint16_t m_lanPort = 0;
    QString m_error;
};
