// This program drives the simulator through the console's PBX links and their channels.
#include "simulatorlinktesting.h"

#include "framebytes.h"
#include "pbxframebuilders.h"
#include "pbxlinkpeer.h"
#include "registrykey.h"

namespace {

constexpr int kFirstRequestMs = 3000;

}  // namespace

std::vector<LinkKind> TestedLinks() { return {LinkKind::kSerialChannel, LinkKind::kLanChannel}; }

std::vector<LinkKind> TestedSerialLinks() { return {LinkKind::kSerialChannel}; }

std::unique_ptr<EnginePeer> ConnectEnginePeer(LinkKind kind, SimulatorThread& simulator)
{
    if (kind == LinkKind::kSerialChannel) {
        // The engine of installation mode 4 opens COM98, which the simulator publishes.
        if (!simulator.AddSerialPort(PublishedSerialPath(kSimulatorSerialPort)).isEmpty())
            return nullptr;
        auto peer = std::make_unique<PbxLinkPeer>();
        if (peer->Open(QStringLiteral("\\\\.\\COM%1").arg(kSimulatorSerialPort)) != kNoError)
            return nullptr;
        return peer;
    }
    const std::uint16_t port = simulator.AddLanPort(0);
    if (port == 0)
        return nullptr;
    PbxLinkSettings settings;
    settings.lan = LanChannelSettings{0, port, "127.0.0.1"};
    auto peer = std::make_unique<PbxLinkPeer>(settings);
    if (peer->Open(QStringLiteral("ETH0")) != kNoError)
        return nullptr;
    // The first initialization request brings the announcements, after which the PBX knows the engine.
    std::uint8_t request[kPbxFrameHeaderSize];
    if (peer->Exchange(ToByteArray({request, BuildInitializationRequestFrame(request)}), true, kFirstRequestMs).status != kNoError)
        return nullptr;
    return peer;
}
