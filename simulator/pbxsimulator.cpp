#include "pbxsimulator.h"

#include "framebytes.h"
#include "lanpbxport.h"
#include "pbxeventbuilder.h"
#include "pbxframe.h"
#include "serialpbxport.h"

#include <cstdio>

PbxSimulator::PbxSimulator() = default;

PbxSimulator::~PbxSimulator() = default;

bool PbxSimulator::AddSerialPort(const QString& name, const QString& linkPath, QString* error)
{
    std::unique_ptr<SerialPbxPort> port = SerialPbxPort::Open(name, linkPath, error);
    if (!port)
        return false;
    AddPort(std::move(port));
    return true;
}

LanPbxPort* PbxSimulator::AddLanPort(std::uint16_t port, std::uint16_t defaultPeerPort, const QString& address,
                                  QString* error)
{
    std::unique_ptr<LanPbxPort> lan = LanPbxPort::Open(port, defaultPeerPort, address, error);
    if (!lan)
        return nullptr;
    LanPbxPort* raw = lan.get();
    // A silent PBX does not announce itself either.
    connect(raw, &LanPbxPort::AnnouncementReceived, this, [this, raw] {
        if (!m_faults.silence)
            raw->Announce();
    });
    AddPort(std::move(lan));
    return raw;
}

void PbxSimulator::AddPort(std::unique_ptr<PbxPort> port)
{
    PbxPort* raw = port.get();
    connect(raw, &PbxPort::FrameReceived, this, [this, raw](const QByteArray& frame) { OnFrame(raw, frame); });
    m_ports.push_back(std::move(port));
}

void PbxSimulator::Trace(const char* direction, const PbxPort& port, const QByteArray& bytes) const
{
    if (m_trace)
        std::fprintf(stderr, "%s %s %s\n", direction, qPrintable(port.Name()), bytes.toHex().toUpper().constData());
}

QByteArray PbxSimulator::InterleavedEvent() const
{
    // A harmless event: the first extension's state as it stands.
    if (!m_model.HasObject(kObjectExtension, 0))
        return BuildStateEvent(kObjectSystem, 0, 0);
    return BuildStateEvent(kObjectExtension, 0, m_model.Status(kObjectExtension, 0).state);
}

void PbxSimulator::OnFrame(PbxPort* port, const QByteArray& frame)
{
    Trace("<-", *port, frame);
    m_received.append(port->Name() + u' ' + QString::fromLatin1(frame.toHex().toUpper()));
    while (m_received.size() > kKeptFrames)
        m_received.removeFirst();

    const PbxRequestResult result = m_handler.Handle(frame);
    if (result.answered) {
        const QList<PortPiece> pieces = ShapeAnswer(result.answer, ByteAt(frame, kPbxCodeOffset), m_faults,
                                                    port->IsStream(), InterleavedEvent());
        for (const PortPiece& piece : pieces)
            Trace("->", *port, piece.bytes);
        port->Transmit(pieces);
    }
    SendEvents(result.events);
}

int PbxSimulator::SendEvents(const QList<QByteArray>& events)
{
    if (!m_model.StateReporting() || events.isEmpty())
        return 0;
    QList<PortPiece> pieces;
    for (const QByteArray& event : events)
        pieces << PortPiece{event, 0, false};
    int ports = 0;
    for (const auto& port : m_ports) {
        if (!port->HasPeer())
            continue;
        for (const QByteArray& event : events)
            Trace("->", *port, event);
        port->Transmit(pieces);
        ++ports;
    }
    return ports;
}

void PbxSimulator::SendRaw(const QByteArray& bytes)
{
    for (const auto& port : m_ports) {
        if (!port->HasPeer())
            continue;
        Trace("->", *port, bytes);
        port->Transmit({PortPiece{bytes, 0, true}});
    }
}
