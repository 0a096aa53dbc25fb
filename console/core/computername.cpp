#include "computername.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

namespace {
constexpr int kMaxNameLength = 99;
}

QString ComputerName()
{
    std::array<char, kMaxNameLength + 1> name{};
    if (gethostname(name.data(), name.size() - 1) != 0)
        return {};
    return QString::fromLocal8Bit(name.data());
}

std::optional<std::string> ResolveIpv4Address(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.toLocal8Bit().constData(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    std::array<char, INET_ADDRSTRLEN> text{};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const bool formatted = inet_ntop(AF_INET, &address->sin_addr, text.data(), text.size()) != nullptr;
    freeaddrinfo(found);
    if (!formatted)
        return std::nullopt;
    return std::string(text.data());
}
