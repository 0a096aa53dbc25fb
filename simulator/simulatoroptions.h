#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// The command line of Simulvex.
struct SimulatorOptions {
    static constexpr int kDefaultLanPeerPort = 13398;

    QList<int> serialPorts;      // COM numbers to publish (98 unless told otherwise)
    QList<int> lanPorts;         // UDP ports to serve the LAN envelope on
    int lanPeerPort = kDefaultLanPeerPort;  // where an engine listens before it has announced itself
    QString lanAddress = QStringLiteral("127.0.0.1");  // the address this PBX announces
    QString controlName;         // local socket of the control channel
    QString configFile;          // commands run before the ports open
    bool readStdin = true;
    bool trace = false;

    // Parses the arguments (program name first); false with the reason, or the usage for --help, in
    // `message`.
    bool Parse(const QStringList& arguments, QString* message);
};

// The control socket's name when none is given: one per user and suite folder.
QString DefaultControlName();
