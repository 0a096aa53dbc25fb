// The simulator's LAN port: whom it answers and when it announces itself.
#include "framebytes.h"
#include "lanenginepeer.h"
#include "pbxframebuilders.h"
#include "pbxlanenvelope.h"
#include "simulatorthread.h"
#include "socketaddress.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 3000;

QByteArray ClockRequestDatagram()
{
    std::uint8_t frame[kPbxFrameHeaderSize];
    return ToByteArray(BuildLanFrameDatagram({frame, BuildClockReadFrame(frame)}));
}

// Sends one datagram from a fresh socket, as the engine sends each request.
void SendFromFreshSocket(std::uint16_t port, const QByteArray& datagram)
{
    const int socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in to = MakeSocketAddress("127.0.0.1", port);
    ::sendto(socket, datagram.constData(), static_cast<size_t>(datagram.size()), 0,
             reinterpret_cast<const sockaddr*>(&to), sizeof to);
    ::close(socket);
}

TEST(SimulatorLanPortTest, AnswersGoToTheAnnouncedPortWhicheverSocketAsked)
{
    SimulatorThread simulator;
    const std::uint16_t port = simulator.AddLanPort(0);
    ASSERT_NE(port, 0);
    LanEnginePeer engine(port);
    ASSERT_EQ(engine.Announce(kWaitMs), std::optional<std::string>("127.0.0.1"));

    SendFromFreshSocket(port, ClockRequestDatagram());
    const auto frame = ParseLanFrameDatagram(FrameBytes(engine.ReceiveDatagram(kWaitMs)));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->size(), 10u);
}

TEST(SimulatorLanPortTest, BeforeAnyAnnouncementTheDefaultEnginePortIsAnswered)
{
    SimulatorThread simulator;
    LanEnginePeer engine(0);
    const std::uint16_t port = simulator.AddLanPort(engine.Port());
    ASSERT_NE(port, 0);
    SendFromFreshSocket(port, ClockRequestDatagram());
    EXPECT_TRUE(ParseLanFrameDatagram(FrameBytes(engine.ReceiveDatagram(kWaitMs))));
}

TEST(SimulatorLanPortTest, SilentPbxDoesNotAnnounceItself)
{
    SimulatorThread simulator;
    const std::uint16_t port = simulator.AddLanPort(0);
    ASSERT_EQ(simulator.Command(QStringLiteral("fault silence on")), QStringLiteral("OK silence"));
    LanEnginePeer engine(port);
    EXPECT_EQ(engine.Announce(500), std::nullopt);
    ASSERT_EQ(simulator.Command(QStringLiteral("fault off")), QStringLiteral("OK none"));
    EXPECT_EQ(engine.Announce(kWaitMs), std::optional<std::string>("127.0.0.1"));
}

}  // namespace
