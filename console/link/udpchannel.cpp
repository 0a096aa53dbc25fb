#include "udpchannel.h"

#include "pbxcode.h"
#include "pbxcommandclass.h"
#include "socketaddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <system_error>
#include <vector>

namespace {

// The request that makes the channel announce itself first: an initialization read without payload.
bool IsInitializationRequest(const std::uint8_t* frame, std::size_t length)
{
    return length > 3 && frame[0] == kPbxSync && frame[1] == kPbxSync &&
           frame[kPbxCodeOffset] == PbxCode::kInitializationRead && frame[kPbxPayloadLengthOffset] == 0;
}

bool IsDottedAddress(const std::string& text)
{
    in_addr address{};
    return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

// The local address of the route to the remote.
std::optional<std::string> RouteAddress(const sockaddr_in& remote)
{
    const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (handle < 0)
        return std::nullopt;
    const int on = 1;
    ::setsockopt(handle, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    std::optional<std::string> text;
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::connect(handle, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0 &&
        ::getsockname(handle, reinterpret_cast<sockaddr*>(&local), &size) == 0 && local.sin_addr.s_addr != INADDR_ANY)
        text = AddressText(local);
    ::close(handle);
    return text;
}

// The first IPv4 address of this computer's name.
std::optional<std::string> HostNameAddress()
{
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0)
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.data(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    const std::string text = AddressText(*reinterpret_cast<const sockaddr_in*>(found->ai_addr));
    ::freeaddrinfo(found);
    return text;
}

}  // namespace

CUdpChannel::CUdpChannel(LanChannelSettings settings, CTrafficLog* log)
    : CPbxChannelBase(log), m_settings(std::move(settings))
{
}

CUdpChannel::~CUdpChannel()
{
    if (m_bound)
        Close();
    StopSending();
}

EngineErrorCode CUdpChannel::Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                                  std::int64_t tag, std::size_t, std::size_t)
{
    std::unique_lock life(LifeMutex());
    if (m_bound) {
        Log(" OPEN " + resourceName.toStdString(), false, kResourceAlreadyOpen);
        return kResourceAlreadyOpen;
    }
    SetNotification(target, message, tag);
    ForgetWriteFailure();
    try {
        m_socket.Create(CBlockingSocket::kDatagram);
        m_socket.Bind(AnySocketAddress(m_settings.localPort));
        m_localPort = PortOf(m_socket.GetSockAddr());
        m_sendSocket.Create(CBlockingSocket::kDatagram);
        m_sendSocket.EnableBroadcast();
    } catch (const CBlockingSocketException&) {
        return FailOpen(resourceName, kResourceNotAvailable);
    }
    {
        std::lock_guard lock(m_addressMutex);
        m_remote = MakeSocketAddress(m_settings.broadcastAddress, m_settings.pbxPort);
        m_pbxSource.reset();
        m_pbxAddressText.clear();
    }
    try {
        m_receiveThread = std::thread(&CUdpChannel::Receive, this);
    } catch (const std::system_error&) {
        return FailOpen(resourceName, kResourceAlreadyOpen);
    }
    m_bound = true;
    Log(" OPEN " + resourceName.toStdString(), true, kNoError);
    return kNoError;
}

EngineErrorCode CUdpChannel::FailOpen(const QString& resourceName, EngineErrorCode code)
{
    Log(" OPEN " + resourceName.toStdString(), false, code);
    Shut();
    ClearNotification();
    return code;
}

EngineErrorCode CUdpChannel::Close()
{
    std::unique_lock life(LifeMutex());
    if (!m_bound)
        return kResourceNotOpen;
    ClearNotification();
    Shut();
    Log(" CLOSE", true, kNoError);
    return kNoError;
}

void CUdpChannel::Shut()
{
    m_socket.Interrupt();
    if (m_receiveThread.joinable())
        m_receiveThread.join();
    StopSending([this] { m_sendSocket.Interrupt(); });
    m_socket.CloseSilently();
    m_sendSocket.CloseSilently();
    m_bound = false;
}

EngineErrorCode CUdpChannel::Setup(int, int, int, int)
{
    return kNoError;
}

EngineErrorCode CUdpChannel::Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                                  std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs)
{
    std::shared_lock life(LifeMutex());
    if (!m_bound)
        return kResourceNotOpen;
    if (frame && IsInitializationRequest(frame, length)) {
        if (const EngineErrorCode queued = QueueAnnouncement(); queued != kNoError)
            return queued;
    }
    return Queue(frame, length, std::move(answerEvent), record, answerExpected, timeoutMs);
}

