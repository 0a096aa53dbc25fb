#pragma once

#include "enginepeer.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>
#include <string>

// The engine's end of the simulator's LAN port: a UDP socket on 127.0.0.1 that wraps frames in the LAN
// envelope and takes frames, and the PBX's announcement, out of the datagrams it receives.
class LanEnginePeer : public EnginePeer {
public:
    explicit LanEnginePeer(std::uint16_t pbxPort);
    ~LanEnginePeer() override;

    std::uint16_t Port() const { return m_port; }
    void SendDatagram(const QByteArray& datagram);
    // Sends the engine's announcement; the address text of the PBX's announcement, if one came.
    std::optional<std::string> Announce(int timeoutMs);
    // The next datagram within the time; empty on silence.
    QByteArray ReceiveDatagram(int timeoutMs);

    int SkippedNoise() const override { return m_dropped; }

protected:
    bool Send(const QByteArray& frame) override;
    // Takes one datagram; false on silence.
    bool ReadSome(int timeoutMs) override;

private:

    int m_socket = -1;
    std::uint16_t m_port = 0;
    std::uint16_t m_pbxPort;
    int m_dropped = 0;
};
