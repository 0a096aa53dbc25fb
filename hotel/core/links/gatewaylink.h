#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace lodgix {

// Where the internet-access gateway is reached: requests go to the address (the LAN's broadcast by
// default) and port, replies come to the reply port on every local address. Registry.ini [Network] may
// give other ports and an address, so that tests and a second installation on one computer keep apart.
struct GatewayLink {
    static inline const QString kPortName = QStringLiteral("GatewayPort");
    static inline const QString kReplyPortName = QStringLiteral("GatewayReplyPort");
    static inline const QString kAddressName = QStringLiteral("GatewayAddress");

    std::uint16_t port = 2212;
    std::uint16_t replyPort = 2213;
    std::string address = "255.255.255.255";
    int sendSeconds = 5;   // for the request to leave
    int replySeconds = 5;  // for the reply to come

    static GatewayLink FromRegistry();
};

}  // namespace lodgix
