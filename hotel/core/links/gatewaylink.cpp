#include "gatewaylink.h"

#include "registrykey.h"

namespace lodgix {

GatewayLink GatewayLink::FromRegistry()
{
    GatewayLink link;
    link.port = static_cast<std::uint16_t>(NetworkPort(kPortName, link.port));
    link.replyPort = static_cast<std::uint16_t>(NetworkPort(kReplyPortName, link.replyPort));
    const QString address = RegistryKey(QStringLiteral("Network")).ReadString(kAddressName).trimmed();
    if (!address.isEmpty())
        link.address = address.toStdString();
    return link;
}

}  // namespace lodgix
