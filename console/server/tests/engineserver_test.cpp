#include "engineserver.h"

#include "clientregistry.h"
#include "engineclient.h"
#include "eventsender.h"
#include "pbxcommandclass.h"
#include "servertesting.h"
#include "socketaddress.h"

#include "joinbytes.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <ostream>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kSecondLoopback = 0x7F000002;
constexpr int kLongSeconds = 30;  // a request that must not run into its time-out

// A server of 5 PBXs on an ephemeral loopback port; links are put in the table before Start.
class EngineServerTest : public ::testing::Test {
protected:
    void Start()
    {
        ASSERT_TRUE(server.StartOn(MakeSocketAddress(kLoopback, 0)));
        client = std::make_unique<CEngineClient>("127.0.0.1", server.Port());
    }

    EngineErrorCode Request(std::uint8_t target, const Bytes& body, int seconds = 5)
    {
        EngineReply reply;
        const EngineErrorCode result = client->Transact(target, body, reply, seconds);
        data.assign(reply.data.begin(), reply.data.begin() + static_cast<std::ptrdiff_t>(reply.length));
        return result;
    }

    LinkTable table;
    CEngineServer server{kPbxCount, table.Lookup()};
    std::unique_ptr<CEngineClient> client;
    Bytes data;
};

TEST(EngineServerWait, FollowsTheBudgetWithFiveSecondsAtLeast)
{
    const struct {
        std::uint8_t budget;
        int waitMs;
        int channelMs;
    } cases[] = {{0, 5000, 1000}, {3, 5000, 1000}, {4, 5000, 1000}, {5, 5000, 1000}, {9, 9000, 5000}, {255, 255000, 251000}};
    for (const auto& c : cases) {
        EXPECT_EQ(CEngineServer::WaitTimeMs(c.budget), c.waitMs) << int(c.budget);
        EXPECT_EQ(CEngineServer::ChannelTimeoutMs(c.budget), c.channelMs) << int(c.budget);
    }
}

TEST_F(EngineServerTest, TargetsWithoutALinkGive33AndNoData)
{
    table.links[0] = std::make_shared<CPbxLink>();
    table.links[1] = std::make_shared<CPbxLink>();
    Start();
    const Bytes frame = MakeFrame(34, {1, 0});
    EXPECT_EQ(Request(3, frame), kServerUnknownTarget);
    EXPECT_EQ(Request(7, frame), kServerUnknownTarget);
    EXPECT_EQ(Request(EngineRequestHeader::kMaxPbxTarget, frame), kServerUnknownTarget);
    EXPECT_TRUE(data.empty());
    // A link without a channel answers for itself.
    EXPECT_EQ(Request(1, frame), kResourceNotOpen);
}

