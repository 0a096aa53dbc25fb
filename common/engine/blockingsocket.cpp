#include "blockingsocket.h"

#include <algorithm>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace {

using Clock = std::chrono::steady_clock;

int TimeoutMs(int seconds)
{
    return seconds < 0 ? -1 : seconds * 1000;
}

// Milliseconds left until the deadline, never negative.
int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

Clock::time_point DeadlineAfter(int seconds)
{
    return Clock::now() + std::chrono::seconds(seconds < 0 ? 0 : seconds);
}

[[noreturn]] void ThrowErrno(const char* operation)
{
    throw CBlockingSocketException(operation, errno);
}

}  // namespace

CBlockingSocket::~CBlockingSocket()
{
    CloseSilently();
}

void CBlockingSocket::Open(int handle, const char* operation)
{
    const int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        const int error = errno;
        ::close(handle);
        throw CBlockingSocketException(operation, error);
    }
    std::lock_guard lock(m_wakeMutex);
    m_handle = handle;
    m_wakeFd = wakeFd;
}

void CBlockingSocket::Create(int type)
{
    CloseSilently();
    const int handle = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (handle < 0)
        ThrowErrno("Create");
    Open(handle, "Create");
}

void CBlockingSocket::Bind(const sockaddr_in& address)
{
    int type = 0;
    socklen_t typeSize = sizeof type;
    if (::getsockopt(m_handle, SOL_SOCKET, SO_TYPE, &type, &typeSize) == 0 && type == kStream) {
        const int on = 1;
        ::setsockopt(m_handle, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    if (::bind(m_handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        ThrowErrno("Bind");
}

void CBlockingSocket::Listen()
{
    if (::listen(m_handle, kListenBacklog) != 0)
        ThrowErrno("Listen");
}

bool CBlockingSocket::Accept(CBlockingSocket& connected, sockaddr_in* peer)
{
    connected.CloseSilently();
    try {
        WaitFor(POLLIN, -1, "Accept");
    } catch (const CBlockingSocketException& failure) {
        if (failure.IsInterrupted())
            return false;
        throw;
    }
    sockaddr_in address{};
    socklen_t addressSize = sizeof address;
    const int handle = ::accept4(m_handle, reinterpret_cast<sockaddr*>(&address), &addressSize, SOCK_CLOEXEC);
    if (handle < 0) {
        if (errno == EINTR)
            return false;
        ThrowErrno("Accept");
    }
    connected.Open(handle, "Accept");
    if (peer)
        *peer = address;
    return true;
}

void CBlockingSocket::Close()
{
    if (m_handle < 0)
        return;
    int handle = -1;
    {
        std::lock_guard lock(m_wakeMutex);
        handle = m_handle;
        m_handle = -1;
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
    if (::close(handle) != 0)
        ThrowErrno("Close");
}

void CBlockingSocket::CloseSilently() noexcept
{
    try {
        Close();
    } catch (const CBlockingSocketException&) {
    }
}

void CBlockingSocket::Connect(const sockaddr_in& address)
{
    if (::connect(m_handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        ThrowErrno("Connect");
}

bool CBlockingSocket::WaitFor(short events, int timeoutMs, const char* operation) const
{
    if (m_handle < 0)
        throw CBlockingSocketException(operation, EBADF);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    int wait = timeoutMs;
    for (;;) {
        pollfd fds[2] = {{m_handle, events, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, wait);
        if (ready < 0 && errno != EINTR)
            ThrowErrno(operation);
        if (ready > 0 && fds[1].revents != 0)
            throw CBlockingSocketException(operation, EINTR);
        if (ready > 0)
            return true;  // errors and hang-ups show as readiness: the following call reports them
        if (ready == 0)
            return false;
        // A signal, not a stop request: wait on for what is left.
        if (timeoutMs >= 0)
            wait = RemainingMs(deadline);
    }
}

std::size_t CBlockingSocket::SendOnce(const void* data, std::size_t length, const char* operation) const
{
    for (;;) {
        const ssize_t sent = ::send(m_handle, data, length, MSG_NOSIGNAL);
        if (sent >= 0)
            return static_cast<std::size_t>(sent);
        if (errno != EINTR)
            ThrowErrno(operation);
    }
}

std::size_t CBlockingSocket::Send(const void* data, std::size_t length, int seconds)
{
    if (!WaitFor(POLLOUT, TimeoutMs(seconds), "Send"))
        throw CBlockingSocketException("Send timeout", 0);
    return SendOnce(data, length, "Send");
}

void CBlockingSocket::SendFull(const void* data, std::size_t length, int seconds)
{
    const Clock::time_point deadline = DeadlineAfter(seconds);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t done = 0;
    do {
        if (!WaitFor(POLLOUT, seconds < 0 ? -1 : RemainingMs(deadline), "Send"))
            throw CBlockingSocketException("Send timeout", 0);
        done += SendOnce(bytes + done, length - done, "Send");
    } while (done < length);
}

std::size_t CBlockingSocket::Receive(void* buffer, std::size_t size, int seconds)
{
    if (!WaitFor(POLLIN, TimeoutMs(seconds), "Receive"))
        throw CBlockingSocketException("Receive timeout", 0);
    for (;;) {
        const ssize_t received = ::recv(m_handle, buffer, size, 0);
        if (received >= 0)
            return static_cast<std::size_t>(received);
        if (errno != EINTR)
            ThrowErrno("Receive");
    }
}

std::size_t CBlockingSocket::ReceiveFull(void* buffer, std::size_t size, int seconds)
{
    const Clock::time_point deadline = DeadlineAfter(seconds);
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        if (!WaitFor(POLLIN, seconds < 0 ? -1 : RemainingMs(deadline), "Receive")) {
            if (done == 0)
                throw CBlockingSocketException("Receive timeout", 0);
            break;  // cut short: the caller sees the shorter count
        }
        const ssize_t received = ::recv(m_handle, bytes + done, size - done, 0);
        if (received < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno("Receive");
        }
        if (received == 0)
            break;  // the peer has closed
        done += static_cast<std::size_t>(received);
    }
    return done;
}

std::size_t CBlockingSocket::ReceiveDatagram(void* buffer, std::size_t size, sockaddr_in* from, bool* truncated)
{
    return ReceiveDatagram(buffer, size, kNoTimeout, from, truncated);
}

std::size_t CBlockingSocket::ReceiveDatagram(void* buffer, std::size_t size, int seconds, sockaddr_in* from,
                                             bool* truncated)
{
    if (!WaitFor(POLLIN, TimeoutMs(seconds), "ReceiveDatagram"))
        throw CBlockingSocketException("Receive timeout", 0);
    sockaddr_in address{};
    socklen_t addressSize = sizeof address;
    for (;;) {
        // MSG_TRUNC: the datagram's whole length is returned even where the buffer held only its start.
        const ssize_t received =
            ::recvfrom(m_handle, buffer, size, MSG_TRUNC, reinterpret_cast<sockaddr*>(&address), &addressSize);
        if (received >= 0) {
            if (from)
                *from = address;
            const auto length = static_cast<std::size_t>(received);
            if (truncated)
                *truncated = length > size;
            return std::min(length, size);
        }
        if (errno != EINTR)
            ThrowErrno("ReceiveDatagram");
    }
}

std::size_t CBlockingSocket::SendDatagram(const void* data, std::size_t length, const sockaddr_in& to, int seconds)
{
    if (!WaitFor(POLLOUT, TimeoutMs(seconds), "SendDatagram"))
        throw CBlockingSocketException("Send timeout", 0);
    for (;;) {
        const ssize_t sent =
            ::sendto(m_handle, data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        if (sent >= 0)
            return static_cast<std::size_t>(sent);
        if (errno != EINTR)
            ThrowErrno("SendDatagram");
    }
}

void CBlockingSocket::EnableBroadcast()
{
    const int on = 1;
    if (::setsockopt(m_handle, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0)
        ThrowErrno("SetSockOpt");
}

sockaddr_in CBlockingSocket::GetSockAddr() const
{
    sockaddr_in address{};
    socklen_t addressSize = sizeof address;
    if (::getsockname(m_handle, reinterpret_cast<sockaddr*>(&address), &addressSize) != 0)
        ThrowErrno("GetSockName");
    return address;
}

sockaddr_in CBlockingSocket::GetPeerAddr() const
{
    sockaddr_in address{};
    socklen_t addressSize = sizeof address;
    if (::getpeername(m_handle, reinterpret_cast<sockaddr*>(&address), &addressSize) != 0)
        ThrowErrno("GetPeerName");
    return address;
}

void CBlockingSocket::Interrupt()
{
    std::lock_guard lock(m_wakeMutex);
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    }
}
