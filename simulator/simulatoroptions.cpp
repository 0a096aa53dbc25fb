#include "simulatoroptions.h"

#include "registrykey.h"
#include "suitelocation.h"

#include <QCommandLineParser>
#include <QCryptographicHash>

#include <unistd.h>

namespace {

constexpr int kMaxComNumber = 255;
constexpr int kMaxPort = 65535;
constexpr int kDigestLength = 16;

bool ParseNumbers(const QStringList& values, int maximum, QList<int>& out, const QString& option, QString* message)
{
    for (const QString& value : values) {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok || number < 1 || number > maximum) {
            *message = QStringLiteral("--%1 takes a number from 1 to %2: %3").arg(option).arg(maximum).arg(value);
            return false;
        }
        out << number;
    }
    return true;
}

}  // namespace

QString DefaultControlName()
{
    const QByteArray digest =
        QCryptographicHash::hash(SuiteFolder().toUtf8(), QCryptographicHash::Sha1).toHex().left(kDigestLength);
    return QStringLiteral("simulvex-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

bool SimulatorOptions::Parse(const QStringList& arguments, QString* message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulvex: a PBX simulator for the suite's tests and demonstrations."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption serial(QStringLiteral("serial"),
                                    QStringLiteral("Serves serial resource COM<n>, published in the Shared folder (repeatable; default 98)."),
                                    QStringLiteral("n"));
    const QCommandLineOption noSerial(QStringLiteral("no-serial"), QStringLiteral("Serves no serial resource."));
    const QCommandLineOption lan(QStringLiteral("lan"), QStringLiteral("Serves the LAN envelope on UDP <port> (repeatable)."),
                                 QStringLiteral("port"));
    const QCommandLineOption lanPeer(QStringLiteral("lan-peer-port"),
                                     QStringLiteral("UDP port of an engine that has not announced itself (default 13398)."),
                                     QStringLiteral("port"));
    const QCommandLineOption address(QStringLiteral("lan-address"),
                                     QStringLiteral("Address this PBX announces (default 127.0.0.1)."), QStringLiteral("address"));
    const QCommandLineOption control(QStringLiteral("control"),
                                     QStringLiteral("Local socket name of the control channel (default: derived from the suite folder)."),
                                     QStringLiteral("name"));
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("Runs the control commands of <file> first."),
                                    QStringLiteral("file"));
    const QCommandLineOption noStdin(QStringLiteral("no-stdin"), QStringLiteral("Takes no commands from standard input."));
    const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Writes every frame in and out to standard error."));
    parser.addOptions({help, serial, noSerial, lan, lanPeer, address, control, config, noStdin, trace});

    if (!parser.parse(arguments)) {
        *message = parser.errorText();
        return false;
    }
    if (parser.isSet(help)) {
        *message = parser.helpText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *message = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }
    serialPorts.clear();
    if (!ParseNumbers(parser.values(serial), kMaxComNumber, serialPorts, QStringLiteral("serial"), message) ||
        !ParseNumbers(parser.values(lan), kMaxPort, lanPorts, QStringLiteral("lan"), message))
        return false;
    if (parser.isSet(noSerial))
        serialPorts.clear();
    else if (serialPorts.isEmpty())
        serialPorts << kSimulatorSerialPort;
    if (parser.isSet(lanPeer)) {
        QList<int> peer;
        if (!ParseNumbers({parser.value(lanPeer)}, kMaxPort, peer, QStringLiteral("lan-peer-port"), message))
            return false;
        lanPeerPort = peer.first();
    }
    if (parser.isSet(address))
        lanAddress = parser.value(address);
    controlName = parser.isSet(control) ? parser.value(control) : DefaultControlName();
    configFile = parser.value(config);
    readStdin = !parser.isSet(noStdin);
    this->trace = parser.isSet(trace);
    return true;
}