EngineErrorCode CUdpChannel::QueueAnnouncement()
{
    const auto address = LocalAddressText();
    if (!address)
        return kResourceAccessDenied;
    const auto announcement = BuildEngineAnnouncement(m_localPort, *address);
    return Queue(announcement.data(), announcement.size(), nullptr, nullptr, true, kAnnouncementTimeoutMs);
}

std::optional<std::string> CUdpChannel::LocalAddressText() const
{
    std::optional<sockaddr_in> remote;
    {
        std::lock_guard lock(m_addressMutex);
        remote = m_remote;
    }
    if (remote) {
        if (auto routed = RouteAddress(*remote))
            return routed;
    }
    return HostNameAddress();
}

std::uint32_t CUdpChannel::SetRemoteAddress(const std::string& host, std::uint16_t port)
{
    std::lock_guard lock(m_addressMutex);
    m_remote = RemoteAddress(host, port);
    m_pbxSource.reset();
    return inet_addr(host.c_str());
}

std::string CUdpChannel::PbxAddressText() const
{
    std::lock_guard lock(m_addressMutex);
    return m_pbxAddressText;
}

EngineErrorCode CUdpChannel::WriteFrame(std::span<const std::uint8_t> bytes)
{
    std::optional<sockaddr_in> remote;
    {
        std::lock_guard lock(m_addressMutex);
        remote = m_remote;
    }
    EngineErrorCode code = kResourceNotOpen;
    if (remote) {
        const std::vector<std::uint8_t> datagram = bytes[0] == kPbxSync
                                                       ? BuildLanFrameDatagram(bytes)
                                                       : std::vector<std::uint8_t>(bytes.begin(), bytes.end());
        try {
            const std::size_t sent = m_sendSocket.SendDatagram(datagram.data(), datagram.size(), *remote, kSendTimeoutSeconds);
            code = sent == datagram.size() ? kNoError : kWriteFailed;
        } catch (const CBlockingSocketException&) {
            code = kResourceAccessDenied;
        }
    }
    if (code != kNoError && remote)
        NoteWriteFailed();
    Log(" SEND PACKET", code == kNoError, code, bytes);
    return code;
}

sockaddr_in CUdpChannel::RemoteAddress(const std::string& host, std::uint16_t port) const
{
    if (inet_addr(host.c_str()) == INADDR_NONE)
        return MakeSocketAddress(m_settings.broadcastAddress, port);
    return MakeSocketAddress(host, port);
}

void CUdpChannel::Receive()
{
    std::array<std::uint8_t, kMaxLanDatagramSize> buffer{};
    for (;;) {
        sockaddr_in from{};
        std::size_t received = 0;
        try {
            received = m_socket.ReceiveDatagram(buffer.data(), buffer.size(), &from);
        } catch (const CBlockingSocketException&) {
            return;  // interrupted by Close, or the socket failed
        }
        OnDatagram(std::span<const std::uint8_t>(buffer.data(), received), from);
    }
}

void CUdpChannel::OnDatagram(std::span<const std::uint8_t> datagram, const sockaddr_in& from)
{
    Log(" RECEIVE PACKET", true, kNoError, datagram);
    if (datagram.size() <= kLanEnvelopeHeaderSize || !AcceptsSender(from))
        return;
    switch (datagram[kLanKindOffset]) {
    case kLanAnnouncementKind:
        if (const auto address = ParsePbxAnnouncement(datagram); address && IsDottedAddress(*address)) {
            AdoptPbx(*address, from);
            DeliverAnswer(datagram);
        }
        break;
    case kLanFrameKind:
        if (const auto frame = ParseLanFrameDatagram(datagram); frame && IsPbxFrameCode((*frame)[kPbxCodeOffset]))
            RouteFrame(*frame);
        break;
    default:
        break;
    }
}

bool CUdpChannel::AcceptsSender(const sockaddr_in& from) const
{
    std::lock_guard lock(m_addressMutex);
    return !m_pbxSource || *m_pbxSource == HostOrderAddress(from);
}

void CUdpChannel::AdoptPbx(const std::string& address, const sockaddr_in& from)
{
    std::lock_guard lock(m_addressMutex);
    m_remote = RemoteAddress(address, m_settings.pbxPort);
    m_pbxSource = HostOrderAddress(from);
    m_pbxAddressText = address;
}
