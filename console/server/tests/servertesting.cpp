#include "servertesting.h"

#include "pbxlanenvelope.h"
#include "socketaddress.h"

#include <sys/socket.h>

Bytes MakeFrame(std::uint8_t code, const Bytes& payload)
{
    Bytes frame{0x16, 0x16, code, static_cast<std::uint8_t>(payload.size())};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

Bytes RawRequest(std::uint32_t source, std::uint16_t serverPort, const Bytes& request, bool closeWrite)
{
    constexpr int kSeconds = 10;
    CBlockingSocket socket;
    socket.Create(CBlockingSocket::kStream);
    socket.Bind(MakeSocketAddress(source, 0));
    socket.Connect(MakeSocketAddress(kLoopback, serverPort));
    socket.SendFull(request.data(), request.size(), kSeconds);
    if (closeWrite)
        ::shutdown(socket.Handle(), SHUT_WR);
    Bytes reply(512);
    reply.resize(socket.ReceiveFull(reply.data(), reply.size(), kSeconds));
    return reply;
}

int PingFrom(std::uint32_t source, std::uint16_t serverPort)
{
    constexpr std::uint8_t kBudget = 5;
    const Bytes reply = RawRequest(source, serverPort, {EngineRequestHeader::kPingTarget, 1, kBudget, 0});
    return reply.size() == 3 && reply[1] == kBudget ? reply[2] : -1;
}

SilentPbx::SilentPbx()
{
    m_socket.Create(CBlockingSocket::kDatagram);
    m_socket.Bind(MakeSocketAddress(kLoopback, 0));
}

std::uint16_t SilentPbx::Port() const
{
    return PortOf(m_socket.GetSockAddr());
}

Bytes SilentPbx::NextFrame(int seconds)
{
    Bytes datagram(1024);
    try {
        datagram.resize(m_socket.Receive(datagram.data(), datagram.size(), seconds));
    } catch (const CBlockingSocketException&) {
        return {};
    }
    const auto frame = ParseLanFrameDatagram(datagram);
    return frame ? Bytes(frame->begin(), frame->end()) : Bytes{};
}

std::shared_ptr<CPbxLink> SilentPbx::OpenLink(int pbx) const
{
    PbxLinkSettings settings;
    settings.lan = LanChannelSettings{0, Port(), "127.0.0.1"};
    auto link = std::make_shared<CPbxLink>(settings);
    if (link->Open(QStringLiteral("ETH0"), nullptr, 0, pbx, 512, 512) != kNoError)
        return nullptr;
    return link;
}
