#pragma once

#include "blockingsocket.h"
#include "clientregistry.h"
#include "engineerrorcode.h"
#include "enginerequestheader.h"
#include "event.h"
#include "pbxframe.h"

#include <netinet/in.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <unordered_map>
#include <variant>
#include <vector>

class CEventSender;
class CPbxLink;
struct PbxRequestRecord;

// The engine's request server (TCP 13443 in server mode): one request per connection, an
// EngineRequestHeader and its body, answered with an EngineReplyHeader and data. By target:
//   0-127      forwards the body, a PbxFrame, to that PBX's link and waits for the answer (not for
//              commands the PBX does not answer, which are replied to as soon as they are written);
//   255        a ping: registers the caller in the client registry for the event datagrams;
//   0x80-0xBF  relays the body as an event of PBX (target & 0x7F) to every registered workstation;
//   0xC0-0xFE  gives the LAN address text of PBX (target & 0x3F), with its NUL.
// Statuses: the channel's own code, 31 no answer within the wait, 33 no such PBX or a body that is no
// frame (or a PBX that is not on the LAN, for 0xC0-0xFE), 58 a ping the full registry refused, 59 a relay
// too long for a datagram.
//
// One poller thread accepts the connections and waits for their requests (epoll): a connection that has
// sent nothing costs a descriptor and no thread. A request that came whole and needs no PBX is answered
// there at once; one for a PBX is passed to its link there, and the connection handed to a serving thread
// that waits for the answer and replies (a serving thread, its connection answered, waits for the next
// one for kIdleWorkerTime, then ends). The open connections are capped from the descriptor limit: at the
// cap the longest idle connection is closed to accept a new one. A connection that sends nothing for
// kIdleConnectionTime is closed; one whose request has begun must complete it within kReceiveSeconds.
//
// Stop wakes every thread (the poller, serving threads waiting for a PBX's answer or writing a reply,
// serving threads waiting for a connection), joins them all and closes every connection, unanswered.
class CEngineServer {
public:
    // The link of a PBX index, or null when it has none. Called from the server's threads, so it must be
    // safe from any thread; the link is kept alive by the pointer while a request uses it.
    using LinkLookup = std::function<std::shared_ptr<CPbxLink>(int pbx)>;

    static constexpr std::uint16_t kDefaultPort = EngineRequestHeader::kDefaultPort;
    static constexpr int kReceiveSeconds = 2;  // for a request, from its first byte
    static constexpr int kReplySeconds = 2;
    static constexpr int kShortestWaitMs = 5000;    // for budgets of 4 seconds and less
    static constexpr int kChannelMarginMs = 4000;   // the channel gives up this much before the server
    static constexpr std::chrono::seconds kIdleWorkerTime{10};  // a serving thread without a connection ends
    // A connection that has sent nothing for this long is closed (a client sends at once).
    static constexpr std::chrono::seconds kIdleConnectionTime{60};
    // The connection cap leaves a quarter of the descriptor limit to the rest of the program (database,
    // channels, listeners), within these bounds.
    static constexpr std::size_t kMinConnections = 16;
    static constexpr std::size_t kMaxConnections = 65536;

    // pbxCount: the size of the link list; targets from there to 127 are no PBX. The clock is the
    // registry's.
    CEngineServer(int pbxCount, LinkLookup links, ClientRegistry::Clock clock = {});
    ~CEngineServer();  // Stop
    CEngineServer(const CEngineServer&) = delete;
    CEngineServer& operator=(const CEngineServer&) = delete;

    // Listens on the port of every local address (0: any free port, see Port); false when already started
    // or the port cannot be had.
    bool Start(std::uint16_t port);
    // The same on exactly this address.
    bool StartOn(const sockaddr_in& address);
    void Stop();
    bool IsStarted() const { return m_started; }
    std::uint16_t Port() const { return m_port; }

    // Before Start: a cap of open connections (0: from the descriptor limit at Start) and the idle time
    // after which a silent connection is closed.
    void SetConnectionLimits(std::size_t cap, std::chrono::milliseconds idleTime);
    // The cap in force since Start.
    std::size_t ConnectionCap() const { return m_cap; }
    // The cap for a descriptor limit (the soft RLIMIT_NOFILE).
    static std::size_t ConnectionCapFor(std::uint64_t descriptorLimit);

    // Where relay requests go; null drops them. After it returns the previous sender is no longer used.
    void SetEventSender(CEventSender* sender);

    ClientRegistry& Clients() { return m_clients; }
    bool AddOrRefreshClient(std::uint32_t address) { return m_clients.AddOrRefreshClient(address); }
    std::vector<std::uint32_t> CopyClients() { return m_clients.CopyClients(); }
    void AgeClients() { m_clients.AgeClients(); }

