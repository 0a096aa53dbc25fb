// This program drives the simulator through the console's PBX channels.
#include "simulatorlinktesting.h"

#include "channelpeer.h"
#include "framebytes.h"
#include "pbxframebuilders.h"
#include "registrykey.h"
#include "serialchannel.h"
#include "udpchannel.h"

namespace {

constexpr std::int64_t kTag = 0;
constexpr std::size_t kQueueSize = 512;
constexpr int kBaudRate = 9600;
constexpr int kDataBits = 8;
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
        auto channel = std::make_unique<CSerialChannel>();
        if (channel->Open(QStringLiteral("\\\\.\\COM%1").arg(kSimulatorSerialPort), nullptr, 0, kTag, kQueueSize,
                          kQueueSize) != kNoError ||
            channel->Setup(kBaudRate, kDataBits, 0, 0) != kNoError)
            return nullptr;
        return std::make_unique<ChannelPeer>(std::move(channel));
    }
    const std::uint16_t port = simulator.AddLanPort(0);
    if (port == 0)
        return nullptr;
    auto channel = std::make_unique<CUdpChannel>(LanChannelSettings{0, port, "127.0.0.1"});
    if (channel->Open(QStringLiteral("ETH0"), nullptr, 0, kTag, kQueueSize, kQueueSize) != kNoError)
        return nullptr;
    auto peer = std::make_unique<ChannelPeer>(std::move(channel));
    // The first initialization request brings the announcements, after which the PBX knows the engine.
    std::uint8_t request[kPbxFrameHeaderSize];
    if (peer->Exchange(ToByteArray({request, BuildInitializationRequestFrame(request)}), true, kFirstRequestMs).status != kNoError)
        return nullptr;
    return peer;
}
