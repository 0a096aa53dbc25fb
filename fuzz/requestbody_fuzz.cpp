// A whole request as a client sends it to the engine's request server over TCP: the 3-byte header, then
// as much of the body as the input holds. A request cut short gets no reply; a whole one gets exactly one
// reply that echoes the budget and carries the status its target and body call for. PBX 0 has a link that
// is not open (so a body that is a frame reaches it), PBX 1 none; relays go to a real event sender.
#include "blockingsocket.h"
#include "engineserver.h"
#include "eventsender.h"
#include "pbxframe.h"
#include "pbxlink.h"
#include "socketaddress.h"

#include <sys/socket.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr int kPbxCount = 2;
constexpr int kSeconds = 5;

struct Engine {
    Engine()
    {
        sink.Create(CBlockingSocket::kDatagram);
        sink.Bind(MakeSocketAddress(kLoopback, 0));
        sender = std::make_unique<CEventSender>(&server.Clients(), PortOf(sink.GetSockAddr()));
        if (!server.StartOn(MakeSocketAddress(kLoopback, 0)))
            std::abort();
        sender->Start();
        server.SetEventSender(sender.get());
    }
    ~Engine() { server.SetEventSender(nullptr); }

    std::shared_ptr<CPbxLink> closedLink = std::make_shared<CPbxLink>();
    CEngineServer server{kPbxCount, [this](int pbx) { return pbx == 0 ? closedLink : nullptr; }};
    // Where the relayed events go once a ping registered this computer; nobody reads them.
    CBlockingSocket sink;
    std::unique_ptr<CEventSender> sender;
};

bool IsFrame(std::span<const std::uint8_t> body)
{
    return body.size() >= kPbxFrameHeaderSize && body[0] == kPbxSync && body[1] == kPbxSync &&
           body.size() == std::size_t{body[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize;
}

// The statuses a whole request may get.
std::vector<EngineErrorCode> ExpectedStatuses(const EngineRequestHeader& header, std::span<const std::uint8_t> body)
{
    const std::uint8_t target = header.target;
    if (target <= EngineRequestHeader::kMaxPbxTarget)
        return {target == 0 && IsFrame(body) ? kResourceNotOpen : kServerUnknownTarget};
    if (target == EngineRequestHeader::kPingTarget)
        return {kNoError};
    if (target >= EngineRequestHeader::kAddressTargetBase)
        return {kServerUnknownTarget};
    if (body.size() + 1 > PbxEventDatagram::kMaxSize)
        return {kDatagramTooLong};
    return {kNoError, kDatagramNotSent};  // the latter only when the sender's queue is full
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Engine engine;
    const std::span<const std::uint8_t> input(data, size);
    const bool whole = size >= EngineRequestHeader::kSize &&
                       size - EngineRequestHeader::kSize >= std::size_t{input[1]};
    // Bytes past the body are never read by the server, and unread bytes would reset the connection.
    const std::span<const std::uint8_t> request =
        whole ? input.first(EngineRequestHeader::kSize + input[1]) : input;

    CBlockingSocket socket;
    socket.Create(CBlockingSocket::kStream);
    socket.Connect(MakeSocketAddress(kLoopback, engine.server.Port()));
    if (!request.empty())
        socket.SendFull(request.data(), request.size(), kSeconds);
    ::shutdown(socket.Handle(), SHUT_WR);  // a request cut short ends here, not after the server's wait

    std::array<std::uint8_t, 3 + kMaxRequestFrameSize> reply{};
    const std::size_t got = socket.ReceiveFull(reply.data(), reply.size(), kSeconds);
    if (!whole) {
        if (got != 0)
            std::abort();
        return 0;
    }
    const EngineRequestHeader header = EngineRequestHeader::Decode(request.data());
    const auto body = request.subspan(EngineRequestHeader::kSize);
    if (got < 3 || got != 3u + reply[0] || reply[0] != 0 || reply[1] != header.budget)
        std::abort();
    const auto expected = ExpectedStatuses(header, body);
    if (std::find(expected.begin(), expected.end(), static_cast<EngineErrorCode>(reply[2])) == expected.end())
        std::abort();
    return 0;
}
