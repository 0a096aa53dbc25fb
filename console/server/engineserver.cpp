#include "engineserver.h"

#include "enginereplyheader.h"
#include "eventsender.h"
#include "pbxcommandclass.h"
#include "pbxframe.h"
#include "pbxlink.h"
#include "socketaddress.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <variant>

#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// After a failed accept (no descriptors left, say) the listener is left alone this long.
constexpr std::chrono::milliseconds kAcceptRetryPause{100};
// Events taken from epoll at once.
constexpr int kEventBatch = 64;
// The share of the descriptor limit left to the rest of the program: 1/4.
constexpr std::uint64_t kReservedShareDivisor = 4;
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

bool Watch(int epoll, int fd, std::uint32_t events, int operation = EPOLL_CTL_ADD)
{
    epoll_event event{};
    event.events = events;
    event.data.fd = fd;
    return ::epoll_ctl(epoll, operation, fd, &event) == 0;
}

}  // namespace

CEngineServer::Connection::~Connection()
{
    if (fd >= 0)
        ::close(fd);
}

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

std::size_t CEngineServer::ConnectionCapFor(std::uint64_t descriptorLimit)
{
    if (descriptorLimit == RLIM_INFINITY)
        return kMaxConnections;
    const std::uint64_t cap = descriptorLimit - descriptorLimit / kReservedShareDivisor;
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(cap, kMinConnections, kMaxConnections));
}

void CEngineServer::SetConnectionLimits(std::size_t cap, std::chrono::milliseconds idleTime)
{
    m_requestedCap = cap;
    m_idleTime = idleTime;
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
    // The poller accepts until the backlog is empty, which must not block.
    const int flags = ::fcntl(m_listener.Handle(), F_GETFL);
    if (flags < 0 || ::fcntl(m_listener.Handle(), F_SETFL, flags | O_NONBLOCK) != 0) {
        m_listener.CloseSilently();
        return false;
    }
    rlimit limit{};
    m_cap = m_requestedCap != 0                          ? m_requestedCap
            : ::getrlimit(RLIMIT_NOFILE, &limit) == 0    ? ConnectionCapFor(limit.rlim_cur)
                                                         : kMinConnections;
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_epoll < 0 || m_wakeFd < 0 || !Watch(m_epoll, m_listener.Handle(), EPOLLIN) ||
        !Watch(m_epoll, m_wakeFd, EPOLLIN)) {
        CloseDescriptors();
        m_listener.CloseSilently();
        return false;
    }
    m_started = true;
    try {
        m_pollThread = std::thread(&CEngineServer::Poll, this);
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
    }
    m_connectionWaiting.notify_all();
    m_stop.Set();
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    if (m_pollThread.joinable())
        m_pollThread.join();
    // The poller is gone, so the list no longer grows. The threads keep their entries: moving the list's
    // nodes leaves them where they are.
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
        m_stopping = false;
    }
    m_handedOver = 0;
    m_open.clear();
    m_silent.clear();
    m_receiving.clear();
    m_acceptPausedUntil.reset();
    CloseDescriptors();
    m_listener.CloseSilently();
    m_stop.ResetSignal();
    m_started = false;
}

void CEngineServer::CloseDescriptors()
{
    if (m_epoll >= 0)
        ::close(m_epoll);
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
    m_epoll = m_wakeFd = -1;
}

void CEngineServer::SetEventSender(CEventSender* sender)
{
    std::lock_guard lock(m_senderMutex);
    m_sender = sender;
}

// --- The poller thread ---

void CEngineServer::Poll()
{
    std::array<epoll_event, kEventBatch> events{};
    for (;;) {
        const int timeout = NextExpiryMs(Clock::now());
        const int count = ::epoll_wait(m_epoll, events.data(), kEventBatch, timeout);
        if (count < 0 && errno != EINTR)
            return;
        for (int i = 0; i < count; ++i) {
            const int fd = events[static_cast<std::size_t>(i)].data.fd;
            if (fd == m_wakeFd)
                return;  // stopping: the connections close unanswered
            if (fd == m_listener.Handle())
                AcceptAll();
            else
                ReadRequest(fd);
        }
        const Clock::time_point now = Clock::now();
        CloseExpired(now);
        ResumeAccepting(now);
    }
}