    // How long a connection waits for a PBX's answer: budget seconds from 5 on, else 5 seconds.
    static int WaitTimeMs(std::uint8_t budget);
    // The time-out the channel gets for that answer: the wait less 4 seconds.
    static int ChannelTimeoutMs(std::uint8_t budget);

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kRequestBufferSize = EngineRequestHeader::kSize + kMaxRequestFrameSize;

    // A request passed to a PBX's link, whose answer is awaited.
    struct PendingForward {
        std::shared_ptr<Event> answered;
        std::shared_ptr<PbxRequestRecord> record;
        std::uint8_t budget = 0;
    };
    struct Reply {
        EngineErrorCode status = kNoError;
        std::vector<std::uint8_t> data;
    };
    // An accepted connection, its own descriptor (closed with it).
    struct Connection {
        explicit Connection(int descriptor) : fd(descriptor) {}
        ~Connection();
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;

        int fd;
        sockaddr_in peer{};
        std::array<std::uint8_t, kRequestBufferSize> bytes{};
        std::size_t received = 0;
        Clock::time_point since;        // accepted, or its request's first byte
        bool begun = false;              // its request has begun: it waits in m_receiving, else in m_silent
        std::list<int>::iterator place;
        std::optional<PendingForward> forward;
    };
    // A serving thread; its fields under m_connectionsMutex.
    struct Worker {
        std::thread thread;
        bool finished = false;
    };

    // The poller thread.
    void Poll();
    void AcceptAll();
    // Closes the connection that has waited longest without a whole request; false when there is none.
    bool CloseLongestIdle();
    void ReadRequest(int fd);
    // A whole request: answered here or handed to a serving thread.
    void Dispatch(std::unique_ptr<Connection> connection);
    void CloseExpired(Clock::time_point now);
    // Milliseconds until the next connection expires; -1 when none can.
    int NextExpiryMs(Clock::time_point now) const;
    std::unique_ptr<Connection> Take(int fd);
    // Leaves the listener alone for kAcceptRetryPause: no descriptor or no place for a connection.
    void PauseAccepting();
    // Lets epoll watch the listener again once the pause is over.
    void ResumeAccepting(Clock::time_point now);

    // A serving thread: takes the waiting connections one after another until it has waited
    // kIdleWorkerTime for none, or the server stops.
    void Work(Worker& worker);
    void Serve(Connection& connection);
    // Header and data in one write within kReplySeconds; Stop ends the wait.
    void SendReply(const Connection& connection, std::uint8_t budget, const Reply& reply) const;
    // The reply to a request that needs no PBX.
    Reply Handle(const EngineRequestHeader& header, std::span<const std::uint8_t> body, const sockaddr_in& peer);
    // Passes the frame to the PBX's link: the reply at once when there is no answer to wait for.
    std::variant<Reply, PendingForward> StartForward(std::uint8_t pbx, std::uint8_t budget,
                                                     std::span<const std::uint8_t> body);
    // Waits for the answer; nullopt when the server stopped meanwhile.
    std::optional<Reply> FinishForward(const PendingForward& forward);
    Reply Ping(const sockaddr_in& peer);
    Reply Relay(std::uint8_t pbx, std::span<const std::uint8_t> body);
    Reply LanAddress(std::uint8_t pbx);
    std::shared_ptr<CPbxLink> Link(int pbx) const;
    // Joins the serving threads that have ended; under m_connectionsMutex.
    void ReapLocked();
    void CloseDescriptors();

    const int m_pbxCount;
    const LinkLookup m_links;
    ClientRegistry m_clients;

    std::mutex m_senderMutex;  // held while relaying, so that SetEventSender waits for a relay in progress
    CEventSender* m_sender = nullptr;

    CBlockingSocket m_listener;
    std::atomic<bool> m_started{false};
    std::atomic<std::uint16_t> m_port{0};
    std::size_t m_requestedCap = 0;
    std::chrono::milliseconds m_idleTime = kIdleConnectionTime;
    std::size_t m_cap = 0;
    int m_epoll = -1;
    int m_wakeFd = -1;  // an eventfd: readable once Stop has begun
    std::thread m_pollThread;
    Event m_stop{Event::Reset::Manual};  // wakes the connections waiting for a PBX

    // The poller thread's alone: the connections that have no whole request yet, the silent ones and
    // those whose request has begun each in the order they began waiting.
    std::unordered_map<int, std::unique_ptr<Connection>> m_open;
    std::list<int> m_silent;
    std::list<int> m_receiving;
    std::optional<Clock::time_point> m_acceptPausedUntil;
    std::atomic<std::size_t> m_handedOver{0};  // connections the serving threads hold, counted in the cap

    std::mutex m_connectionsMutex;  // the four below and the workers' fields
    std::condition_variable m_connectionWaiting;  // a connection waits for a thread, or the server stops
    std::list<Worker> m_workers;
    std::deque<std::unique_ptr<Connection>> m_waiting;  // handed over, not yet taken by a serving thread
    int m_idleWorkers = 0;  // serving threads waiting for a connection
    bool m_stopping = false;
};
