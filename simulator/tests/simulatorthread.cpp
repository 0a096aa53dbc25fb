#include "simulatorthread.h"

#include "lanpbxport.h"
#include "pbxsimulator.h"
#include "simulatorcontrol.h"

#include <QMetaObject>

SimulatorThread::SimulatorThread()
{
    m_thread.start();
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    QMetaObject::invokeMethod(m_context, [this] {
        m_simulator = std::make_unique<PbxSimulator>();
        m_control = std::make_unique<SimulatorControl>(*m_simulator);
    }, Qt::BlockingQueuedConnection);
}

SimulatorThread::~SimulatorThread()
{
    QMetaObject::invokeMethod(m_context, [this] {
        m_control.reset();
        m_simulator.reset();
        delete m_context;
    }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void SimulatorThread::Run(const std::function<void(PbxSimulator&)>& function)
{
    QMetaObject::invokeMethod(m_context, [this, &function] { function(*m_simulator); }, Qt::BlockingQueuedConnection);
}

QString SimulatorThread::Command(const QString& line)
{
    QString reply;
    QMetaObject::invokeMethod(m_context, [this, &line, &reply] { reply = m_control->Execute(line); },
                              Qt::BlockingQueuedConnection);
    return reply;
}

QString SimulatorThread::AddSerialPort(const QString& linkPath)
{
    QString error;
    Run([&](PbxSimulator& simulator) { simulator.AddSerialPort(QStringLiteral("COM98"), linkPath, &error); });
    return error;
}

std::uint16_t SimulatorThread::AddLanPort(std::uint16_t defaultPeerPort)
{
    std::uint16_t port = 0;
    Run([&](PbxSimulator& simulator) {
        QString error;
        if (LanPbxPort* lan = simulator.AddLanPort(0, defaultPeerPort, QStringLiteral("127.0.0.1"), &error))
            port = lan->LocalPort();
    });
    return port;
}
