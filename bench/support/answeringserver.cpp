#include "answeringserver.h"

#include "enginereplyheader.h"
#include "enginerequestheader.h"
#include "socketaddress.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace {

constexpr int kSeconds = 2;

}  // namespace

AnsweringServer::AnsweringServer()
{
    m_listener.Create(CBlockingSocket::kStream);
    m_listener.Bind(MakeSocketAddress("127.0.0.1", 0));
    m_listener.Listen();
    m_port = PortOf(m_listener.GetSockAddr());
    m_thread = std::thread([this] { Run(); });
}

AnsweringServer::~AnsweringServer()
{
    m_listener.Interrupt();
    m_thread.join();
}

void AnsweringServer::Run()
{
    for (;;) {
        CBlockingSocket connection;
        try {
            if (!m_listener.Accept(connection))
                return;
            std::array<std::uint8_t, EngineRequestHeader::kSize + 255> request{};
            if (connection.ReceiveFull(request.data(), EngineRequestHeader::kSize, kSeconds) < EngineRequestHeader::kSize)
                continue;
            const EngineRequestHeader header = EngineRequestHeader::Decode(request.data());
            connection.ReceiveFull(request.data() + EngineRequestHeader::kSize, header.length, kSeconds);
            std::array<std::uint8_t, EngineReplyHeader::kSize + kAnswer.size()> reply{};
            const auto replyHeader = EngineReplyHeader{static_cast<std::uint8_t>(kAnswer.size()), header.budget, 0}.Encode();
            std::copy(kAnswer.begin(), kAnswer.end(), std::copy(replyHeader.begin(), replyHeader.end(), reply.begin()));
            connection.SendFull(reply.data(), reply.size(), kSeconds);
        } catch (const CBlockingSocketException&) {
        }
    }
}

bool BareTcpRoundTrip(std::uint16_t port)
{
    const sockaddr_in address = MakeSocketAddress("127.0.0.1", port);
    std::array<std::uint8_t, EngineRequestHeader::kSize + AnsweringServer::kFrame.size()> request{};
    const auto header =
        EngineRequestHeader{0, AnsweringServer::kFrame.size(), EngineBudget(kSeconds)}.Encode();
    std::copy(AnsweringServer::kFrame.begin(), AnsweringServer::kFrame.end(),
              std::copy(header.begin(), header.end(), request.begin()));
    std::array<std::uint8_t, 64> reply{};
    const int handle = ::socket(AF_INET, SOCK_STREAM, 0);
    const bool sent = handle >= 0 && ::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                      ::send(handle, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size());
    std::size_t received = 0;
    while (sent) {
        const ssize_t n = ::recv(handle, reply.data() + received, reply.size() - received, 0);
        if (n <= 0)
            break;
        received += std::size_t(n);
    }
    if (handle >= 0)
        ::close(handle);
    return sent && received == EngineReplyHeader::kSize + AnsweringServer::kAnswer.size();
}
