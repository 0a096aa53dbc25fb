#pragma once

#include "blockingsocket.h"
#include "clientregistry.h"
#include "engineerrorcode.h"
#include "enginerequestheader.h"
#include "event.h"

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <variant>
#include <vector>

class CEventSender;
class CPbxLink;
struct PbxRequestRecord;

// The engine's request server (TCP 13443 in server mode): one request per connection, an
// EngineRequestHeader and its body, answered with an EngineReplyHeader and data. An accept thread takes
// the connections and hands each to a serving thread, but answers itself a request that came whole with
// its connection and needs no PBX; one for a PBX that came whole it passes to the link itself before the
// hand-over, so that the request is on its way while the serving thread wakes to wait for the answer. A
// serving thread, its connection answered, waits for the next one (kIdleWorkerTime at most, then it ends):
// a connection finds a thread waiting rather than starting one. By target:
//   0-127      forwards the body, a PbxFrame, to that PBX's link and waits for the answer (not for
//              commands the PBX does not answer, which are replied to as soon as they are written);
//   255        a ping: registers the caller in the client registry for the event datagrams;
//   0x80-0xBF  relays the body as an event of PBX (target & 0x7F) to every registered workstation;
//   0xC0-0xFE  gives the LAN address text of PBX (target & 0x3F), with its NUL.
// Statuses: the channel's own code, 31 no answer within the wait, 33 no such PBX or a body that is no
// frame (or a PBX that is not on the LAN, for 0xC0-0xFE), 58 a ping the full registry refused, 59 a relay
// too long for a datagram.
//
// Stop wakes every thread (the accept, connections reading or writing, connections waiting for a PBX's
// answer, serving threads waiting for a connection), joins them all and closes the listening socket; the
// connections no thread had taken yet close unanswered.
class CEngineServer {
public:
    // The link of a PBX index, or null when it has none. Called from the connection threads, so it must
    // be safe from any thread; the link is kept alive by the pointer while a request uses it.
    using LinkLookup = std::function<std::shared_ptr<CPbxLink>(int pbx)>;

    static constexpr std::uint16_t kDefaultPort = EngineRequestHeader::kDefaultPort;
    static constexpr int kReceiveSeconds = 2;  // for the header and for the body
    static constexpr int kReplySeconds = 2;
    static constexpr int kShortestWaitMs = 5000;    // for budgets of 4 seconds and less
    static constexpr int kChannelMarginMs = 4000;   // the channel gives up this much before the server
    static constexpr std::chrono::seconds kIdleWorkerTime{10};  // a serving thread without a connection ends

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
    // A request passed to a PBX's link, whose answer is awaited.
    struct PendingForward {
        std::shared_ptr<Event> answered;
        std::shared_ptr<PbxRequestRecord> record;
        std::uint8_t budget = 0;
    };
    struct Connection {
        CBlockingSocket socket;
        sockaddr_in peer{};
        std::optional<PendingForward> forward;  // passed to the link by the accept thread already
    };
    // A serving thread; its fields under m_connectionsMutex.
    struct Worker {
        std::thread thread;
        Connection* serving = nullptr;  // the connection it serves, which Stop wakes
        bool finished = false;
    };
    struct Reply {
        EngineErrorCode status = kNoError;
        std::vector<std::uint8_t> data;
    };

    void Accept();
    // A serving thread: takes the waiting connections one after another until it has waited
    // kIdleWorkerTime for none, or the server stops.
    void Work(Worker& worker);
    void Serve(Connection& connection);
    // The header of a request that came whole with the connection; nothing is read.
    static std::optional<EngineRequestHeader> ArrivedWhole(const CBlockingSocket& socket);
    // For the accept thread: reads the PBX request that came whole and passes it to the link. False when
    // it has been answered and closed here already (a request the link refused, say).
    bool StartServing(Connection& connection, const EngineRequestHeader& header);
    // Header and data in one write.
    static void SendReply(CBlockingSocket& socket, std::uint8_t budget, const Reply& reply);
    // The reply to one request; nullopt when the server stopped while it waited (no reply is sent).
    std::optional<Reply> Handle(const EngineRequestHeader& header, std::span<const std::uint8_t> body,
                                const sockaddr_in& peer);
    std::optional<Reply> Forward(std::uint8_t pbx, std::uint8_t budget, std::span<const std::uint8_t> body);
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

    const int m_pbxCount;
    const LinkLookup m_links;
    ClientRegistry m_clients;

    std::mutex m_senderMutex;  // held while relaying, so that SetEventSender waits for a relay in progress
    CEventSender* m_sender = nullptr;

    CBlockingSocket m_listener;  // the accept thread's; Stop only interrupts it before the join
    std::atomic<bool> m_started{false};
    std::atomic<std::uint16_t> m_port{0};
    std::thread m_acceptThread;
    Event m_stop{Event::Reset::Manual};  // wakes the connections waiting for a PBX

    std::mutex m_connectionsMutex;  // the four below and the workers' fields
    std::condition_variable m_connectionWaiting;  // a connection waits for a thread, or the server stops
    std::list<Worker> m_workers;
    std::deque<std::unique_ptr<Connection>> m_waiting;  // accepted, not yet taken by a serving thread
    int m_idleWorkers = 0;  // serving threads waiting for a connection
    bool m_stopping = false;
};
