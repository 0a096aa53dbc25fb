#include "udpchannel.h"

#include "channeltesting.h"
#include "pbxlanenvelope.h"
#include "socketaddress.h"
#include "trafficlog.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

using namespace std::chrono_literals;

constexpr std::int64_t kTag = 3;

// A LAN channel on a free port whose PBX is a peer on 127.0.0.1.
class UdpChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(log.Open(logFolder.Path()));
        channel = std::make_unique<CUdpChannel>(LanChannelSettings{0, pbx.Port(), "127.0.0.1"}, &log);
        ASSERT_EQ(channel->Open(QStringLiteral("ETH0"), &target, 0, kTag, 512, 512), kNoError);
    }

    std::shared_ptr<PbxRequestRecord> Request(const Bytes& frame, int timeoutMs = kLongMs)
    {
        return SendRequest(*channel, frame, timeoutMs);
    }
    static bool Finished(const std::shared_ptr<PbxRequestRecord>& record) { return RequestFinished(record); }
    Bytes SlotBytes(int slot) const { return FrameSlotBytes(*channel, slot); }

    LogFolder logFolder;
    CTrafficLog log;
    LanPeer pbx;
    RecordingTarget target;
    std::unique_ptr<CUdpChannel> channel;
};

TEST_F(UdpChannelTest, RequestIsWrappedAndItsAnswerFinishesTheRecord)
{
    const Bytes request = Frame(0x22, {1, 5});
    const auto record = Request(request);
    EXPECT_EQ(pbx.Receive(), BuildLanFrameDatagram(request));

    const Bytes answer = Frame(0x22, {1, 5, 2, 9});
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(answer));
    ASSERT_TRUE(Finished(record));
    EXPECT_EQ(record->status, kNoError);
    EXPECT_EQ(record->answer, answer);
    EXPECT_EQ(target.Count(), 0u);

    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("SEND PACKET")),
              QStringList{"SERIAL:\tSERIAL3 SEND PACKET\tSUCCESS\t0\t16\t16\t22\t02\t01\t05\r\n"});
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("RECEIVE PACKET")),
              QStringList{"SERIAL:\tSERIAL3 RECEIVE PACKET\tSUCCESS\t0\tb0\t00\t08\t16\t16\t22\t04\t01\t05\t02\t09\r\n"});
    EXPECT_EQ(logFolder.Lines().first(), "SERIAL:\tSERIAL3 OPEN ETH0\tSUCCESS\t0\r\n");
}

TEST_F(UdpChannelTest, InitializationRequestGoesAfterTheAnnouncementToTheAnnouncedAddress)
{
    const Bytes request = Frame(0x1E);
    const auto record = Request(request);

    const auto announcement = ParseEngineAnnouncement(pbx.Receive());
    ASSERT_TRUE(announcement);
    EXPECT_EQ(announcement->port, channel->LocalPort());
    EXPECT_EQ(announcement->address, "127.0.0.1");

    pbx.SendTo(channel->LocalPort(), BuildPbxAnnouncement("127.0.0.1"));
    EXPECT_EQ(pbx.Receive(), BuildLanFrameDatagram(request));
    const Bytes answer = Frame(0x1E, {4, 4, 4});
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(answer));
    ASSERT_TRUE(Finished(record));
    EXPECT_EQ(record->answer, answer);
    EXPECT_EQ(channel->PbxAddressText(), "127.0.0.1");
}

TEST_F(UdpChannelTest, EventWhileARequestWaitsIsPostedAndDoesNotEndTheWait)
{
    const auto record = Request(Frame(0x22, {1, 0}));
    ASSERT_FALSE(pbx.Receive().empty());

    const Bytes event = Frame(60, {1, 7, 2});
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(event));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(target.At(0).message, CPbxChannelBase::DefaultMessage());
    EXPECT_EQ(target.At(0).wParam, 0xFFFF0000u);
    EXPECT_EQ(target.At(0).lParam, kTag);
    EXPECT_EQ(SlotBytes(0), event);
    EXPECT_FALSE(record->answerEvent->IsSignalled());

    const Bytes answer = Frame(0x22, {1, 0, 2});
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(answer));
    ASSERT_TRUE(Finished(record));
    EXPECT_EQ(record->answer, answer);
    EXPECT_EQ(target.Count(), 1u);
}

