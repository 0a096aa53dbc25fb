#include "socketaddress.h"

#include <arpa/inet.h>

sockaddr_in MakeSocketAddress(const std::string& dottedAddress, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = inet_addr(dottedAddress.c_str());
    return address;
}

sockaddr_in AnySocketAddress(std::uint16_t port)
{
    return MakeSocketAddress(static_cast<std::uint32_t>(INADDR_ANY), port);
}

sockaddr_in MakeSocketAddress(std::uint32_t hostOrderAddress, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(hostOrderAddress);
    return address;
}

std::string AddressText(const sockaddr_in& address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return text;
}

std::uint16_t PortOf(const sockaddr_in& address)
{
    return ntohs(address.sin_port);
}

std::uint32_t HostOrderAddress(const sockaddr_in& address)
{
    return ntohl(address.sin_addr.s_addr);
}
