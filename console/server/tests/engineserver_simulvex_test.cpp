// The whole request path: CEngineClient -> CEngineServer -> CPbxLink (serial on COM98 and LAN on loopback)
// -> the Simulvex program, and the event path back: ping, relay, CEventSender -> CUdpEventListener.
#include "engineserver.h"

#include "calllogrecord.h"
#include "engineclient.h"
#include "eventsender.h"
#include "messagetarget.h"
#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"
#include "servertesting.h"
#include "simulvexprocess.h"
#include "socketaddress.h"
#include "udpeventlistener.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <ostream>
#include <vector>

namespace {

constexpr int kSeconds = 6;
constexpr int kLongSeconds = 30;  // a request that must not run into its time-out
constexpr int kSerialPbx = 0;
constexpr int kLanPbx = 1;
constexpr int kUnlinkedPbx = 2;
constexpr std::uint32_t kEventMessage = WM_USER + 100;

struct TypedRequest {
    const char* name;
    std::function<EngineErrorCode(const CEngineClient&, std::uint8_t pbx)> call;
};

const std::vector<TypedRequest>& TypedRequests()
{
    static const std::vector<TypedRequest> requests = {
        {"ReadInitialization", [](const CEngineClient& c, std::uint8_t p) { PbxInitialization r; return c.ReadInitialization(p, r, kSeconds); }},
        {"ReadSystemConfiguration", [](const CEngineClient& c, std::uint8_t p) { PbxSystemConfiguration r; return c.ReadSystemConfiguration(p, r, kSeconds); }},
        {"RequestStateEvents", [](const CEngineClient& c, std::uint8_t p) { return c.RequestStateEvents(p, 1, kSeconds); }},
        {"ReadProgrammation system", [](const CEngineClient& c, std::uint8_t p) { ProgrammingRecord r; return c.ReadProgrammation(p, kObjectSystem, 0, r, kSeconds); }},
        {"ReadProgrammation extension", [](const CEngineClient& c, std::uint8_t p) { ProgrammingRecord r; return c.ReadProgrammation(p, kObjectExtension, 7, r, kSeconds); }},
        {"ReadProgrammation line", [](const CEngineClient& c, std::uint8_t p) { ProgrammingRecord r; return c.ReadProgrammation(p, kObjectLine, 3, r, kSeconds); }},
        {"ReadProgrammation entry phone", [](const CEngineClient& c, std::uint8_t p) { ProgrammingRecord r; return c.ReadProgrammation(p, kObjectEntryPhone, 1, r, kSeconds); }},
        {"ReadProgrammation relay", [](const CEngineClient& c, std::uint8_t p) { ProgrammingRecord r; return c.ReadProgrammation(p, kObjectRelay, 1, r, kSeconds); }},
        {"ReadStatus extension", [](const CEngineClient& c, std::uint8_t p) { PbxStatusBytes r; return c.ReadStatus(p, kObjectExtension, 0, r, kSeconds); }},
        {"ReadStatus line", [](const CEngineClient& c, std::uint8_t p) { PbxStatusBytes r; return c.ReadStatus(p, kObjectLine, 3, r, kSeconds); }},
        {"ReadStatus entry phone", [](const CEngineClient& c, std::uint8_t p) { PbxStatusBytes r; return c.ReadStatus(p, kObjectEntryPhone, 1, r, kSeconds); }},
        {"ReadClock", [](const CEngineClient& c, std::uint8_t p) { PbxClockBytes r; return c.ReadClock(p, r, kSeconds); }},
        {"SetClock", [](const CEngineClient& c, std::uint8_t p) { return c.SetClock(p, {1, 2, 24, 3, 4, 5}, kSeconds); }},
        {"ReadCallLogRecord first", [](const CEngineClient& c, std::uint8_t p) { CallLogRecord r; return c.ReadCallLogRecord(p, 2, false, r, kSeconds); }},
        {"ReadCallLogRecord next", [](const CEngineClient& c, std::uint8_t p) { CallLogRecord r; return c.ReadCallLogRecord(p, 2, true, r, kSeconds); }},
        {"ClearCallLog one", [](const CEngineClient& c, std::uint8_t p) { return c.ClearCallLog(p, 2, kSeconds); }},
        {"ClearCallLog all", [](const CEngineClient& c, std::uint8_t p) { return c.ClearCallLog(p, kAllExtensions, kSeconds); }},
        {"ReadWakeUp", [](const CEngineClient& c, std::uint8_t p) { WakeUpBytes r; return c.ReadWakeUp(p, 5, r, kSeconds); }},
        {"OffHook with key", [](const CEngineClient& c, std::uint8_t p) { return c.OffHook(p, 1, false, kSeconds); }},
        {"OnHook with key", [](const CEngineClient& c, std::uint8_t p) { return c.OnHook(p, 1, false, kSeconds); }},
        {"OffHook this station", [](const CEngineClient& c, std::uint8_t p) { return c.OffHook(p, kThisStation, true, kSeconds); }},
        {"SendDigits this station", [](const CEngineClient& c, std::uint8_t p) { return c.SendDigits(p, kThisStation, "12", kSeconds); }},
        {"OnHook this station", [](const CEngineClient& c, std::uint8_t p) { return c.OnHook(p, kThisStation, true, kSeconds); }},
        {"SendDigits extension", [](const CEngineClient& c, std::uint8_t p) { return c.SendDigits(p, 3, "4", kSeconds); }},
        {"PressKey64", [](const CEngineClient& c, std::uint8_t p) { return c.PressKey64(p, 3, kSeconds); }},
        {"SendKeys", [](const CEngineClient& c, std::uint8_t p) { const std::uint8_t keys[] = {64, 0}; return c.SendKeys(p, 3, keys, kSeconds); }},
        {"DialNumber with relay", [](const CEngineClient& c, std::uint8_t p) { return c.DialNumber(p, 4, "21", true, nullptr, kSeconds); }},
        {"PingServer", [](const CEngineClient& c, std::uint8_t) { return c.PingServer(); }},
        {"SendToClients", [](const CEngineClient& c, std::uint8_t p) { const std::uint8_t frame[] = {0x16, 0x16, 0x0D, 0x02, 4, '1'}; return c.SendToClients(p, frame); }},
    };
    return requests;
}

// The engine's side of the link list: COM98 as PBX 0 and the LAN as PBX 1, both reaching the same
// simulated PBX; PBX 2 has no link.
class EngineServerSimulvexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(suite.IsValid());
        ASSERT_TRUE(simulvex.Start(suite)) << simulvex.Error().toStdString();

