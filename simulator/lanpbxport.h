#pragma once

#include "pbxport.h"

#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

#include <cstdint>
#include <memory>

// The PBX's LAN port: PbxFrames in 0xB0 envelopes over UDP. An engine announces itself (0xA0, its port
// and address) before it asks for the initialization; the PBX answers with its own announcement and
// from then on sends to the address the engine's datagrams come from, at the announced port. Until an
// engine has announced itself answers go to the sender's address at the default engine port.
class LanPbxPort : public PbxPort {
    Q_OBJECT
public:
    // Binds UDP `port` on every local address (0: any free port); null with the reason on failure.
    static std::unique_ptr<LanPbxPort> Open(std::uint16_t port, std::uint16_t defaultPeerPort,
                                            const QString& announcedAddress, QString* error);

    QString Name() const override;
    bool IsStream() const override { return false; }
    // Events go out once an engine has been heard.
    bool HasPeer() const override { return !m_peerAddress.isNull(); }
    std::uint16_t LocalPort() const { return m_socket.localPort(); }

    // Sends this PBX's announcement to the engine.
    void Announce();

signals:
    void AnnouncementReceived();

protected:
    void Write(const PortPiece& piece) override;

private:
    LanPbxPort(std::uint16_t defaultPeerPort, const QString& announcedAddress);
    void ReadDatagrams();
    void SendDatagram(const QByteArray& datagram);

    QUdpSocket m_socket;
    std::uint16_t m_defaultPeerPort;
    QString m_announcedAddress;
    QHostAddress m_peerAddress;
    std::uint16_t m_peerPort = 0;
    bool m_peerAnnounced = false;
};
