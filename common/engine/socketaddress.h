#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <string>

// IPv4 socket addresses (sockaddr_in) as the sockets of the suite use them.

// The address of dotted text ("127.0.0.1") and a port. Text that is no dotted address gives
// 255.255.255.255, as inet_addr does.
sockaddr_in MakeSocketAddress(const std::string& dottedAddress, std::uint16_t port);
// 0.0.0.0 and the port: every local address.
sockaddr_in AnySocketAddress(std::uint16_t port);
// The IPv4 address in host order (127.0.0.1 is 0x7F000001).
sockaddr_in MakeSocketAddress(std::uint32_t hostOrderAddress, std::uint16_t port);

std::string AddressText(const sockaddr_in& address);     // "127.0.0.1"
std::uint16_t PortOf(const sockaddr_in& address);        // host order
std::uint32_t HostOrderAddress(const sockaddr_in& address);
