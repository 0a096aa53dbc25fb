#include "eventsender.h"

#include "blockingsocket.h"
#include "clientregistry.h"
#include "socketaddress.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWaitSeconds = 5;
constexpr std::uint32_t kSecondLoopback = 0x7F000002;
constexpr std::uint32_t kThirdLoopback = 0x7F000003;

// A workstation's event port: a UDP socket on one loopback address.
class Workstation {
public:
    explicit Workstation(std::uint32_t address, std::uint16_t port = 0)
    {
        m_socket.Create(CBlockingSocket::kDatagram);
        // Room for a full queue's worth of small datagrams.
        const int size = 1 << 20;
        ::setsockopt(m_socket.Handle(), SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
        m_socket.Bind(MakeSocketAddress(address, port));
    }
    std::uint16_t Port() const { return PortOf(m_socket.GetSockAddr()); }
    Bytes Next()
    {
        Bytes buffer(512);
        buffer.resize(m_socket.Receive(buffer.data(), buffer.size(), kWaitSeconds));
        return buffer;
    }

private:
    CBlockingSocket m_socket;
};

Bytes Frame(std::uint8_t code, std::size_t payloadSize, std::uint8_t fill = 0)
{
    Bytes frame{0x16, 0x16, code, static_cast<std::uint8_t>(payloadSize)};
    frame.resize(payloadSize + 4, fill);
    return frame;
}

Bytes Datagram(std::uint8_t pbx, const Bytes& frame)
{
    Bytes datagram{pbx};
    datagram.insert(datagram.end(), frame.begin(), frame.end());
    return datagram;
}

TEST(EventSender, WithNoWorkstationRegisteredTheEventStillReachesThisComputer)
{
    Workstation local(ClientRegistry::kLocalAddress);
    ClientRegistry registry;
    CEventSender sender(&registry, local.Port());
    sender.Start();
    const Bytes frame = Frame(65, 3, 7);
    EXPECT_EQ(sender.QueueToClients(2, frame), kNoError);
    EXPECT_EQ(local.Next(), Datagram(2, frame));
    // Once only: the next datagram is the next event.
    EXPECT_EQ(sender.QueueToClients(1, Frame(60, 0)), kNoError);
    EXPECT_EQ(local.Next(), Datagram(1, Frame(60, 0)));
}

TEST(EventSender, EveryRegisteredWorkstationGetsTheDatagram)
{
    Workstation local(ClientRegistry::kLocalAddress);
    Workstation second(kSecondLoopback, local.Port());
    Workstation third(kThirdLoopback, local.Port());
    ClientRegistry registry;
    registry.AddOrRefreshClient(kSecondLoopback);
    registry.AddOrRefreshClient(kThirdLoopback);
    CEventSender sender(&registry, local.Port());
    sender.Start();
    const Bytes frame = Frame(51, 2, 1);
    EXPECT_EQ(sender.QueueToClients(0, frame), kNoError);
    EXPECT_EQ(local.Next(), Datagram(0, frame));
    EXPECT_EQ(second.Next(), Datagram(0, frame));
    EXPECT_EQ(third.Next(), Datagram(0, frame));
}

TEST(EventSender, AFrameOf127BytesIsSentAndOneOf128IsRefusedWith59)
{
    Workstation local(ClientRegistry::kLocalAddress);
    ClientRegistry registry;
    CEventSender sender(&registry, local.Port());
    sender.Start();
    EXPECT_EQ(sender.QueueToClients(0, Frame(70, 124)), kDatagramTooLong);
    EXPECT_EQ(sender.QueueToLocalhost(Bytes(129, 1)), kDatagramTooLong);
    EXPECT_EQ(sender.QueueToClients(0, Frame(70, 123, 5)), kNoError);
    const Bytes received = local.Next();
    EXPECT_EQ(received.size(), 128u);
    EXPECT_EQ(received, Datagram(0, Frame(70, 123, 5)));
}

TEST(EventSender, WithoutARegistryQueueToClientsSendsNothing)
{
    Workstation local(ClientRegistry::kLocalAddress);
    CEventSender sender(nullptr, local.Port());
    sender.Start();
    EXPECT_EQ(sender.QueueToClients(0, Frame(60, 1)), kNoError);
    const Bytes line{'R', 'I', 'N', 'G', '\r', '\n'};
    EXPECT_EQ(sender.QueueToLocalhost(line), kNoError);
    EXPECT_EQ(local.Next(), line);
}

TEST(EventSender, DatagramsQueuedBeforeTheThreadRunsGoOutInOrder)
{
    Workstation local(ClientRegistry::kLocalAddress);
    CEventSender sender(nullptr, local.Port());
    for (std::uint8_t i = 1; i <= 3; ++i)
        ASSERT_EQ(sender.QueueToLocalhost(Bytes(i, i)), kNoError);
    sender.Start();
    sender.Start();  // once only
    for (std::uint8_t i = 1; i <= 3; ++i)
        EXPECT_EQ(local.Next(), Bytes(i, i));
}

TEST(EventSender, AFullQueueDropsTheNewestAndSendsEveryWaitingOne)
{
    Workstation local(ClientRegistry::kLocalAddress);
    CEventSender sender(nullptr, local.Port());
    constexpr int kQueued = CEventSender::kMaxWaiting + 10;
    for (int i = 0; i < kQueued; ++i) {
        const Bytes datagram{static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)};
        EXPECT_EQ(sender.QueueToLocalhost(datagram), i < CEventSender::kMaxWaiting ? kNoError : kDatagramNotSent) << i;
    }
    sender.Start();
    for (int i = 0; i < CEventSender::kMaxWaiting; ++i)
        ASSERT_EQ(local.Next(), (Bytes{static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)})) << i;
    // What was dropped never comes: the next datagram is the next one queued.
    EXPECT_EQ(sender.QueueToLocalhost(Bytes{0xEE}), kNoError);
    EXPECT_EQ(local.Next(), Bytes{0xEE});
}

TEST(EventSender, SendDatagramReportsWhatCouldNotBeSent)
{
    Workstation local(ClientRegistry::kLocalAddress);
    const CEventSender sender(nullptr, local.Port());
    EXPECT_EQ(sender.SendDatagram(Bytes(128, 3), ClientRegistry::kLocalAddress), kNoError);
    EXPECT_EQ(local.Next(), Bytes(128, 3));
    EXPECT_EQ(sender.SendDatagram(Bytes(129, 3), ClientRegistry::kLocalAddress), kDatagramTooLong);
    // No UDP datagram can go to port 0.
    const CEventSender nowhere(nullptr, 0);
    EXPECT_EQ(nowhere.SendDatagram(Bytes{1}, ClientRegistry::kLocalAddress), kDatagramNotSent);
}

TEST(EventSender, StopEndsTheThreadAndQueueingGoesOnWithoutIt)
{
    Workstation local(ClientRegistry::kLocalAddress);
    CEventSender sender(nullptr, local.Port());
    sender.Start();
    sender.Stop();
    sender.Stop();
    EXPECT_EQ(sender.QueueToLocalhost(Bytes{9}), kNoError);
    sender.Start();
    EXPECT_EQ(local.Next(), Bytes{9});
}

}  // namespace
