// The engine's request and event paths, whole, against the Simulvex program:
//   requests per second  CEngineClient -> CEngineServer -> CPbxLink (LAN or serial) -> Simulvex and back,
//                        beside a ping, which goes no further than the server, and a bare TCP round trip
//                        to a server that answers at once;
//   concurrent clients   50 clients pinging the server at once (and, as the baseline, making bare round
//                        trips at once): the 50th, 99th percentile and slowest request;
//   idle connections     pings, one after another, to a request server of its own while 2,000
//                        connections that never send are held open by other processes, against the same
//                        pings with none, both under a descriptor limit of 1,024: the 99th percentile
//                        (and the pings that failed);
//   event spreading      an event frame of Simulvex arriving on the LAN link, relayed as the console view
//                        relays it (CEventSender::QueueToClients) to 50 registered workstations, each a
//                        CUdpEventListener on its own loopback address: the time from the channel's post
//                        of the frame to the 50th listener's post of the datagram (mean, 50th and 99th
//                        percentile).

#include "answeringserver.h"
#include "blockingsocket.h"
#include "clientregistry.h"
#include "engineclient.h"
#include "engineserver.h"
#include "eventsender.h"
#include "messagetarget.h"
#include "pbxinitialization.h"
#include "pbxlink.h"
#include "socketaddress.h"
#include "suitelocation.h"
#include "udpeventlistener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPbxCount = 5;
constexpr int kSerialPbx = 0;
constexpr int kLanPbx = 1;
constexpr int kSeconds = 6;
constexpr int kWaitMs = 20000;
constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr int kWorkstations = 50;  // this computer (registry entry 0) and 49 pinged ones
constexpr std::uint32_t kEventMessage = WM_USER + 100;
constexpr std::uint8_t kEventCode = 65;
constexpr int kConcurrentClients = 50;
constexpr int kRequestsPerClient = 200;

// The figures of a set of latencies, in microseconds, as the benchmark's counters.
void ReportLatencies(benchmark::State& state, std::vector<double> microseconds)
{
    if (microseconds.empty())
        return;
    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double share) {
        return microseconds[std::min(microseconds.size() - 1, static_cast<std::size_t>(share * double(microseconds.size())))];
    };
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = microseconds.back();
}

// Runs the request from kConcurrentClients threads at once, each kRequestsPerClient times, and reports
// the latencies; false when a request failed.
template <typename Request>
void RunConcurrentClients(benchmark::State& state, const Request& request)
{
    std::vector<std::vector<double>> latencies(kConcurrentClients);
    std::atomic<bool> failed{false};
    for (auto _ : state) {
        std::vector<std::thread> clients;
        for (int c = 0; c < kConcurrentClients; ++c) {
            clients.emplace_back([&, c] {
                for (int i = 0; i < kRequestsPerClient && !failed; ++i) {
                    const auto start = Clock::now();
                    if (!request())
                        failed = true;
                    latencies[std::size_t(c)].push_back(
                        std::chrono::duration<double, std::micro>(Clock::now() - start).count());
                }
            });
        }
        for (std::thread& client : clients)
            client.join();
    }
    if (failed)
        state.SkipWithError("a request failed");
    std::vector<double> all;
    for (const auto& client : latencies)
        all.insert(all.end(), client.begin(), client.end());
    ReportLatencies(state, all);
    state.SetItemsProcessed(static_cast<std::int64_t>(all.size()));
}

std::uint16_t FreeUdpPort()
{
    CBlockingSocket probe;
    probe.Create(CBlockingSocket::kDatagram);
    probe.Bind(AnySocketAddress(0));
    return PortOf(probe.GetSockAddr());
}

// A ping from a socket bound to the address, as a workstation of that address registers.
bool PingFrom(std::uint32_t source, std::uint16_t serverPort)
{
    CBlockingSocket socket;
    socket.Create(CBlockingSocket::kStream);
    socket.Bind(MakeSocketAddress(source, 0));
    socket.Connect(MakeSocketAddress(kLoopback, serverPort));
    const std::uint8_t ping[] = {EngineRequestHeader::kPingTarget, 1, 5, 0};
    socket.SendFull(ping, sizeof ping, kSeconds);
    std::uint8_t reply[3] = {};
    return socket.ReceiveFull(reply, sizeof reply, kSeconds) == sizeof reply && reply[2] == kNoError;
}

