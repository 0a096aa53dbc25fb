#include "lanenginepeer.h"

#include "framebytes.h"
#include "pbxcommandclass.h"
#include "pbxlanenvelope.h"
#include "socketaddress.h"

#include <QDeadlineTimer>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char kLoopback[] = "127.0.0.1";

}  // namespace

LanEnginePeer::LanEnginePeer(std::uint16_t pbxPort) : m_pbxPort(pbxPort)
{
    m_socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = MakeSocketAddress(kLoopback, 0);
    ::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size);
    m_port = PortOf(address);
}

LanEnginePeer::~LanEnginePeer() { ::close(m_socket); }

void LanEnginePeer::SendDatagram(const QByteArray& datagram)
{
    const sockaddr_in to = MakeSocketAddress(kLoopback, m_pbxPort);
    ::sendto(m_socket, datagram.constData(), static_cast<size_t>(datagram.size()), 0,
             reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

QByteArray LanEnginePeer::ReceiveDatagram(int timeoutMs)
{
    pollfd descriptor{m_socket, POLLIN, 0};
    if (::poll(&descriptor, 1, timeoutMs) <= 0)
        return {};
    QByteArray datagram(static_cast<qsizetype>(kMaxLanDatagramSize), '\0');
    const ssize_t n = ::recv(m_socket, datagram.data(), static_cast<size_t>(datagram.size()), 0);
    datagram.resize(n > 0 ? n : 0);
    return datagram;
}

std::optional<std::string> LanEnginePeer::Announce(int timeoutMs)
{
    SendDatagram(ToByteArray(BuildEngineAnnouncement(m_port, kLoopback)));
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QByteArray datagram = ReceiveDatagram(static_cast<int>(deadline.remainingTime()));
        if (auto text = ParsePbxAnnouncement(FrameBytes(datagram)))
            return text;
        if (const auto frame = ParseLanFrameDatagram(FrameBytes(datagram)))
            m_frames << ToByteArray(*frame);
    }
    return std::nullopt;
}

bool LanEnginePeer::ReadSome(int timeoutMs)
{
    const QByteArray datagram = ReceiveDatagram(timeoutMs);
    if (datagram.isEmpty())
        return false;
    const auto frame = ParseLanFrameDatagram(FrameBytes(datagram));
    if (frame && IsPbxFrameCode((*frame)[kPbxCodeOffset]))
        m_frames << ToByteArray(*frame);
    else
        ++m_dropped;
    return true;
}

bool LanEnginePeer::Send(const QByteArray& frame)
{
    SendDatagram(ToByteArray(BuildLanFrameDatagram(FrameBytes(frame))));
    return true;
}
