#pragma once

#include "faultsettings.h"
#include "pbxcallcontrol.h"
#include "pbxmodel.h"
#include "pbxport.h"
#include "pbxrequesthandler.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// The simulated PBX: a model answered on every port it serves. A frame from an engine is answered on
// the port it came from (shaped by the faults in force); the events that follow, and the events the
// control channel scripts, go out on every port while state reporting is on. The frames received are
// kept for inspection.
class LanPbxPort;

class PbxSimulator : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeptFrames = 100;

    PbxSimulator();
    ~PbxSimulator() override;

    PbxModel& Model() { return m_model; }
    PbxCallControl& Calls() { return m_calls; }
    FaultSettings& Faults() { return m_faults; }

    // A serial line published at linkPath under the name ("COM98").
    bool AddSerialPort(const QString& name, const QString& linkPath, QString* error);
    // A LAN port on UDP `port` (0: any free one) that announces `address`; engines that have not
    // announced themselves are answered at defaultPeerPort. The port made, or null.
    LanPbxPort* AddLanPort(std::uint16_t port, std::uint16_t defaultPeerPort, const QString& address, QString* error);
    void AddPort(std::unique_ptr<PbxPort> port);
    const std::vector<std::unique_ptr<PbxPort>>& Ports() const { return m_ports; }

    // Sends the events on every port that can take them (a LAN port once an engine has been heard) while
    // reporting is on; the number of ports they went out on.
    int SendEvents(const QList<QByteArray>& events);
    // Bytes as they are, on every port, whatever the reporting.
    void SendRaw(const QByteArray& bytes);

    // The last frames received, oldest first: "COM98 16161E00".
    QStringList ReceivedFrames() const { return m_received; }
    void ClearReceivedFrames() { m_received.clear(); }

    // Every frame in and out is written to standard error.
    void SetTrace(bool on) { m_trace = on; }

private:
    void OnFrame(PbxPort* port, const QByteArray& frame);
    void Trace(const char* direction, const PbxPort& port, const QByteArray& bytes) const;
    QByteArray InterleavedEvent() const;

    PbxModel m_model;
    PbxCallControl m_calls{m_model};
    PbxRequestHandler m_handler{m_model, m_calls};
    FaultSettings m_faults;
    std::vector<std::unique_ptr<PbxPort>> m_ports;
    QStringList m_received;
    bool m_trace = false;
};