// Counts the datagrams that reach all the workstations and notes when the last one came.
class Arrivals {
public:
    void Expect(int count)
    {
        std::lock_guard lock(m_mutex);
        m_left = count;
    }
    void Arrived()
    {
        std::lock_guard lock(m_mutex);
        if (--m_left == 0) {
            m_last = Clock::now();
            m_done.notify_all();
        }
    }
    // When the last one came; nullopt when they did not all come.
    std::optional<Clock::time_point> WaitForAll()
    {
        std::unique_lock lock(m_mutex);
        if (!m_done.wait_for(lock, std::chrono::milliseconds(kWaitMs), [this] { return m_left <= 0; }))
            return std::nullopt;
        return m_last;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    int m_left = 0;
    Clock::time_point m_last;
};

// One workstation's listener; its window only counts the event.
class Workstation : public MessageTarget {
public:
    explicit Workstation(Arrivals& arrivals) : m_arrivals(arrivals), m_listener(this, kEventMessage, false) {}
    bool Start(std::uint32_t address, std::uint16_t port) { return m_listener.StartOn(MakeSocketAddress(address, port)); }
    std::uint16_t Port() const { return m_listener.LocalPort(); }
    void Post(std::uint32_t, std::uint64_t slot, std::int64_t) override
    {
        if (m_listener.CopySlot(static_cast<int>(slot)).size() > 1)
            m_arrivals.Arrived();
    }

private:
    Arrivals& m_arrivals;
    CUdpEventListener m_listener;
};

// Stands in for the console view: every frame the link posts is relayed to the workstations.
class EventRelay : public MessageTarget {
public:
    EventRelay(CPbxLink& link, CEventSender& sender) : m_link(link), m_sender(sender) {}
    void Post(std::uint32_t, std::uint64_t wParam, std::int64_t lParam) override
    {
        m_posted = Clock::now();
        const int slot = static_cast<int>(wParam & 0xFFFF);
        m_sender.QueueToClients(static_cast<std::uint8_t>(lParam),
                                {m_link.GetFrameSlot(slot), m_link.GetFrameLength(slot)});
    }
    Clock::time_point Posted() const { return m_posted; }

private:
    CPbxLink& m_link;
    CEventSender& m_sender;
    std::atomic<Clock::time_point> m_posted{};
};

// The engine of a suite tree of its own: Simulvex serving COM98 and a LAN port, PBX 0 on COM98 and PBX 1
// on the LAN, the request server, the event sender and the workstations.
class Engine {
public:
    Engine()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        const QString suite = m_dir.path() + QStringLiteral("/suite/");
        for (const char* folder : {"Pultex", "Simulvex", "Shared"})
            QDir().mkpath(suite + QLatin1String(folder));
        SetProgramFilePath(suite + QStringLiteral("Pultex/Pultex"));
        const QString program = suite + QStringLiteral("Simulvex/Simulvex");
        QFile::copy(QStringLiteral(SIMULVEX_PROGRAM), program);
        const std::uint16_t lanPort = FreeUdpPort();
        m_simulvex.start(program, {QStringLiteral("--lan"), QString::number(lanPort)});
        if (!m_simulvex.waitForStarted(kWaitMs) || !ReadLine().startsWith(QLatin1String("Simulvex ready")))
            throw std::runtime_error("Simulvex did not start");

        m_links[kSerialPbx] = std::make_shared<CPbxLink>();
        if (m_links[kSerialPbx]->Open(QStringLiteral("\\\\.\\COM98"), nullptr, 0, kSerialPbx, 512, 512) != kNoError)
            throw std::runtime_error("COM98 did not open");
        m_links[kSerialPbx]->Setup(9600, 8, 0, 0);
        PbxLinkSettings lan;
        lan.lan = LanChannelSettings{0, lanPort, "127.0.0.1"};
        m_links[kLanPbx] = std::make_shared<CPbxLink>(lan);
        if (m_links[kLanPbx]->Open(QStringLiteral("ETH0"), nullptr, 0, kLanPbx, 512, 512) != kNoError)
            throw std::runtime_error("the LAN link did not open");

        if (!m_server.StartOn(MakeSocketAddress(kLoopback, 0)))
            throw std::runtime_error("the server did not start");
        client = std::make_unique<CEngineClient>("127.0.0.1", m_server.Port());
        PbxInitialization initialization;
        if (client->ReadInitialization(kLanPbx, initialization, kSeconds) != kNoError ||
            client->RequestStateEvents(kLanPbx, 1, kSeconds) != kNoError)
            throw std::runtime_error("the LAN PBX does not answer");

