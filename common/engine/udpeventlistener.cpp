#include "udpeventlistener.h"

#include "messagetarget.h"
#include "pbxframe.h"
#include "socketaddress.h"

#include <algorithm>
#include <system_error>

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;
// A datagram is the PBX index, then the frame.
constexpr std::size_t kFrameOffset = 1;
constexpr std::size_t kShortestEventDatagram = kFrameOffset + kPbxFrameHeaderSize + 1;

std::optional<sockaddr_in> ForwardAddress(std::uint16_t port)
{
    if (port == 0)
        return std::nullopt;
    return MakeSocketAddress(kLoopback, port);
}

}  // namespace

CUdpEventListener::CUdpEventListener(MessageTarget* target, std::uint32_t message, bool localOnly,
                                     std::uint16_t forwardPort)
    : m_message(message), m_localOnly(localOnly), m_forwardAddress(ForwardAddress(forwardPort)), m_target(target)
{
}

CUdpEventListener::~CUdpEventListener()
{
    Stop();
}

bool CUdpEventListener::Start(std::uint16_t port)
{
    return StartOn(m_localOnly ? MakeSocketAddress(kLoopback, port) : AnySocketAddress(port));
}

bool CUdpEventListener::StartOn(const sockaddr_in& address)
{
    if (m_running)
        return false;
    try {
        m_socket.Create(CBlockingSocket::kDatagram);
        m_socket.Bind(address);
        m_localPort = PortOf(m_socket.GetSockAddr());
        if (m_forwardAddress)
            m_forwardSocket.Create(CBlockingSocket::kDatagram);
    } catch (const CBlockingSocketException&) {
        m_socket.CloseSilently();
        m_forwardSocket.CloseSilently();
        return false;
    }
    m_current = 0;
    m_running = true;
    try {
        m_worker = std::thread(&CUdpEventListener::Run, this);
    } catch (const std::system_error&) {
        Stop();
        return false;
    }
    return true;
}

void CUdpEventListener::Stop()
{
    if (!m_running)
        return;
    m_socket.Interrupt();
    if (m_worker.joinable())
        m_worker.join();
    m_socket.CloseSilently();
    m_forwardSocket.CloseSilently();
    m_running = false;
}

void CUdpEventListener::SetTarget(MessageTarget* target)
{
    std::lock_guard lock(m_targetMutex);
    m_target = target;
}

std::vector<std::uint8_t> CUdpEventListener::CopySlot(int slot) const
{
    if (slot < 0 || slot >= kSlotCount)
        return {};
    std::lock_guard lock(m_ringMutex);
    const auto& bytes = m_slots[static_cast<std::size_t>(slot)];
    return {bytes.begin(), bytes.begin() + m_lengths[static_cast<std::size_t>(slot)]};
}

bool CUdpEventListener::IsEventDatagram(std::span<const std::uint8_t> datagram)
{
    return datagram.size() >= kShortestEventDatagram && datagram[kFrameOffset] == kPbxSync &&
           datagram[kFrameOffset + 1] == kPbxSync &&
           datagram.size() == std::size_t{datagram[kFrameOffset + kPbxPayloadLengthOffset]} + kFrameOffset +
                                  kPbxFrameHeaderSize;
}

void CUdpEventListener::Run()
{
    std::array<std::uint8_t, kSlotSize> buffer{};
    for (;;) {
        std::size_t length = 0;
        bool truncated = false;
        try {
            length = m_socket.ReceiveDatagram(buffer.data(), buffer.size(), nullptr, &truncated);
        } catch (const CBlockingSocketException&) {
            return;  // stopped, or the socket failed
        }
        // An empty datagram carries nothing; anyone could send one, so it must not end the listener. A
        // datagram longer than a slot would arrive cut and look whole: it is neither kept nor relayed.
        if (length == 0 || truncated)
            continue;
        const std::span<const std::uint8_t> datagram(buffer.data(), length);
        if (m_forwardAddress)
            Forward(datagram);
        if (m_localOnly || IsEventDatagram(datagram))
            Deliver(datagram);
    }
}

void CUdpEventListener::Forward(std::span<const std::uint8_t> datagram)
{
    try {
        m_forwardSocket.SendDatagram(datagram.data(), datagram.size(), *m_forwardAddress, kForwardSeconds);
    } catch (const CBlockingSocketException&) {
        // The relay is best effort, as the datagrams themselves are.
    }
}

void CUdpEventListener::Deliver(std::span<const std::uint8_t> datagram)
{
    std::lock_guard targetLock(m_targetMutex);
    if (!m_target)
        return;  // the slot stays the current one
    const int slot = m_current;
    {
        std::lock_guard ringLock(m_ringMutex);
        std::copy(datagram.begin(), datagram.end(), m_slots[static_cast<std::size_t>(slot)].begin());
        m_lengths[static_cast<std::size_t>(slot)] = static_cast<std::uint8_t>(datagram.size());
    }
    m_current = (slot + 1) % kSlotCount;
    m_target->Post(m_message, static_cast<std::uint64_t>(slot), 0);
}