void CEngineServer::AcceptAll()
{
    for (;;) {
        sockaddr_in peer{};
        socklen_t size = sizeof peer;
        const int fd = ::accept4(m_listener.Handle(), reinterpret_cast<sockaddr*>(&peer), &size,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return;
            // Out of descriptors, or memory: an idle connection makes room, else the listener rests.
            if ((errno == EMFILE || errno == ENFILE) && CloseLongestIdle())
                continue;
            PauseAccepting();
            return;
        }
        auto connection = std::make_unique<Connection>(fd);
        connection->peer = peer;
        connection->since = Clock::now();
        // At the cap the connection that has waited longest without a request makes room; when every
        // connection is busy with a PBX, the new one is refused.
        if (m_open.size() + m_handedOver >= m_cap && !CloseLongestIdle())
            continue;
        if (!Watch(m_epoll, fd, EPOLLIN | EPOLLRDHUP))
            continue;  // closed with it
        connection->place = m_silent.insert(m_silent.end(), fd);
        m_open.emplace(fd, std::move(connection));
    }
}

void CEngineServer::PauseAccepting()
{
    m_acceptPausedUntil = Clock::now() + kAcceptRetryPause;
    Watch(m_epoll, m_listener.Handle(), 0, EPOLL_CTL_MOD);
}

void CEngineServer::ResumeAccepting(Clock::time_point now)
{
    if (!m_acceptPausedUntil || now < *m_acceptPausedUntil)
        return;
    m_acceptPausedUntil.reset();
    Watch(m_epoll, m_listener.Handle(), EPOLLIN, EPOLL_CTL_MOD);
}

bool CEngineServer::CloseLongestIdle()
{
    std::list<int>& from = !m_silent.empty() ? m_silent : m_receiving;
    if (from.empty())
        return false;
    Take(from.front());  // closed unanswered
    return true;
}

std::unique_ptr<CEngineServer::Connection> CEngineServer::Take(int fd)
{
    const auto found = m_open.find(fd);
    if (found == m_open.end())
        return nullptr;
    std::unique_ptr<Connection> connection = std::move(found->second);
    m_open.erase(found);
    (connection->begun ? m_receiving : m_silent).erase(connection->place);
    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
    return connection;
}