        // The workstations: this computer first, whose port all the others share on their own address.
        for (int i = 0; i < kWorkstations; ++i) {
            m_workstations.push_back(std::make_unique<Workstation>(arrivals));
            const std::uint32_t address = kLoopback + static_cast<std::uint32_t>(i);
            if (!m_workstations.back()->Start(address, i == 0 ? 0 : m_workstations.front()->Port()) ||
                (i > 0 && !PingFrom(address, m_server.Port())))
                throw std::runtime_error("a workstation did not register");
        }
        m_sender = std::make_unique<CEventSender>(&m_server.Clients(), m_workstations.front()->Port());
        m_sender->Start();
        m_server.SetEventSender(m_sender.get());
        relay = std::make_unique<EventRelay>(*m_links[kLanPbx], *m_sender);
        m_links[kLanPbx]->SetNotifyTarget(relay.get());
    }

    ~Engine()
    {
        m_links[kLanPbx]->SetNotifyTarget(nullptr);
        m_server.Stop();
        m_server.SetEventSender(nullptr);
        m_sender.reset();
        m_simulvex.write("quit\n");
        m_simulvex.waitForFinished(kWaitMs);
        SetProgramFilePath(QString());
    }

    QString Command(const QString& line)
    {
        m_simulvex.write((line + u'\n').toUtf8());
        return ReadLine();
    }

    std::unique_ptr<CEngineClient> client;
    Arrivals arrivals;
    std::unique_ptr<EventRelay> relay;

private:
    QString ReadLine()
    {
        while (!m_simulvex.canReadLine()) {
            if (!m_simulvex.waitForReadyRead(kWaitMs))
                return {};
        }
        return QString::fromUtf8(m_simulvex.readLine()).trimmed();
    }

    QTemporaryDir m_dir;
    QProcess m_simulvex;
    std::array<std::shared_ptr<CPbxLink>, kPbxCount> m_links;
    CEngineServer m_server{kPbxCount, [this](int pbx) { return pbx < kPbxCount ? m_links[static_cast<std::size_t>(pbx)] : nullptr; }};
    std::unique_ptr<CEventSender> m_sender;
    std::vector<std::unique_ptr<Workstation>> m_workstations;
};

std::unique_ptr<Engine> g_engine;

void BM_PingThroughServer(benchmark::State& state)
{
    for (auto _ : state) {
        if (g_engine->client->PingServer() != kNoError)
            state.SkipWithError("ping failed");
    }
    state.SetItemsProcessed(state.iterations());
}

AnsweringServer& BareServer()
{
    static AnsweringServer server;
    return server;
}