        table.links[kSerialPbx] = std::make_shared<CPbxLink>();
        ASSERT_EQ(table.links[kSerialPbx]->Open(QStringLiteral("\\\\.\\COM%1").arg(SimulvexProcess::kSerialResource),
                                               nullptr, 0, kSerialPbx, 512, 512),
                  kNoError);
        ASSERT_EQ(table.links[kSerialPbx]->Setup(9600, 8, 0, 0), kNoError);
        PbxLinkSettings lan;
        lan.lan = LanChannelSettings{0, simulvex.LanPort(), "127.0.0.1"};
        table.links[kLanPbx] = std::make_shared<CPbxLink>(lan);
        ASSERT_EQ(table.links[kLanPbx]->Open(QStringLiteral("ETH0"), nullptr, 0, kLanPbx, 512, 512), kNoError);

        ASSERT_TRUE(server.StartOn(MakeSocketAddress(kLoopback, 0)));
        client = std::make_unique<CEngineClient>("127.0.0.1", server.Port());
        client->SetSleepFunction([](std::chrono::milliseconds) {});
        // As at the engine's start: the first request of the LAN link, an initialization read, brings the
        // announcements, after which PBX and engine know each other.
        PbxInitialization initialization;
        ASSERT_EQ(client->ReadInitialization(kLanPbx, initialization, kSeconds), kNoError);
    }

    void Do(const QString& line) { ASSERT_TRUE(simulvex.Command(line).startsWith(QLatin1String("OK"))) << line.toStdString(); }

    TempSuite suite{QStringLiteral("Pultex")};
    SimulvexProcess simulvex;
    LinkTable table;
    CEngineServer server{kPbxCount, table.Lookup()};
    std::unique_ptr<CEngineClient> client;
};

class EngineServerLinkTest : public EngineServerSimulvexTest, public ::testing::WithParamInterface<int> {
protected:
    std::uint8_t Pbx() const { return static_cast<std::uint8_t>(GetParam()); }
};

std::string LinkName(const ::testing::TestParamInfo<int>& info)
{
    return info.param == kSerialPbx ? "Serial" : "Lan";
}

TEST_P(EngineServerLinkTest, EveryTypedRequestSucceeds)
{
    Do("calllog add 2 2024-03-04 10:11:12 75 1 0612345");
    for (const TypedRequest& request : TypedRequests())
        EXPECT_EQ(request.call(*client, Pbx()), kNoError) << request.name;
}

TEST_P(EngineServerLinkTest, APbxWithoutLinkGives33)
{
    PbxClockBytes clock{};
    EXPECT_EQ(client->ReadClock(kUnlinkedPbx, clock, kSeconds), kServerUnknownTarget);
    EXPECT_EQ(client->ReadClock(kPbxCount, clock, kSeconds), kServerUnknownTarget);
    EXPECT_EQ(client->ReadClock(Pbx(), clock, kSeconds), kNoError);
}

TEST_P(EngineServerLinkTest, SilenceEndsWithinTheBudget)
{
    Do("fault silence on");
    // One request: the channel's time-out (the budget less 4 seconds) ends it, and its 30 is the reply.
    PbxClockBytes clock{};
    EXPECT_EQ(client->ReadClock(Pbx(), clock, 5), kChannelTimeout);

    // Requests queued behind each other on the silent channel: those that the channel cannot finish
    // within the server's wait get 31, still within the caller's time.
    constexpr int kRequests = 6;
    std::vector<std::future<EngineErrorCode>> results;
    for (int i = 0; i < kRequests; ++i)
        results.push_back(std::async(std::launch::async, [this] {
            PbxClockBytes read{};
            return client->ReadClock(Pbx(), read, 5);
        }));
    int serverTimeouts = 0;
    for (auto& result : results) {
        const EngineErrorCode code = result.get();
        EXPECT_TRUE(code == kServerTimeout || code == kChannelTimeout) << int(code);
        serverTimeouts += code == kServerTimeout;
    }
    EXPECT_GE(serverTimeouts, 1);
}

