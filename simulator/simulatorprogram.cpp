#include "simulatorprogram.h"

#include "registrykey.h"

#include <QFile>
#include <QStringList>
#include <QTimer>

SimulatorProgram::SimulatorProgram() : m_channel([this](const QString& command) { return Execute(command); })
{
    connect(&m_window, &SimulatorWindow::CloseRequested, this, &SimulatorProgram::QuitRequested);
}

SimulatorProgram::~SimulatorProgram() = default;

QString SimulatorProgram::Execute(const QString& command)
{
    const QString reply = m_control.Execute(command);
    // The reply still goes out before the event loop ends.
    if (m_control.QuitRequested())
        QTimer::singleShot(0, this, &SimulatorProgram::QuitRequested);
    return reply;
}

bool SimulatorProgram::RunConfigFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString reply = m_control.Execute(line);
        if (reply.startsWith(QLatin1String("ERROR"))) {
            *error = QStringLiteral("%1 line %2: %3").arg(path).arg(number).arg(reply);
            return false;
        }
    }
    return true;
}

bool SimulatorProgram::Start(const SimulatorOptions& options, QString* error)
{
    // The class first: a second simulator must not take over the first one's serial links.
    if (!m_window.Register()) {
        *error = QStringLiteral("another Simulvex runs for this suite");
        return false;
    }
    m_simulator.SetTrace(options.trace);
    if (!options.configFile.isEmpty() && !RunConfigFile(options.configFile, error))
        return false;
    for (const int number : options.serialPorts) {
        if (!m_simulator.AddSerialPort(QStringLiteral("COM%1").arg(number), PublishedSerialPath(number), error))
            return false;
    }
    for (const int port : options.lanPorts) {
        if (!m_simulator.AddLanPort(static_cast<std::uint16_t>(port), static_cast<std::uint16_t>(options.lanPeerPort),
                                    options.lanAddress, error))
            return false;
    }
    if (!m_channel.Listen(options.controlName, error))
        return false;
    if (options.readStdin)
        m_channel.ReadStandardInput();
    return true;
}

QString SimulatorProgram::ReadyLine() const
{
    QStringList ports;
    for (const auto& port : m_simulator.Ports())
        ports << port->Name();
    return QStringLiteral("Simulvex ready: ports %1; control %2")
        .arg(ports.isEmpty() ? QStringLiteral("none") : ports.join(QStringLiteral(", ")), m_channel.FullServerName());
}