TEST_F(UdpChannelTest, AnswerThatNeverComesGives30AfterTheTimeOut)
{
    constexpr int kTimeoutMs = 200;
    const auto start = std::chrono::steady_clock::now();
    const auto record = Request(Frame(0x22, {1, 0}), kTimeoutMs);
    ASSERT_TRUE(Finished(record));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kTimeoutMs));
    EXPECT_EQ(record->status, kChannelTimeout);
    EXPECT_TRUE(record->answer.empty());
}

TEST_F(UdpChannelTest, MalformedFrameDatagramsAreDroppedAndOnlyLoggedAsReceived)
{
    const Bytes malformed[] = {
        {0xB0, 0x00, 0x05, 0x16, 0x16, 0x3C, 0x02, 0x01},        // inner length disagrees
        BuildLanFrameDatagram(Frame(0x11, {1})),                 // a code the PBX never sends
        {0xB0, 0x00, 0x04, 0x15, 0x16, 0x3C, 0x00},              // no sync
        {0xB0, 0x00},                                            // too short
        {0xC0, 0x00, 0x04, 0x16, 0x16, 0x3C, 0x00},              // unknown kind
        {},                                                      // empty: does not end the receiving
    };
    for (const Bytes& datagram : malformed)
        pbx.SendTo(channel->LocalPort(), datagram);
    // The envelope's length field is not read: the datagram's size counts, the frame's own length byte decides.
    pbx.SendTo(channel->LocalPort(), Bytes{0xB0, 0x00, 0x09, 0x16, 0x16, 0x3C, 0x01, 0x07});
    const Bytes event = Frame(60);
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(event));

    ASSERT_TRUE(WaitFor([&] { return target.Count() == 2; }));
    EXPECT_EQ(SlotBytes(0), Frame(60, {7}));
    EXPECT_EQ(SlotBytes(1), event);
    const QStringList received = logFolder.LinesWith(QStringLiteral("RECEIVE PACKET"));
    ASSERT_EQ(received.size(), std::size(malformed) + 2);
    EXPECT_EQ(received[0], "SERIAL:\tSERIAL3 RECEIVE PACKET\tSUCCESS\t0\tb0\t00\t05\t16\t16\t3c\t02\t01\r\n");
    EXPECT_EQ(logFolder.Lines().size(), received.size() + 1);  // and the open line
}

TEST_F(UdpChannelTest, SlotsHoldFramesLongerThanAHundredBytes)
{
    Bytes payload(255);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(i);
    const Bytes event = Frame(60, payload);
    const Bytes next = Frame(61, {9});
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(event));
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(next));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 2; }));
    EXPECT_EQ(SlotBytes(0), event);
    EXPECT_EQ(SlotBytes(1), next);
    EXPECT_EQ(channel->GetFrameSlot(100), nullptr);
    EXPECT_EQ(channel->GetFrameLength(-1), 0u);
}

TEST_F(UdpChannelTest, OnceThePbxHasAnnouncedItselfOnlyItsAddressIsHeard)
{
    LanPeer stranger("127.0.0.2");
    stranger.SendTo(channel->LocalPort(), BuildLanFrameDatagram(Frame(60, {1})));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));  // anyone is heard before

    pbx.SendTo(channel->LocalPort(), BuildPbxAnnouncement("127.0.0.1"));
    ASSERT_TRUE(WaitFor([&] { return channel->PbxAddressText() == "127.0.0.1"; }));
    stranger.SendTo(channel->LocalPort(), BuildLanFrameDatagram(Frame(60, {2})));
    stranger.SendTo(channel->LocalPort(), BuildPbxAnnouncement("127.0.0.2"));
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(Frame(60, {3})));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 2; }));
    EXPECT_EQ(SlotBytes(1), Frame(60, {3}));
    EXPECT_EQ(channel->PbxAddressText(), "127.0.0.1");

    // Seeking the PBX anew hears everyone again.
    channel->SetRemoteAddress(std::string(kLanBroadcastAddress), pbx.Port());
    stranger.SendTo(channel->LocalPort(), BuildLanFrameDatagram(Frame(60, {4})));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 3; }));
    EXPECT_EQ(SlotBytes(2), Frame(60, {4}));
}