TEST_P(EngineServerLinkTest, ANoAnswerCommandIsRepliedToAtOnce)
{
    Do("fault silence on");
    Do("frames clear");
    // Waiting for an answer would end only with the channel's time-out of 25 seconds, as 30.
    EXPECT_EQ(client->OffHook(Pbx(), 1, true, kLongSeconds), kNoError);
    EXPECT_EQ(client->SendDigits(Pbx(), 1, "5", kLongSeconds), kNoError);
    EXPECT_EQ(client->OnHook(Pbx(), 1, true, kLongSeconds), kNoError);
    Do("fault off");
    PbxClockBytes clock{};
    EXPECT_EQ(client->ReadClock(Pbx(), clock, kSeconds), kNoError);
    const QString frames = simulvex.Command(QStringLiteral("frames"));
    EXPECT_TRUE(frames.contains(QLatin1String("16160E0101")) && frames.contains(QLatin1String("161610020135")) &&
                frames.contains(QLatin1String("1616000101")))
        << frames.toStdString();
}

TEST_P(EngineServerLinkTest, TheAddressQueryGivesTheLanPbxsAddressText)
{
    EngineReply reply;
    const EngineErrorCode result = client->Transact(EngineRequestHeader::kAddressTargetBase + Pbx(), {}, reply, kSeconds);
    if (Pbx() == kLanPbx) {
        ASSERT_EQ(result, kNoError);
        const std::string text = "127.0.0.1";
        EXPECT_EQ(Bytes(reply.Bytes().begin(), reply.Bytes().end()), Bytes(text.c_str(), text.c_str() + text.size() + 1));
    } else {
        EXPECT_EQ(result, kServerUnknownTarget);
        EXPECT_EQ(reply.length, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Links, EngineServerLinkTest, ::testing::Values(kSerialPbx, kLanPbx), LinkName);

// The datagrams a workstation's listener posted, each copied out of its slot.
class Workstation : public MessageTarget {
public:
    Workstation() : m_listener(this, kEventMessage, false) {}

    bool Start(std::uint32_t address, std::uint16_t port)
    {
        return m_listener.StartOn(MakeSocketAddress(address, port));
    }
    std::uint16_t Port() const { return m_listener.LocalPort(); }

    void Post(std::uint32_t, std::uint64_t slot, std::int64_t) override
    {
        Bytes bytes = m_listener.CopySlot(static_cast<int>(slot));
        std::lock_guard lock(m_mutex);
        m_datagrams.push_back(std::move(bytes));
        m_changed.notify_all();
    }

    // The first `count` datagrams, once they have come.
    std::vector<Bytes> Take(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_datagrams.size() >= count; });
        return m_datagrams;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Bytes> m_datagrams;
    CUdpEventListener m_listener;
};

TEST_F(EngineServerSimulvexTest, PingedWorkstationsGetEveryRelayedFrameOnce)
{
    // This computer and two workstations, all listening on the same event port of their own address.
    Workstation local;
    ASSERT_TRUE(local.Start(kLoopback, 0));
    const std::uint16_t eventPort = local.Port();
    Workstation second;
    Workstation third;
    ASSERT_TRUE(second.Start(0x7F000002, eventPort));
    ASSERT_TRUE(third.Start(0x7F000003, eventPort));
    CEventSender sender(&server.Clients(), eventPort);
    sender.Start();
    server.SetEventSender(&sender);

    EXPECT_EQ(PingFrom(0x7F000002, server.Port()), kNoError);
    EXPECT_EQ(PingFrom(0x7F000003, server.Port()), kNoError);
    EXPECT_EQ(client->PingServer(), kNoError);  // this computer: entry 0, not a second entry

    const Bytes first = MakeFrame(0x0D, {4, '7'});
    const Bytes next = MakeFrame(0x0D, {4, '8'});
    EXPECT_EQ(client->SendToClients(kLanPbx, first), kNoError);
    EXPECT_EQ(client->SendToClients(kSerialPbx, next), kNoError);
    Bytes firstDatagram{kLanPbx};
    firstDatagram.insert(firstDatagram.end(), first.begin(), first.end());
    Bytes nextDatagram{kSerialPbx};
    nextDatagram.insert(nextDatagram.end(), next.begin(), next.end());
    for (Workstation* workstation : {&local, &second, &third})
        EXPECT_EQ(workstation->Take(2), (std::vector<Bytes>{firstDatagram, nextDatagram}));
    server.SetEventSender(nullptr);
}

}  // namespace
