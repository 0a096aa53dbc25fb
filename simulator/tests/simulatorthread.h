#pragma once

#include <QString>
#include <QThread>

#include <cstdint>
#include <functional>
#include <memory>

class PbxSimulator;
class SimulatorControl;

// Runs a PbxSimulator with its own event loop on a thread of its own, so that a test can block on the
// engine's side while the simulator answers. Everything that touches the simulator runs on that thread.
class SimulatorThread {
public:
    SimulatorThread();
    ~SimulatorThread();

    // Runs the function on the simulator's thread and waits for it.
    void Run(const std::function<void(PbxSimulator&)>& function);
    // One control command; its reply.
    QString Command(const QString& line);
    // A serial line published at linkPath; the error, or empty.
    QString AddSerialPort(const QString& linkPath);
    // A LAN port on a free UDP port; its port number, 0 on failure.
    std::uint16_t AddLanPort(std::uint16_t defaultPeerPort);

private:
    QThread m_thread;
    QObject* m_context = nullptr;
    std::unique_ptr<PbxSimulator> m_simulator;
    std::unique_ptr<SimulatorControl> m_control;
};
