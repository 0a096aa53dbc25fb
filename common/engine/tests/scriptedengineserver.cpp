#include "scriptedengineserver.h"

#include "socketaddress.h"

#include <netinet/tcp.h>

#include <chrono>

namespace {

constexpr int kReadSeconds = 2;
constexpr auto kPieceGap = std::chrono::milliseconds(30);

}  // namespace

ScriptedReply ScriptedReply::Answer(const ReceivedRequest& request, std::vector<std::uint8_t> data,
                                    std::uint8_t status)
{
    std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(data.size()), request.budget, status};
    bytes.insert(bytes.end(), data.begin(), data.end());
    return {Kind::Send, {bytes}};
}

ScriptedEngineServer::ScriptedEngineServer(Script script) : m_script(std::move(script))
{
    m_listener.Create(CBlockingSocket::kStream);
    m_listener.Bind(MakeSocketAddress("127.0.0.1", 0));
    m_listener.Listen();
    m_port = PortOf(m_listener.GetSockAddr());
    m_thread = std::thread([this] { Run(); });
}

ScriptedEngineServer::~ScriptedEngineServer()
{
    m_stopping = true;
    m_listener.Interrupt();
    m_thread.join();
}

std::vector<ReceivedRequest> ScriptedEngineServer::Requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void ScriptedEngineServer::Run()
{
    while (!m_stopping) {
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

void ScriptedEngineServer::Serve(CBlockingSocket& connection)
{
    const int on = 1;
    setsockopt(connection.Handle(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);

    std::uint8_t header[3] = {};
    if (connection.ReceiveFull(header, sizeof header, kReadSeconds) < sizeof header)
        return;
    ReceivedRequest request{header[0], header[1], header[2], std::vector<std::uint8_t>(header[1])};
    request.body.resize(connection.ReceiveFull(request.body.data(), request.body.size(), kReadSeconds));
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
    }

    const ScriptedReply reply = m_script(request);
    if (reply.kind == ScriptedReply::Kind::Silent) {
        std::uint8_t byte = 0;
        while (connection.Receive(&byte, 1, CBlockingSocket::kNoTimeout) > 0) {
        }
        return;
    }
    for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
        if (i > 0)
            std::this_thread::sleep_for(kPieceGap);
        connection.SendFull(reply.pieces[i].data(), reply.pieces[i].size(), kReadSeconds);
    }
}
