// Round trips per second of CEngineClient::Transact against a loopback server that answers at once,
// beside a bare TCP connect-send-receive-close of the same bytes to the same server. The ratio of the
// two is the cost of the client's own work (header, time-outs through poll, full reads).

#include "blockingsocket.h"
#include "engineclient.h"
#include "enginereplyheader.h"
#include "enginerequestheader.h"
#include "socketaddress.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

namespace {

// A clock-set request and the acknowledgement the server answers with.
constexpr std::array<std::uint8_t, 10> kFrame = {0x16, 0x16, 38, 6, 31, 12, 26, 23, 59, 58};
constexpr std::array<std::uint8_t, 7> kAnswer = {0x16, 0x16, 32, 3, 38, 0, 0};
constexpr int kSeconds = 6;

// Reads each request whole and answers [7, budget, 0] and the acknowledgement, then closes.
class AnsweringServer {
public:
    AnsweringServer()
    {
        m_listener.Create(CBlockingSocket::kStream);
        m_listener.Bind(MakeSocketAddress("127.0.0.1", 0));
        m_listener.Listen();
        m_port = PortOf(m_listener.GetSockAddr());
        m_thread = std::thread([this] { Run(); });
    }

    ~AnsweringServer()
    {
        m_listener.Interrupt();
        m_thread.join();
    }

    std::uint16_t Port() const { return m_port; }

private:
    void Run()
    {
        for (;;) {
            CBlockingSocket connection;
            try {
                if (!m_listener.Accept(connection))
                    return;
                std::array<std::uint8_t, EngineRequestHeader::kSize + 255> request{};
                if (connection.ReceiveFull(request.data(), EngineRequestHeader::kSize, 2) < EngineRequestHeader::kSize)
                    continue;
                const EngineRequestHeader header = EngineRequestHeader::Decode(request.data());
                connection.ReceiveFull(request.data() + EngineRequestHeader::kSize, header.length, 2);
                std::array<std::uint8_t, EngineReplyHeader::kSize + kAnswer.size()> reply{};
                const auto replyHeader =
                    EngineReplyHeader{static_cast<std::uint8_t>(kAnswer.size()), header.budget, 0}.Encode();
                std::copy(kAnswer.begin(), kAnswer.end(), std::copy(replyHeader.begin(), replyHeader.end(), reply.begin()));
                connection.SendFull(reply.data(), reply.size(), 2);
            } catch (const CBlockingSocketException&) {
            }
        }
    }

    CBlockingSocket m_listener;
    std::uint16_t m_port = 0;
    std::thread m_thread;
};

AnsweringServer& Server()
{
    static AnsweringServer server;
    return server;
}

void BM_Transact(benchmark::State& state)
{
    const CEngineClient client("127.0.0.1", Server().Port());
    EngineReply reply;
    for (auto _ : state) {
        if (client.Transact(0, kFrame, reply, kSeconds) != kNoError || reply.length != kAnswer.size()) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(reply.data);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Transact)->UseRealTime();

void BM_BareTcpRoundTrip(benchmark::State& state)
{
    const sockaddr_in address = MakeSocketAddress("127.0.0.1", Server().Port());
    std::array<std::uint8_t, EngineRequestHeader::kSize + kFrame.size()> request{};
    const auto header = EngineRequestHeader{0, kFrame.size(), EngineBudget(kSeconds)}.Encode();
    std::copy(kFrame.begin(), kFrame.end(), std::copy(header.begin(), header.end(), request.begin()));
    std::array<std::uint8_t, 64> reply{};
    for (auto _ : state) {
        const int handle = ::socket(AF_INET, SOCK_STREAM, 0);
        bool ok = handle >= 0 &&
                  ::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                  ::send(handle, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size());
        std::size_t received = 0;
        while (ok) {
            const ssize_t n = ::recv(handle, reply.data() + received, reply.size() - received, 0);
            if (n <= 0)
                break;
            received += std::size_t(n);
        }
        if (handle >= 0)
            ::close(handle);
        if (!ok || received != EngineReplyHeader::kSize + kAnswer.size()) {
            state.SkipWithError("round trip failed");
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareTcpRoundTrip)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