TEST_F(EngineServerTest, ABodyThatIsNoFrameGives33BeforeTheLinkIsAsked)
{
    SilentPbx pbx;
    table.links[0] = pbx.OpenLink(0);
    ASSERT_TRUE(table.links[0]);
    Start();
    const struct {
        const char* what;
        Bytes body;
    } cases[] = {
        {"empty", {}},
        {"three bytes", {0x16, 0x16, 34}},
        {"first sync byte", {0x15, 0x16, 34, 0}},
        {"second sync byte", {0x16, 0x17, 34, 0}},
        {"longer than its length byte", {0x16, 0x16, 34, 1, 1, 2}},
        {"shorter than its length byte", {0x16, 0x16, 34, 3, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Request(0, c.body), kServerUnknownTarget);
    }
    // None reached the PBX: the first frame it sees is the next good one.
    EXPECT_EQ(Request(0, MakeFrame(14, {2}), kLongSeconds), kNoError);
    EXPECT_EQ(pbx.NextFrame(), MakeFrame(14, {2}));
}

TEST_F(EngineServerTest, CommandsThePbxDoesNotAnswerAreRepliedToAsSoonAsWritten)
{
    SilentPbx pbx;
    table.links[2] = pbx.OpenLink(2);
    ASSERT_TRUE(table.links[2]);
    Start();
    for (const std::uint8_t code : kNoAnswerCommands) {
        SCOPED_TRACE(int(code));
        // A wait for an answer would run into the channel's time-out of 25 seconds and give 30.
        EXPECT_EQ(Request(2, MakeFrame(code, {4}), kLongSeconds), kNoError);
        EXPECT_TRUE(data.empty());
        EXPECT_EQ(pbx.NextFrame(), MakeFrame(code, {4}));
    }
}

TEST_F(EngineServerTest, ASilentPbxGivesTheChannelsTimeOutAndAQueueThatCannotFinishGives31)
{
    SilentPbx pbx;
    table.links[0] = pbx.OpenLink(0);
    ASSERT_TRUE(table.links[0]);
    Start();
    // Budget 5: the channel gives up after 1 s, within the server's 5 s.
    EXPECT_EQ(Request(0, MakeFrame(37), 5), kChannelTimeout);

    // Six requests at once: the channel takes them one at a time, 1 s each, so the last ones are still
    // queued when the server's 5 s are over.
    constexpr int kRequests = 6;
    std::vector<std::future<EngineErrorCode>> results;
    for (int i = 0; i < kRequests; ++i)
        results.push_back(std::async(std::launch::async, [this] {
            EngineReply reply;
            return client->Transact(0, MakeFrame(37), reply, 5);
        }));
    std::vector<EngineErrorCode> codes;
    for (auto& result : results)
        codes.push_back(result.get());
    EXPECT_GE(std::count(codes.begin(), codes.end(), kServerTimeout), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kServerTimeout) +
                  std::count(codes.begin(), codes.end(), kChannelTimeout),
              kRequests);
}

TEST_F(EngineServerTest, APingRegistersTheCallerAndOneFrom127001RefreshesEntry0)
{
    Start();
    EXPECT_EQ(PingFrom(kSecondLoopback, server.Port()), kNoError);
    EXPECT_EQ(client->PingServer(), kNoError);
    EXPECT_EQ(PingFrom(kSecondLoopback, server.Port()), kNoError);
    EXPECT_EQ(server.CopyClients(), (std::vector<std::uint32_t>{kLoopback, kSecondLoopback}));
}

TEST_F(EngineServerTest, APingTheFullRegistryRefusesGives58)
{
    for (std::uint32_t i = 1; i < ClientRegistry::kMaxEntries; ++i)
        ASSERT_TRUE(server.AddOrRefreshClient(0x0A000000 + i));
    Start();
    EXPECT_EQ(PingFrom(kSecondLoopback, server.Port()), kDatagramNotSent);
    EXPECT_EQ(client->PingServer(), kNoError);  // entry 0 is always there
}

TEST_F(EngineServerTest, RelaysGoToTheEventSenderAndOneTooLongForADatagramGives59)
{
    CBlockingSocket workstation;
    workstation.Create(CBlockingSocket::kDatagram);
    workstation.Bind(MakeSocketAddress(kLoopback, 0));
    CEventSender sender(&server.Clients(), PortOf(workstation.GetSockAddr()));
    sender.Start();
    Start();
    const Bytes event = MakeFrame(65, {1, 2, 7});
    EXPECT_EQ(client->SendToClients(3, event), kNoError);  // dropped: no sender yet

    server.SetEventSender(&sender);
    EXPECT_EQ(client->SendToClients(3, event), kNoError);
    Bytes datagram(256);
    datagram.resize(workstation.Receive(datagram.data(), datagram.size(), 5));
    const Bytes expected = JoinBytes({Bytes{3}, event});
    EXPECT_EQ(datagram, expected);

    EXPECT_EQ(client->SendToClients(3, MakeFrame(65, Bytes(124, 1))), kDatagramTooLong);
    EXPECT_EQ(client->SendToClients(3, MakeFrame(65, Bytes(123, 1))), kNoError);
    datagram.resize(256);
    EXPECT_EQ(workstation.Receive(datagram.data(), datagram.size(), 5), 128u);
    server.SetEventSender(nullptr);
}

