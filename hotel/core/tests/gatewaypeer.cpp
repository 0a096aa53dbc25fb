#include "gatewaypeer.h"

#include "binaryrecord.h"
#include "gatewaypacket.h"
#include "socketaddress.h"

#include <array>

namespace lodgix {

namespace {

// A UDP port of 127.0.0.1 that was free a moment ago.
std::uint16_t FreePort()
{
    CBlockingSocket probe;
    probe.Create(CBlockingSocket::kDatagram);
    probe.Bind(MakeSocketAddress("127.0.0.1", 0));
    return PortOf(probe.GetSockAddr());
}

}  // namespace

GatewayPeer::GatewayPeer(Script script) : m_script(std::move(script))
{
    m_socket.Create(CBlockingSocket::kDatagram);
    m_socket.Bind(MakeSocketAddress("127.0.0.1", 0));
    m_port = PortOf(m_socket.GetSockAddr());
    m_replyPort = FreePort();
    m_thread = std::thread([this] { Run(); });
}

GatewayPeer::~GatewayPeer()
{
    m_socket.Interrupt();
    m_thread.join();
    m_socket.CloseSilently();
}

GatewayLink GatewayPeer::Link(int replySeconds) const
{
    GatewayLink link;
    link.port = m_port;
    link.replyPort = m_replyPort;
    link.address = "127.0.0.1";
    link.replySeconds = replySeconds;
    return link;
}

std::vector<QByteArray> GatewayPeer::Requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::vector<QByteArray> GatewayPeer::WaitForRequests(std::size_t count) const
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, std::chrono::seconds(10), [&] { return m_requests.size() >= count; });
    return m_requests;
}

QByteArray GatewayPeer::Reply(const QByteArray& request, std::uint8_t result, std::uint8_t status)
{
    QByteArray reply(GatewayPacket::kHeaderSize + GatewayPacket::kReplyPayloadSize, '\0');
    PutU16(reply, 0, GatewayPacket::kReplyPayloadSize);
    PutU8(reply, 6, status);
    reply.replace(GatewayPacket::kHeaderSize, 1 + GatewayPacket::kCodeFieldSize,
                  request.mid(GatewayPacket::kHeaderSize, 1 + GatewayPacket::kCodeFieldSize));
    PutU8(reply, GatewayPacket::kHeaderSize + 17, result);
    PutU32(reply, 2,
           ByteSum(reinterpret_cast<const std::uint8_t*>(reply.constData()) + GatewayPacket::kHeaderSize,
                   GatewayPacket::kReplyPayloadSize));
    return reply;
}

void GatewayPeer::Run()
{
    std::array<char, 1024> buffer{};
    for (;;) {
        sockaddr_in from{};
        std::size_t length = 0;
        try {
            length = m_socket.ReceiveDatagram(buffer.data(), buffer.size(), &from);
        } catch (const CBlockingSocketException&) {
            return;  // interrupted: the test is over
        }
        const QByteArray request(buffer.data(), static_cast<qsizetype>(length));
        int index = 0;
        {
            std::lock_guard lock(m_mutex);
            index = static_cast<int>(m_requests.size());
            m_requests.push_back(request);
        }
        m_arrived.notify_all();
        if (const std::optional<QByteArray> reply = m_script(request, index)) {
            try {
                m_socket.SendDatagram(reply->constData(), static_cast<std::size_t>(reply->size()), from, 1);
            } catch (const CBlockingSocketException&) {
                return;
            }
        }
    }
}

}  // namespace lodgix