TEST_F(UdpChannelTest, FortyNinthQueuedSendGives24AndCloseFinishesTheQueue)
{
    // The first is in progress, waiting for an answer that never comes: it has reached the PBX before the
    // others are queued, and its wait outlasts a slow run, so the queue holds exactly the 48 behind it.
    constexpr int kOutlastingMs = 120000;
    std::vector<std::shared_ptr<PbxRequestRecord>> records{Request(Frame(0x22, {1, 0}), kOutlastingMs)};
    ASSERT_EQ(pbx.Receive(), BuildLanFrameDatagram(Frame(0x22, {1, 0})));
    for (int i = 1; i < 49; ++i)
        records.push_back(Request(Frame(0x22, {1, static_cast<std::uint8_t>(i)}), kOutlastingMs));
    const Bytes frame = Frame(0x22, {1, 99});
    EXPECT_EQ(channel->Send(frame.data(), frame.size(), nullptr, nullptr, true, kLongMs), kSendQueueFull);

    EXPECT_EQ(channel->Close(), kNoError);
    for (const auto& record : records) {
        ASSERT_TRUE(record);
        EXPECT_TRUE(record->answerEvent->IsSignalled());
        EXPECT_EQ(record->status, kResourceNotOpen);
    }
    EXPECT_EQ(channel->Send(frame.data(), frame.size(), nullptr, nullptr, true, kLongMs), kResourceNotOpen);
    EXPECT_EQ(logFolder.Lines().last(), "SERIAL:\tSERIAL3 CLOSE\tSUCCESS\t0\r\n");
}

TEST_F(UdpChannelTest, FailedSendLogsFailAndItsCode)
{
    channel->SetRemoteAddress("127.0.0.1", 0);  // no datagram can go to port 0
    std::shared_ptr<PbxRequestRecord> record;
    const Bytes frame = Frame(0x22, {1, 0});
    ASSERT_EQ(channel->Send(frame.data(), frame.size(), std::make_shared<Event>(Event::Reset::Manual), &record,
                            true, kLongMs),
              kNoError);
    ASSERT_TRUE(Finished(record));
    EXPECT_EQ(record->status, kResourceAccessDenied);
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("SEND PACKET")),
              QStringList{"SERIAL:\tSERIAL3 SEND PACKET\tFAIL\t3\t16\t16\t22\t02\t01\t00\r\n"});
}

TEST_F(UdpChannelTest, CloseWakesTheReceiveAndFreesThePort)
{
    const std::uint16_t port = channel->LocalPort();
    EXPECT_EQ(channel->Open(QStringLiteral("ETH0"), &target, 0, kTag, 512, 512), kResourceAlreadyOpen);
    EXPECT_EQ(channel->Close(), kNoError);
    EXPECT_FALSE(channel->IsOpen());
    EXPECT_EQ(channel->Close(), kResourceNotOpen);

    CUdpChannel again(LanChannelSettings{port, pbx.Port(), "127.0.0.1"}, &log);
    EXPECT_EQ(again.Open(QStringLiteral("ETH0"), &target, 0, kTag, 512, 512), kNoError);
    CUdpChannel taken(LanChannelSettings{port, pbx.Port(), "127.0.0.1"}, &log);
    EXPECT_EQ(taken.Open(QStringLiteral("ETH0"), &target, 0, 4, 512, 512), kResourceNotAvailable);
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("SERIAL4 OPEN")),
              QStringList{"SERIAL:\tSERIAL4 OPEN ETH0\tFAIL\t2\r\n"});
}

TEST_F(UdpChannelTest, AnswerCodeBeforeAnyRequestGoesToASlot)
{
    // Until the first request nothing can wait for an answer, so nothing is lost as a stray answer.
    const Bytes acknowledgement = {0x16, 0x16, 32, 3, 0x3C, 0, 0};
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(acknowledgement));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(SlotBytes(0), acknowledgement);
    EXPECT_EQ(channel->Kind(), CPbxChannel::kLanKind);
    EXPECT_EQ(channel->Setup(9600, 8, 0, 0), kNoError);
}

TEST_F(UdpChannelTest, SendsFromOtherThreadsAreSafeAgainstCloseAndOpen)
{
    SendWhileReopening(*channel, [&] { return channel->Open(QStringLiteral("ETH0"), &target, 0, kTag, 512, 512); }, 20);
}

}  // namespace
