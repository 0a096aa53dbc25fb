#include "engineserver.h"

#include "enginereplyheader.h"
#include "eventsender.h"
#include "pbxcommandclass.h"
#include "pbxframe.h"
#include "pbxlink.h"
#include "socketaddress.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <system_error>
#include <variant>

#include <sys/socket.h>

namespace {

// After a failed accept (no descriptors left, say) the accept thread pauses this long, or until the stop.
constexpr std::chrono::milliseconds kAcceptRetryPause{100};
constexpr std::uint8_t kAddressPbxMask = 0x3F;
constexpr std::uint8_t kRelayPbxMask = 0x7F;
constexpr std::uint8_t kFirstAddressTarget = EngineRequestHeader::kAddressTargetBase;

// The body holds exactly one frame, so that its code byte lies inside it. The code itself is the PBX's
// to judge: the engine's own commands 0, 16 and 17 are in neither code list.
bool IsFrame(std::span<const std::uint8_t> body)
{
    return body.size() >= kPbxFrameHeaderSize && body[0] == kPbxSync && body[1] == kPbxSync &&
           body.size() == std::size_t{body[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize;
}

}  // namespace

CEngineServer::CEngineServer(int pbxCount, LinkLookup links, ClientRegistry::Clock clock)
    : m_pbxCount(pbxCount), m_links(std::move(links)), m_clients(std::move(clock))
{
}

CEngineServer::~CEngineServer()
{
    Stop();
}

int CEngineServer::WaitTimeMs(std::uint8_t budget)
{
    constexpr std::uint8_t kLongestShortBudget = 4;
    return budget > kLongestShortBudget ? budget * 1000 : kShortestWaitMs;
}

int CEngineServer::ChannelTimeoutMs(std::uint8_t budget)
{
    return WaitTimeMs(budget) - kChannelMarginMs;
}

bool CEngineServer::Start(std::uint16_t port)
{
    return StartOn(AnySocketAddress(port));
}

bool CEngineServer::StartOn(const sockaddr_in& address)
{
    if (m_started)
        return false;
    try {
        m_listener.Create(CBlockingSocket::kStream);
        m_listener.Bind(address);
        m_listener.Listen();
        m_port = PortOf(m_listener.GetSockAddr());
    } catch (const CBlockingSocketException&) {
        m_listener.CloseSilently();
        return false;
    }
    m_started = true;
    try {
        m_acceptThread = std::thread(&CEngineServer::Accept, this);
    } catch (const std::system_error&) {
        Stop();
        return false;
    }
    return true;
}

void CEngineServer::Stop()
{
    if (!m_started)
        return;
    {
        std::lock_guard lock(m_connectionsMutex);
        m_stopping = true;
        for (const Worker& worker : m_workers) {
            if (worker.serving)
                worker.serving->socket.Interrupt();
        }
    }
    m_connectionWaiting.notify_all();
    m_stop.Set();
    m_listener.Interrupt();
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    // The accept thread is gone, so the list no longer grows. The threads keep their entries: moving the
    // list's nodes leaves them where they are.
    std::list<Worker> workers;
    {
        std::lock_guard lock(m_connectionsMutex);
        workers.swap(m_workers);
    }
    for (Worker& worker : workers)
        worker.thread.join();
    {
        std::lock_guard lock(m_connectionsMutex);
        m_waiting.clear();  // closed unanswered
    }
    m_listener.CloseSilently();
    m_stop.ResetSignal();
    {
        std::lock_guard lock(m_connectionsMutex);
        m_stopping = false;
    }
    m_started = false;
}

void CEngineServer::SetEventSender(CEventSender* sender)
{
    std::lock_guard lock(m_senderMutex);
    m_sender = sender;
}

void CEngineServer::Accept()
{
    for (;;) {
        auto connection = std::make_unique<Connection>();
        try {
            if (!m_listener.Accept(connection->socket, &connection->peer))
                return;  // stopped
        } catch (const CBlockingSocketException&) {
            if (m_stop.Wait(kAcceptRetryPause))
                return;
            continue;
        }
        const std::optional<EngineRequestHeader> whole = ArrivedWhole(connection->socket);
        if (whole && whole->target > EngineRequestHeader::kMaxPbxTarget) {
            Serve(*connection);  // no thread to wake nor to wait for: it is answered at once
            continue;
        }
        if (whole && !StartServing(*connection, *whole))
            continue;
        std::lock_guard lock(m_connectionsMutex);
        ReapLocked();
        if (m_stopping)
            return;  // the connection closes unanswered
        m_waiting.push_back(std::move(connection));
        if (m_idleWorkers >= static_cast<int>(m_waiting.size())) {
            m_connectionWaiting.notify_one();
            continue;
        }
        Worker& worker = m_workers.emplace_back();
        try {
            worker.thread = std::thread(&CEngineServer::Work, this, std::ref(worker));
        } catch (const std::system_error&) {
            m_workers.pop_back();
            m_waiting.pop_back();  // no thread for it: it closes unanswered
        }
    }
}

void CEngineServer::Work(Worker& worker)
{
    std::unique_lock lock(m_connectionsMutex);
    for (;;) {
        if (m_waiting.empty() && !m_stopping) {
            ++m_idleWorkers;
            const bool woken = m_connectionWaiting.wait_for(lock, kIdleWorkerTime,
                                                            [this] { return !m_waiting.empty() || m_stopping; });
            --m_idleWorkers;
            if (!woken)
                break;
        }
        if (m_stopping)
            break;
        const std::unique_ptr<Connection> connection = std::move(m_waiting.front());
        m_waiting.pop_front();
        worker.serving = connection.get();
        lock.unlock();
        Serve(*connection);
        lock.lock();
        worker.serving = nullptr;
    }
    worker.finished = true;
}

std::optional<EngineRequestHeader> CEngineServer::ArrivedWhole(const CBlockingSocket& socket)
{
    std::array<std::uint8_t, EngineRequestHeader::kSize + kMaxRequestFrameSize> bytes{};
    const ssize_t peeked = ::recv(socket.Handle(), bytes.data(), bytes.size(), MSG_PEEK | MSG_DONTWAIT);
    if (peeked < static_cast<ssize_t>(EngineRequestHeader::kSize))
        return std::nullopt;
    const EngineRequestHeader header = EngineRequestHeader::Decode(bytes.data());
    if (static_cast<std::size_t>(peeked) < EngineRequestHeader::kSize + header.length)
        return std::nullopt;
    return header;
}

bool CEngineServer::StartServing(Connection& connection, const EngineRequestHeader& header)
{
    CBlockingSocket& socket = connection.socket;
    try {
        // The bytes are there already: these reads do not wait.
        std::array<std::uint8_t, EngineRequestHeader::kSize + kMaxRequestFrameSize> bytes{};
        const std::size_t size = EngineRequestHeader::kSize + header.length;
        if (socket.ReceiveFull(bytes.data(), size, kReceiveSeconds) == size) {
            auto started = StartForward(header.target, header.budget,
                                        std::span<const std::uint8_t>(bytes).subspan(EngineRequestHeader::kSize, header.length));
            if (auto* pending = std::get_if<PendingForward>(&started)) {
                connection.forward = std::move(*pending);
                return true;
            }
            SendReply(socket, header.budget, std::get<Reply>(started));
        }
    } catch (const CBlockingSocketException&) {
    }
    socket.CloseSilently();
    return false;
}

void CEngineServer::SendReply(CBlockingSocket& socket, std::uint8_t budget, const Reply& reply)
{
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(reply.data.size()), budget, reply.status};
    bytes.insert(bytes.end(), reply.data.begin(), reply.data.end());
    socket.SendFull(bytes.data(), bytes.size(), kReplySeconds);
}

void CEngineServer::ReapLocked()
{
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (it->finished) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void CEngineServer::Serve(Connection& connection)
{
    CBlockingSocket& socket = connection.socket;
    try {
        if (connection.forward) {
            if (const auto reply = FinishForward(*connection.forward))
                SendReply(socket, connection.forward->budget, *reply);
            socket.CloseSilently();
            return;
        }
        std::array<std::uint8_t, EngineRequestHeader::kSize> headerBytes{};
        if (socket.ReceiveFull(headerBytes.data(), headerBytes.size(), kReceiveSeconds) == headerBytes.size()) {
            const EngineRequestHeader header = EngineRequestHeader::Decode(headerBytes.data());
            std::array<std::uint8_t, kMaxRequestFrameSize> body{};
            if (header.length == 0 || socket.ReceiveFull(body.data(), header.length, kReceiveSeconds) == header.length) {
                if (const auto reply = Handle(header, {body.data(), header.length}, connection.peer))
                    SendReply(socket, header.budget, *reply);
            }
        }
    } catch (const CBlockingSocketException&) {
        // A connection that fails or is stopped just ends.
    }
    socket.CloseSilently();
}

std::optional<CEngineServer::Reply> CEngineServer::Handle(const EngineRequestHeader& header,
                                                          std::span<const std::uint8_t> body, const sockaddr_in& peer)
{
    const std::uint8_t target = header.target;
    if (target <= EngineRequestHeader::kMaxPbxTarget)
        return Forward(target, header.budget, body);
    if (target == EngineRequestHeader::kPingTarget)
        return Ping(peer);
    if (target >= kFirstAddressTarget)
        return LanAddress(target & kAddressPbxMask);
    return Relay(target & kRelayPbxMask, body);
}

std::shared_ptr<CPbxLink> CEngineServer::Link(int pbx) const
{
    if (pbx >= m_pbxCount || !m_links)
        return nullptr;
    return m_links(pbx);
}

std::optional<CEngineServer::Reply> CEngineServer::Forward(std::uint8_t pbx, std::uint8_t budget,
                                                           std::span<const std::uint8_t> body)
{
    auto started = StartForward(pbx, budget, body);
    if (const auto* reply = std::get_if<Reply>(&started))
        return *reply;
    return FinishForward(std::get<PendingForward>(started));
}

std::variant<CEngineServer::Reply, CEngineServer::PendingForward>
CEngineServer::StartForward(std::uint8_t pbx, std::uint8_t budget, std::span<const std::uint8_t> body)
{
    const std::shared_ptr<CPbxLink> link = Link(pbx);
    if (!link || !IsFrame(body))
        return Reply{kServerUnknownTarget, {}};

    PendingForward forward{std::make_shared<Event>(Event::Reset::Manual), nullptr, budget};
    const bool answerExpected = !IsNoAnswerCommand(body[kPbxCodeOffset]);
    const EngineErrorCode queued = link->Send(body.data(), body.size(), forward.answered, &forward.record,
                                              answerExpected, ChannelTimeoutMs(budget));
    if (queued != kNoError)
        return Reply{queued, {}};
    return forward;
}

std::optional<CEngineServer::Reply> CEngineServer::FinishForward(const PendingForward& forward)
{
    Event* const events[] = {&m_stop, forward.answered.get()};
    const int woken = Event::WaitAny(events, std::chrono::milliseconds(WaitTimeMs(forward.budget)));
    if (woken == 0)
        return std::nullopt;
    const std::shared_ptr<PbxRequestRecord>& record = forward.record;
    if (woken == Event::kTimedOut || !record)
        return Reply{kServerTimeout, {}};
    if (record->answer.empty())
        return Reply{record->status, {}};
    // The reply announces its length in one byte.
    if (record->answer.size() > kMaxRequestFrameSize)
        return Reply{kServerNoData, {}};
    return Reply{record->status, record->answer};
}

CEngineServer::Reply CEngineServer::Ping(const sockaddr_in& peer)
{
    return Reply{m_clients.AddOrRefreshClient(HostOrderAddress(peer)) ? kNoError : kDatagramNotSent, {}};
}

CEngineServer::Reply CEngineServer::Relay(std::uint8_t pbx, std::span<const std::uint8_t> body)
{
    std::lock_guard lock(m_senderMutex);
    if (!m_sender)
        return {};
    return Reply{m_sender->QueueToClients(pbx, body), {}};
}

CEngineServer::Reply CEngineServer::LanAddress(std::uint8_t pbx)
{
    const std::shared_ptr<CPbxLink> link = Link(pbx);
    if (!link || !link->IsLanChannel())
        return Reply{kServerUnknownTarget, {}};
    const std::string text = link->LanAddressText();
    Reply reply;
    reply.data.assign(text.begin(), text.end());
    reply.data.push_back(0);
    return reply;
}
