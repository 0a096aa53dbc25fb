#include "tapidriverpeer.h"

#include "socketaddress.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr std::size_t kLargestText = 2048;

}  // namespace

TapiDriverPeer::TapiDriverPeer(std::uint16_t port)
{
    m_socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (m_socket < 0)
        return;
    sockaddr_in address = MakeSocketAddress(kLoopback, port);
    socklen_t length = sizeof(address);
    if (::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(m_socket);
        m_socket = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
}

TapiDriverPeer::~TapiDriverPeer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool TapiDriverPeer::SendTo(std::uint16_t port, const QByteArray& text) const
{
    const sockaddr_in address = MakeSocketAddress(kLoopback, port);
    return ::sendto(m_socket, text.constData(), static_cast<std::size_t>(text.size()), 0,
                    reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == text.size();
}

QList<QByteArray> TapiDriverPeer::ReceiveUntil(const QByteArray& marker, int seconds, bool* arrived) const
{
    QList<QByteArray> texts;
    if (arrived)
        *arrived = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd descriptor{m_socket, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0)
            return texts;
        char buffer[kLargestText];
        const ssize_t size = ::recv(m_socket, buffer, sizeof(buffer), 0);
        if (size < 0)
            return texts;
        const QByteArray text(buffer, size);
        if (text == marker) {
            if (arrived)
                *arrived = true;
            return texts;
        }
        texts << text;
    }
}