void BM_BareTcpRoundTrip(benchmark::State& state)
{
    for (auto _ : state) {
        if (!BareTcpRoundTrip(BareServer().Port())) {
            state.SkipWithError("round trip failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ConcurrentPings(benchmark::State& state)
{
    RunConcurrentClients(state, [] { return g_engine->client->PingServer() == kNoError; });
}

void BM_ConcurrentBareRoundTrips(benchmark::State& state)
{
    const std::uint16_t port = BareServer().Port();
    RunConcurrentClients(state, [port] { return BareTcpRoundTrip(port); });
}

void ReadStatus(benchmark::State& state, std::uint8_t pbx)
{
    PbxStatusBytes status{};
    for (auto _ : state) {
        if (g_engine->client->ReadStatus(pbx, 1, 0, status, kSeconds) != kNoError) {
            state.SkipWithError("status read failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RequestThroughLanChannel(benchmark::State& state) { ReadStatus(state, kLanPbx); }
void BM_RequestThroughSerialChannel(benchmark::State& state) { ReadStatus(state, kSerialPbx); }

void BM_EventToWorkstations(benchmark::State& state)
{
    Engine& engine = *g_engine;
    std::vector<double> latencies;
    for (auto _ : state) {
        engine.arrivals.Expect(kWorkstations);
        if (!engine.Command(QStringLiteral("event %1 0102070000000000").arg(kEventCode)).startsWith(QLatin1String("OK"))) {
            state.SkipWithError("Simulvex refused the event");
            break;
        }
        const auto last = engine.arrivals.WaitForAll();
        if (!last) {
            state.SkipWithError("not every workstation got the event");
            break;
        }
        const std::chrono::duration<double> taken = *last - engine.relay->Posted();
        state.SetIterationTime(taken.count());
        latencies.push_back(taken.count() * 1e6);
    }
    state.counters["workstations"] = kWorkstations;
    ReportLatencies(state, latencies);
}

// --- Pings beside idle connections ---

constexpr int kIdleConnections = 2000;
constexpr int kIdleHolders = 4;  // each holds its share, well below its own descriptor limit
constexpr rlim_t kDescriptorLimit = 1024;
// The server holds what its cap allows of the idle connections (768 under 1,024 descriptors) and closes
// the longest idle one for each ping it accepts: the pings of a round stay well below the cap, so that
// every ping meets a server full of idle connections. The first pings of a round, while the server is
// still accepting (and closing) the idle connections, are not measured.
constexpr int kWarmUpPings = 200;
constexpr int kPingsMeasured = 500;
constexpr int kRounds = 10;

// Lowers the descriptor limit of this process for its lifetime (the limit the server's cap follows).
class DescriptorLimit {
public:
    explicit DescriptorLimit(rlim_t limit)
    {
        m_valid = ::getrlimit(RLIMIT_NOFILE, &m_saved) == 0;
        rlimit lowered = m_saved;
        lowered.rlim_cur = std::min(limit, m_saved.rlim_max);
        m_valid = m_valid && ::setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~DescriptorLimit()
    {
        if (m_valid)
            ::setrlimit(RLIMIT_NOFILE, &m_saved);
    }
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;
    bool IsValid() const { return m_valid; }

private:
    rlimit m_saved{};
    bool m_valid = false;
};

// The processes that hold the idle connections; they let go when this ends.
class IdleConnections {
public:
    IdleConnections(std::uint16_t port, int count)
    {
        for (int i = 0; i < kIdleHolders; ++i) {
            auto holder = std::make_unique<QProcess>();
            holder->start(QStringLiteral(IDLE_CONNECTIONS_PROGRAM),
                          {QString::number(port), QString::number(count / kIdleHolders)});
            m_holders.push_back(std::move(holder));
        }
        for (const auto& holder : m_holders) {
            if (!holder->waitForStarted(kWaitMs) || !holder->waitForReadyRead(kWaitMs))
                return;
            m_connected += QString::fromLatin1(holder->readLine()).section(u' ', 1).trimmed().toInt();
        }
    }
    ~IdleConnections()
    {
        for (const auto& holder : m_holders) {
            holder->closeWriteChannel();
            holder->waitForFinished(kWaitMs);
        }
    }
    IdleConnections(const IdleConnections&) = delete;
    IdleConnections& operator=(const IdleConnections&) = delete;
    int Connected() const { return m_connected; }

private:
    std::vector<std::unique_ptr<QProcess>> m_holders;
    int m_connected = 0;
};

void PingsWithIdleConnections(benchmark::State& state, int idle)
{
    const DescriptorLimit limit(kDescriptorLimit);
    if (!limit.IsValid()) {
        state.SkipWithError("the descriptor limit cannot be lowered");
        return;
    }
    CEngineServer server(kPbxCount, [](int) { return std::shared_ptr<CPbxLink>(); });
    if (!server.StartOn(MakeSocketAddress(kLoopback, 0))) {
        state.SkipWithError("the server did not start");
        return;
    }
    const CEngineClient client("127.0.0.1", server.Port());
    std::vector<double> latencies;
    int failed = 0;
    for (auto _ : state) {
        std::optional<IdleConnections> connections;
        if (idle > 0) {
            connections.emplace(server.Port(), idle);
            state.counters["idle_connected"] = connections->Connected();
        }
        for (int i = 0; i < kWarmUpPings; ++i)
            client.PingServer();
        for (int i = 0; i < kPingsMeasured; ++i) {
            const auto start = Clock::now();
            // A ping that fails counts with the time it took: a starved server shows in the percentiles.
            if (client.PingServer() != kNoError)
                ++failed;
            latencies.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        }
    }
    server.Stop();
    state.counters["failed_pings"] = failed;
    state.counters["descriptor_limit"] = static_cast<double>(kDescriptorLimit);
    ReportLatencies(state, latencies);
    state.SetItemsProcessed(static_cast<std::int64_t>(latencies.size()));
}

void BM_PingsBesideIdleConnections(benchmark::State& state) { PingsWithIdleConnections(state, kIdleConnections); }
void BM_PingsWithoutIdleConnections(benchmark::State& state) { PingsWithIdleConnections(state, 0); }

BENCHMARK(BM_PingThroughServer)->UseRealTime();
BENCHMARK(BM_BareTcpRoundTrip)->UseRealTime();
BENCHMARK(BM_ConcurrentPings)->UseRealTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConcurrentBareRoundTrips)->UseRealTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RequestThroughLanChannel)->UseRealTime()->Threads(1)->Threads(4);
BENCHMARK(BM_RequestThroughSerialChannel)->UseRealTime();
BENCHMARK(BM_EventToWorkstations)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PingsWithoutIdleConnections)->UseRealTime()->Iterations(kRounds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PingsBesideIdleConnections)->UseRealTime()->Iterations(kRounds)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        g_engine = std::make_unique<Engine>();
    } catch (const std::exception& failure) {
        fprintf(stderr, "server_bench: %s\n", failure.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_engine.reset();
    return 0;
}
