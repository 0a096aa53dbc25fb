// This program drives the simulator through the tests' own peers.
#include "simulatorlinktesting.h"

#include "lanenginepeer.h"
#include "registrykey.h"
#include "serialpeer.h"

std::vector<LinkKind> TestedLinks() { return {LinkKind::kSerial, LinkKind::kLan}; }

std::vector<LinkKind> TestedSerialLinks() { return {LinkKind::kSerial}; }

std::unique_ptr<EnginePeer> ConnectEnginePeer(LinkKind kind, SimulatorThread& simulator)
{
    if (kind == LinkKind::kSerial) {
        const QString link = PublishedSerialPath(kSimulatorSerialPort);
        if (!simulator.AddSerialPort(link).isEmpty())
            return nullptr;
        auto serial = std::make_unique<SerialPeer>(SerialDevicePath(kSimulatorSerialPort));
        return serial->IsOpen() ? std::move(serial) : nullptr;
    }
    const std::uint16_t port = simulator.AddLanPort(0);
    if (port == 0)
        return nullptr;
    auto lan = std::make_unique<LanEnginePeer>(port);
    if (lan->Announce(3000) != std::optional<std::string>("127.0.0.1"))
        return nullptr;
    return lan;
}
