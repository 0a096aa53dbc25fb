#include "enginebridge.h"

#include "enginerequestheader.h"
#include "framebytes.h"
#include "pbxcommandclass.h"
#include "pbxframe.h"
#include "socketaddress.h"

#include <vector>

namespace {

constexpr int kReadSeconds = 5;

}  // namespace

EngineBridge::EngineBridge(EnginePeer& peer, int timeoutMs) : m_peer(peer), m_timeoutMs(timeoutMs)
{
    m_listener.Create(CBlockingSocket::kStream);
    m_listener.Bind(MakeSocketAddress("127.0.0.1", 0));
    m_listener.Listen();
    m_port = PortOf(m_listener.GetSockAddr());
    m_thread = std::thread([this] { Run(); });
}

EngineBridge::~EngineBridge()
{
    m_listener.Interrupt();
    m_thread.join();
    m_listener.Close();
}

void EngineBridge::Run()
{
    for (;;) {
        CBlockingSocket connection;
        try {
            if (!m_listener.Accept(connection))
                return;
            Serve(connection);
        } catch (const CBlockingSocketException&) {
            // The client went away: wait for the next one.
        }
    }
}

void EngineBridge::Serve(CBlockingSocket& connection)
{
    std::uint8_t header[EngineRequestHeader::kSize] = {};
    if (connection.ReceiveFull(header, sizeof header, kReadSeconds) < sizeof header)
        return;
    const EngineRequestHeader request = EngineRequestHeader::Decode(header);
    QByteArray body(request.length, '\0');
    if (connection.ReceiveFull(body.data(), static_cast<std::size_t>(body.size()), kReadSeconds) <
        static_cast<std::size_t>(body.size()))
        return;
    ++m_requests;

    EnginePeer::Answer answer;
    if (request.target <= EngineRequestHeader::kMaxPbxTarget && body.size() >= static_cast<qsizetype>(kPbxFrameHeaderSize)) {
        const bool answerExpected = !IsNoAnswerCommand(ByteAt(body, kPbxCodeOffset));
        answer = m_peer.Exchange(body, answerExpected, m_timeoutMs);
    }
    std::vector<std::uint8_t> reply = {static_cast<std::uint8_t>(answer.frame.size()), request.budget,
                                       static_cast<std::uint8_t>(answer.status)};
    reply.insert(reply.end(), answer.frame.begin(), answer.frame.end());
    connection.SendFull(reply.data(), reply.size(), kReadSeconds);
}