void CEngineServer::ReadRequest(int fd)
{
    const auto found = m_open.find(fd);
    if (found == m_open.end())
        return;
    Connection& connection = *found->second;
    for (;;) {
        const std::size_t wanted =
            connection.received < EngineRequestHeader::kSize
                ? EngineRequestHeader::kSize
                : EngineRequestHeader::kSize + EngineRequestHeader::Decode(connection.bytes.data()).length;
        if (connection.received == wanted) {
            Dispatch(Take(fd));
            return;
        }
        const ssize_t got = ::recv(fd, connection.bytes.data() + connection.received, wanted - connection.received,
                                   MSG_DONTWAIT);
        if (got > 0) {
            connection.received += static_cast<std::size_t>(got);
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            break;
        Take(fd);  // the peer closed, or the connection failed: a request cut short gets no reply
        return;
    }
    if (!connection.begun && connection.received > 0) {
        // Its request has begun: from now on it must come whole within kReceiveSeconds.
        m_silent.erase(connection.place);
        connection.begun = true;
        connection.since = Clock::now();
        connection.place = m_receiving.insert(m_receiving.end(), fd);
    }
}

void CEngineServer::CloseExpired(Clock::time_point now)
{
    while (!m_silent.empty() && now - m_open.at(m_silent.front())->since >= m_idleTime)
        Take(m_silent.front());
    while (!m_receiving.empty() &&
           now - m_open.at(m_receiving.front())->since >= std::chrono::seconds(kReceiveSeconds))
        Take(m_receiving.front());
}

int CEngineServer::NextExpiryMs(Clock::time_point now) const
{
    std::optional<Clock::time_point> next;
    if (!m_silent.empty())
        next = m_open.at(m_silent.front())->since + m_idleTime;
    if (!m_receiving.empty()) {
        const Clock::time_point receiving = m_open.at(m_receiving.front())->since + std::chrono::seconds(kReceiveSeconds);
        next = next ? std::min(*next, receiving) : receiving;
    }
    if (m_acceptPausedUntil)
        next = next ? std::min(*next, *m_acceptPausedUntil) : *m_acceptPausedUntil;
    if (!next)
        return -1;
    // Rounded up, so that the wait does not end just before the time.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now).count();
    return static_cast<int>(std::max<std::int64_t>(wait, 0));
}

void CEngineServer::Dispatch(std::unique_ptr<Connection> connection)
{
    const EngineRequestHeader header = EngineRequestHeader::Decode(connection->bytes.data());
    const auto body = std::span<const std::uint8_t>(connection->bytes).subspan(EngineRequestHeader::kSize, header.length);
    if (header.target > EngineRequestHeader::kMaxPbxTarget) {
        SendReply(*connection, header.budget, Handle(header, body, connection->peer));
        return;  // closed with it
    }
    // Passed to the link now, so that the request is on its way while a serving thread takes it.
    auto started = StartForward(header.target, header.budget, body);
    if (const auto* reply = std::get_if<Reply>(&started)) {
        SendReply(*connection, header.budget, *reply);
        return;
    }
    connection->forward = std::move(std::get<PendingForward>(started));

    std::lock_guard lock(m_connectionsMutex);
    ReapLocked();
    if (m_stopping)
        return;  // closed unanswered
    m_waiting.push_back(std::move(connection));
    ++m_handedOver;
    if (m_idleWorkers >= static_cast<int>(m_waiting.size())) {
        m_connectionWaiting.notify_one();
        return;
    }
    Worker& worker = m_workers.emplace_back();
    try {
        worker.thread = std::thread(&CEngineServer::Work, this, std::ref(worker));
    } catch (const std::system_error&) {
        m_workers.pop_back();
        m_waiting.pop_back();  // no thread for it: it closes unanswered
        --m_handedOver;
    }
}

// --- Serving threads ---

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
        std::unique_ptr<Connection> connection = std::move(m_waiting.front());
        m_waiting.pop_front();
        lock.unlock();
        Serve(*connection);
        connection.reset();
        --m_handedOver;
        lock.lock();
    }
    worker.finished = true;
}

void CEngineServer::Serve(Connection& connection)
{
    if (const auto reply = FinishForward(*connection.forward))
        SendReply(connection, connection.forward->budget, *reply);
}

void CEngineServer::SendReply(const Connection& connection, std::uint8_t budget, const Reply& reply) const
{
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(reply.data.size()), budget, reply.status};
    bytes.insert(bytes.end(), reply.data.begin(), reply.data.end());
    const auto deadline = Clock::now() + std::chrono::seconds(kReplySeconds);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t done = ::send(connection.fd, bytes.data() + sent, bytes.size() - sent, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (done > 0) {
            sent += static_cast<std::size_t>(done);
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return;  // the client went away
        // A client that does not read: wait for room, for the reply's time at most, or for the stop.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return;
        pollfd waits[] = {{connection.fd, POLLOUT, 0}, {m_wakeFd, POLLIN, 0}};
        if (::poll(waits, 2, static_cast<int>(left)) < 0 && errno != EINTR)
            return;
        if (waits[1].revents != 0)
            return;
    }
}

// --- Requests ---

CEngineServer::Reply CEngineServer::Handle(const EngineRequestHeader& header, std::span<const std::uint8_t> body,
                                           const sockaddr_in& peer)
{
    const std::uint8_t target = header.target;
    if (target == EngineRequestHeader::kPingTarget)
        return Ping(peer);
    if (target >= kFirstAddressTarget)
        return LanAddress(target & kAddressPbxMask);
    if (target >= EngineRequestHeader::kRelayTargetBase)
        return Relay(target & kRelayPbxMask, body);
    return Reply{kServerUnknownTarget, {}};
}

std::shared_ptr<CPbxLink> CEngineServer::Link(int pbx) const
{
    if (pbx >= m_pbxCount || !m_links)
        return nullptr;
    return m_links(pbx);
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
