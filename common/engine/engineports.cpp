#include "engineports.h"

#include "registrykey.h"

namespace {

std::uint16_t Port(const QString& name, std::uint16_t defaultPort)
{
    return static_cast<std::uint16_t>(NetworkPort(name, defaultPort));
}

}  // namespace

EnginePorts EnginePorts::FromRegistry()
{
    EnginePorts ports;
    ports.requestPort = Port(kRequestPortName, ports.requestPort);
    ports.eventPort = Port(kEventPortName, ports.eventPort);
    ports.relayPort = Port(kRelayPortName, ports.relayPort);
    ports.tapiCommandPort = Port(kTapiCommandPortName, ports.tapiCommandPort);
    ports.tapiReplyPort = Port(kTapiReplyPortName, ports.tapiReplyPort);
    ports.lanEnginePort = Port(kLanEnginePortName, ports.lanEnginePort);
    ports.lanPbxPort = Port(kLanPbxPortName, ports.lanPbxPort);
    const QString broadcast = RegistryKey(QStringLiteral("Network")).ReadString(kBroadcastAddressName).trimmed();
    if (!broadcast.isEmpty())
        ports.broadcastAddress = broadcast.toStdString();
    return ports;
}
