#include "pbxlink.h"

#include "channeltesting.h"
#include "pbxlanenvelope.h"
#include "pseudoterminal.h"
#include "registrykey.h"
#include "tempsuite.h"
#include "trafficlog.h"
#include "waitfor.h"

#include <gtest/gtest.h>

namespace {

class PbxLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        terminal = PseudoTerminal::Open();
        ASSERT_TRUE(terminal);
        ASSERT_TRUE(RegistryKey(QStringLiteral("SerialPorts")).WriteString(QStringLiteral("COM5"), terminal->SlavePath()));
        ASSERT_TRUE(log.Open(logFolder.Path()));
        settings = PbxLinkSettings{LanChannelSettings{0, pbx.Port(), "127.0.0.1"}, &log};
    }

    TempSuite suite;
    LogFolder logFolder;
    CTrafficLog log;
    std::unique_ptr<PseudoTerminal> terminal;
    LanPeer pbx;
    PbxLinkSettings settings;
    RecordingTarget target;
};

TEST_F(PbxLinkTest, ResourceNameDecidesTheChannel)
{
    const struct {
        const char* name;
        EngineErrorCode result;
        int kind;  // -1: no channel
        bool lan;
    } cases[] = {
        {"\\\\.\\COM5", kNoError, CPbxChannel::kSerialKind, false},
        {"ETH0", kNoError, CPbxChannel::kLanKind, true},
        {"ETH", kResourceNotAvailable, -1, false},
        {"COM5", kResourceNotAvailable, -1, false},
        {"", kResourceNotAvailable, -1, false},
        {"\\\\.\\COM", kResourceNotAvailable, CPbxChannel::kSerialKind, false},
        {"\\\\.\\COMX", kResourceNotAvailable, CPbxChannel::kSerialKind, false},
    };
    for (const auto& c : cases) {
        CPbxLink link(settings);
        EXPECT_EQ(link.Open(QString::fromLatin1(c.name), &target, 0, 1, 512, 512), c.result) << c.name;
        EXPECT_EQ(link.Channel() ? link.Channel()->Kind() : -1, c.kind) << c.name;
        EXPECT_EQ(link.IsLanChannel(), c.lan) << c.name;
        EXPECT_EQ(link.IsOpen(), c.result == kNoError) << c.name;
        EXPECT_EQ(link.ResourceName(), QString::fromLatin1(c.name));
    }
    CPbxLink tooLong(settings);
    EXPECT_EQ(tooLong.Open(QStringLiteral("ETH") + QString(62, u'0'), &target, 0, 1, 512, 512), kResourceNotAvailable);
    EXPECT_EQ(tooLong.Channel(), nullptr);
}

TEST_F(PbxLinkTest, WithoutAChannelNothingHappens)
{
    CPbxLink link(settings);
    const Bytes frame = Frame(60);
    EXPECT_EQ(link.Close(), kResourceNotOpen);
    EXPECT_EQ(link.Setup(9600, 8, 0, 0), kResourceNotOpen);
    EXPECT_EQ(link.Send(frame.data(), frame.size(), nullptr, nullptr, false, 0), kResourceNotOpen);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.GetFrameSlot(0), nullptr);
    EXPECT_EQ(link.GetFrameLength(0), 0u);
    EXPECT_EQ(link.SetRemoteAddress("127.0.0.1", 61), 0u);
    EXPECT_EQ(link.LanAddressText(), "");
    link.SetNotifyTarget(&target);
}

TEST_F(PbxLinkTest, OperationsReachTheLanChannel)
{
    CPbxLink link(settings);
    ASSERT_EQ(link.Open(QStringLiteral("ETH0"), nullptr, 0, 4, 512, 512), kNoError);
    EXPECT_EQ(link.Setup(9600, 8, 0, 0), kNoError);
    link.SetNotifyTarget(&target);
    const auto* channel = dynamic_cast<CUdpChannel*>(link.Channel());
    ASSERT_TRUE(channel);

    pbx.SendTo(channel->LocalPort(), BuildPbxAnnouncement("127.0.0.1"));
    ASSERT_TRUE(WaitFor([&] { return link.LanAddressText() == "127.0.0.1"; }));
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(Frame(60, {2})));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(target.At(0).lParam, 4);
    EXPECT_EQ(Bytes(link.GetFrameSlot(0), link.GetFrameSlot(0) + link.GetFrameLength(0)), Frame(60, {2}));

    const Bytes request = Frame(0x25);
    auto answered = std::make_shared<Event>(Event::Reset::Manual);
    std::shared_ptr<PbxRequestRecord> record;
    ASSERT_EQ(link.Send(request.data(), request.size(), answered, &record, true, 10000), kNoError);
    EXPECT_EQ(pbx.Receive(), BuildLanFrameDatagram(request));
    pbx.SendTo(channel->LocalPort(), BuildLanFrameDatagram(Frame(0x25, {1, 2, 3, 4, 5, 6})));
    ASSERT_TRUE(answered->Wait(std::chrono::seconds(10)));
    EXPECT_EQ(record->answer, Frame(0x25, {1, 2, 3, 4, 5, 6}));

    EXPECT_EQ(link.Close(), kNoError);
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(PbxLinkTest, DestroyingTheLinkLetsGoOfThePort)
{
    {
        CPbxLink link(settings);
        ASSERT_EQ(link.Open(QStringLiteral("\\\\.\\COM5"), &target, 0, 0, 512, 512), kNoError);
        CPbxLink second(settings);
        EXPECT_EQ(second.Open(QStringLiteral("\\\\.\\COM5"), &target, 0, 1, 512, 512), kResourceAccessDenied);
        // Opening again replaces the channel, closing the first.
        EXPECT_EQ(link.Open(QStringLiteral("\\\\.\\COM5"), &target, 0, 0, 512, 512), kNoError);
    }
    CPbxLink again(settings);
    EXPECT_EQ(again.Open(QStringLiteral("\\\\.\\COM5"), &target, 0, 0, 512, 512), kNoError);
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("CLOSE")).size(), 2);
}

}  // namespace
