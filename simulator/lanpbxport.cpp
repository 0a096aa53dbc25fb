#include "lanpbxport.h"

#include "framebytes.h"
#include "pbxcommandclass.h"
#include "pbxlanenvelope.h"

#include <QNetworkDatagram>

std::unique_ptr<LanPbxPort> LanPbxPort::Open(std::uint16_t port, std::uint16_t defaultPeerPort,
                                             const QString& announcedAddress, QString* error)
{
    std::unique_ptr<LanPbxPort> lan(new LanPbxPort(defaultPeerPort, announcedAddress));
    if (!lan->m_socket.bind(QHostAddress::AnyIPv4, port)) {
        if (error)
            *error = QStringLiteral("cannot bind UDP port %1: %2").arg(port).arg(lan->m_socket.errorString());
        return nullptr;
    }
    return lan;
}

LanPbxPort::LanPbxPort(std::uint16_t defaultPeerPort, const QString& announcedAddress)
    : m_defaultPeerPort(defaultPeerPort), m_announcedAddress(announcedAddress)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &LanPbxPort::ReadDatagrams);
}

QString LanPbxPort::Name() const { return QStringLiteral("LAN%1").arg(m_socket.localPort()); }

void LanPbxPort::ReadDatagrams()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        const QByteArray data = datagram.data();
        const QHostAddress sender(datagram.senderAddress().toIPv4Address());
        if (const auto announcement = ParseEngineAnnouncement(FrameBytes(data))) {
            m_peerAddress = sender;
            m_peerPort = announcement->port;
            m_peerAnnounced = true;
            emit AnnouncementReceived();
            continue;
        }
        const auto frame = ParseLanFrameDatagram(FrameBytes(data));
        if (!frame || !IsPbxCommandCode((*frame)[kPbxCodeOffset]))
            continue;
        if (sender != m_peerAddress || !m_peerAnnounced) {
            m_peerAddress = sender;
            m_peerPort = m_defaultPeerPort;
            m_peerAnnounced = false;
        }
        emit FrameReceived(ToByteArray(*frame));
    }
}

void LanPbxPort::Announce()
{
    const auto announcement = BuildPbxAnnouncement(m_announcedAddress.toStdString());
    SendDatagram(ToByteArray(announcement));
}

void LanPbxPort::Write(const PortPiece& piece)
{
    SendDatagram(piece.raw ? piece.bytes : ToByteArray(BuildLanFrameDatagram(FrameBytes(piece.bytes))));
}

void LanPbxPort::SendDatagram(const QByteArray& datagram)
{
    if (m_peerAddress.isNull() || datagram.isEmpty())
        return;
    m_socket.writeDatagram(datagram, m_peerAddress, m_peerPort);
}