TEST_F(EngineServerTest, TheLanAddressQueryNeedsALanLink)
{
    table.links[1] = std::make_shared<CPbxLink>();
    ASSERT_NE(table.links[1]->Open(QStringLiteral("\\\\.\\COM250"), nullptr, 0, 1, 512, 512), kNoError);
    Start();
    EXPECT_EQ(Request(0xC1, {}), kServerUnknownTarget);  // serial
    EXPECT_EQ(Request(0xC2, {}), kServerUnknownTarget);  // no link
    EXPECT_EQ(Request(0xC0 + kPbxCount, {}), kServerUnknownTarget);
}

TEST_F(EngineServerTest, ARequestCutShortIsClosedWithoutReply)
{
    Start();
    EXPECT_TRUE(RawRequest(kLoopback, server.Port(), {0xFF, 1}, true).empty());
    EXPECT_TRUE(RawRequest(kLoopback, server.Port(), {0, 6, 5, 0x16, 0x16, 34}, true).empty());
    // A request begun and left unfinished is closed after the receive time, the connection still open.
    EXPECT_TRUE(RawRequest(kLoopback, server.Port(), {0xFF, 1}).empty());
    // The server goes on serving.
    EXPECT_EQ(client->PingServer(), kNoError);
}

TEST_F(EngineServerTest, StopWakesAConnectionWaitingForThePbxAndClosesItWithoutReply)
{
    SilentPbx pbx;
    table.links[0] = pbx.OpenLink(0);
    ASSERT_TRUE(table.links[0]);
    Start();
    auto result = std::async(std::launch::async, [this] {
        EngineReply reply;
        return client->Transact(0, MakeFrame(34, {1, 0}), reply, 60);
    });
    // The frame reached the PBX: the connection now waits up to 59 s for an answer.
    ASSERT_EQ(pbx.NextFrame(), MakeFrame(34, {1, 0}));
    server.Stop();
    EXPECT_FALSE(server.IsStarted());
    EXPECT_EQ(result.get(), kClientShortHeader);
}

TEST_F(EngineServerTest, StopDoesNotWaitForIdleConnectionsAndTheServerStartsAgain)
{
    Start();
    EXPECT_FALSE(server.Start(0));
    CBlockingSocket idle;
    idle.Create(CBlockingSocket::kStream);
    idle.Connect(MakeSocketAddress(kLoopback, server.Port()));
    // Once the server has answered a ping, it has accepted the idle connection made before it.
    EXPECT_EQ(client->PingServer(), kNoError);
    const auto before = std::chrono::steady_clock::now();
    server.Stop();
    // Woken, not left to the 2-second receive time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1500ms);
    char byte = 0;
    EXPECT_EQ(idle.Receive(&byte, 1, 5), 0u);  // closed

    ASSERT_TRUE(server.StartOn(MakeSocketAddress(kLoopback, 0)));
    EXPECT_EQ(CEngineClient("127.0.0.1", server.Port()).PingServer(), kNoError);
}

// A connection to the server that sends nothing.
std::unique_ptr<CBlockingSocket> Silent(std::uint16_t port)
{
    auto socket = std::make_unique<CBlockingSocket>();
    socket->Create(CBlockingSocket::kStream);
    socket->Connect(MakeSocketAddress(kLoopback, port));
    return socket;
}

// Whether the server closed the connection (within 5 seconds), rather than leaving it open (1 second).
bool ClosedByServer(CBlockingSocket& socket, int seconds)
{
    char byte = 0;
    try {
        return socket.Receive(&byte, 1, seconds) == 0;
    } catch (const CBlockingSocketException&) {
        return false;  // still open: nothing came within the time
    }
}

// At the cap, accepting a connection closes the connection that has waited longest without a request;
// the newer ones stay, and the new one is served.
TEST_F(EngineServerTest, AtTheCapTheLongestIdleConnectionMakesRoom)
{
    server.SetConnectionLimits(3, CEngineServer::kIdleConnectionTime);
    Start();
    EXPECT_EQ(server.ConnectionCap(), 3u);
    std::vector<std::unique_ptr<CBlockingSocket>> silent;
    for (int i = 0; i < 2; ++i)
        silent.push_back(Silent(server.Port()));
    EXPECT_EQ(client->PingServer(), kNoError);  // accepted beside the two: no room was needed
    for (int i = 0; i < 2; ++i)
        silent.push_back(Silent(server.Port()));
    EXPECT_EQ(client->PingServer(), kNoError);  // the fourth and the ping took the places of the first two
    EXPECT_TRUE(ClosedByServer(*silent[0], 5));
    EXPECT_TRUE(ClosedByServer(*silent[1], 5));
    EXPECT_FALSE(ClosedByServer(*silent[2], 1));
    EXPECT_FALSE(ClosedByServer(*silent[3], 1));
}

