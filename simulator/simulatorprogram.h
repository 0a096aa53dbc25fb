#pragma once

#include "controlchannel.h"
#include "pbxsimulator.h"
#include "simulatorcontrol.h"
#include "simulatoroptions.h"
#include "simulatorwindow.h"

#include <QObject>
#include <QString>

// The Simulvex program put together: the window class, the simulated PBX with its configuration, ports
// and control channel. Start fails, with the reason, when another simulator runs for the suite folder, a
// configuration command fails or a port or the control socket cannot be opened.
class SimulatorProgram : public QObject {
    Q_OBJECT
public:
    SimulatorProgram();
    ~SimulatorProgram() override;

    bool Start(const SimulatorOptions& options, QString* error);
    // One line that tells where the simulator can be reached.
    QString ReadyLine() const;
    PbxSimulator& Simulator() { return m_simulator; }

signals:
    void QuitRequested();

private:
    bool RunConfigFile(const QString& path, QString* error);
    QString Execute(const QString& command);

    SimulatorWindow m_window;
    PbxSimulator m_simulator;
    SimulatorControl m_control{m_simulator};
    ControlChannel m_channel;
};