TEST_F(EngineServerTest, AConnectionSilentForTheIdleTimeIsClosed)
{
    server.SetConnectionLimits(0, 300ms);
    Start();
    const auto silent = Silent(server.Port());
    EXPECT_TRUE(ClosedByServer(*silent, 5));
    EXPECT_EQ(client->PingServer(), kNoError);
}

struct CapCase {
    std::uint64_t limit;
    std::size_t cap;
};

std::ostream& operator<<(std::ostream& out, const CapCase& c) { return out << "limit " << c.limit; }

class EngineServerCapTest : public ::testing::TestWithParam<CapCase> {};

// A quarter of the descriptors stays with the rest of the program, within the bounds.
TEST_P(EngineServerCapTest, FollowsTheDescriptorLimit)
{
    EXPECT_EQ(CEngineServer::ConnectionCapFor(GetParam().limit), GetParam().cap);
}

INSTANTIATE_TEST_SUITE_P(Limits, EngineServerCapTest,
                         ::testing::Values(CapCase{1024, 768}, CapCase{20000, 15000}, CapCase{16, 16}, CapCase{8, 16},
                                           CapCase{1000000, CEngineServer::kMaxConnections},
                                           CapCase{RLIM_INFINITY, CEngineServer::kMaxConnections}));

// A workstation's event port on one loopback address.
class EventPort {
public:
    EventPort(std::uint32_t address, std::uint16_t port)
    {
        m_socket.Create(CBlockingSocket::kDatagram);
        m_socket.Bind(MakeSocketAddress(address, port));
    }
    std::uint16_t Port() const { return PortOf(m_socket.GetSockAddr()); }
    Bytes Next()
    {
        Bytes datagram(256);
        datagram.resize(m_socket.Receive(datagram.data(), datagram.size(), 5));
        return datagram;
    }

private:
    CBlockingSocket m_socket;
};

TEST(EngineServerAgeing, AWorkstationGetsEventsUntil180SecondsAfterItsLastPing)
{
    std::atomic<std::int64_t> elapsedMs{0};
    const auto start = std::chrono::steady_clock::now();
    CEngineServer server(kPbxCount, {}, [&] { return start + std::chrono::milliseconds(elapsedMs.load()); });
    ASSERT_TRUE(server.StartOn(MakeSocketAddress(kLoopback, 0)));
    EventPort local(kLoopback, 0);
    EventPort workstation(kSecondLoopback, local.Port());
    CEventSender sender(&server.Clients(), local.Port());
    sender.Start();
    server.SetEventSender(&sender);
    const CEngineClient client("127.0.0.1", server.Port());
    const auto relay = [&](std::uint8_t digit) {
        EXPECT_EQ(client.SendToClients(0, MakeFrame(0x0D, {1, digit})), kNoError);
        return Bytes{0, 0x16, 0x16, 0x0D, 2, 1, digit};
    };

    ASSERT_EQ(PingFrom(kSecondLoopback, server.Port()), kNoError);
    elapsedMs += 180000;
    const Bytes first = relay('1');
    EXPECT_EQ(local.Next(), first);
    EXPECT_EQ(workstation.Next(), first);

    elapsedMs += 1;
    const Bytes second = relay('2');
    EXPECT_EQ(local.Next(), second);
    // Registered again, the workstation's next datagram is the third: the second never came to it.
    ASSERT_EQ(PingFrom(kSecondLoopback, server.Port()), kNoError);
    const Bytes third = relay('3');
    EXPECT_EQ(workstation.Next(), third);
    EXPECT_EQ(local.Next(), third);
    server.SetEventSender(nullptr);
}

}  // namespace
