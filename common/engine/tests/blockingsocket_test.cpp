#include "blockingsocket.h"

#include "socketaddress.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <thread>

namespace {

// A listening socket on an ephemeral loopback port.
struct Listener {
    CBlockingSocket socket;
    sockaddr_in address{};

    Listener()
    {
        socket.Create(CBlockingSocket::kStream);
        socket.Bind(MakeSocketAddress("127.0.0.1", 0));
        socket.Listen();
        address = socket.GetSockAddr();
    }
};

// A connected pair: client side and the server's accepted side.
struct Pair {
    Listener listener;
    CBlockingSocket client;
    CBlockingSocket served;

    Pair()
    {
        client.Create();
        client.Connect(listener.address);
        sockaddr_in peer{};
        EXPECT_TRUE(listener.socket.Accept(served, &peer));
        EXPECT_EQ(AddressText(peer), "127.0.0.1");
    }
};

TEST(BlockingSocket, BytesTravelBothWays)
{
    Pair pair;
    EXPECT_EQ(pair.client.Send("ping", 4, 2), 4u);
    char buffer[16] = {};
    EXPECT_EQ(pair.served.ReceiveFull(buffer, 4, 2), 4u);
    EXPECT_EQ(std::string(buffer, 4), "ping");
    pair.served.SendFull("pong!", 5, 2);
    EXPECT_EQ(pair.client.ReceiveFull(buffer, 5, 2), 5u);
    EXPECT_EQ(std::string(buffer, 5), "pong!");
}

TEST(BlockingSocket, ReceiveAfterPeerClosedReturnsZero)
{
    Pair pair;
    pair.served.Close();
    char buffer[4];
    EXPECT_EQ(pair.client.Receive(buffer, sizeof buffer, 2), 0u);
}

TEST(BlockingSocket, SilenceThrowsReceiveTimeout)
{
    Pair pair;
    char buffer[4];
    try {
        pair.client.Receive(buffer, sizeof buffer, 0);
        FAIL() << "no time-out";
    } catch (const CBlockingSocketException& failure) {
        EXPECT_EQ(failure.Operation(), "Receive timeout");
        EXPECT_EQ(failure.ErrorCode(), 0);
        EXPECT_EQ(failure.ErrorMessage(), "Receive timeout error");
    }
    EXPECT_THROW(pair.client.ReceiveFull(buffer, sizeof buffer, 0), CBlockingSocketException);
}

TEST(BlockingSocket, ReceiveFullJoinsPiecesAndStopsAtClose)
{
    Pair pair;
    std::thread writer([&pair] {
        pair.served.SendFull("ab", 2, 2);
        pair.served.SendFull("cde", 3, 2);
        pair.served.Close();
    });
    char buffer[16] = {};
    // Asks for more than comes: the count received when the peer closes.
    const std::size_t received = pair.client.ReceiveFull(buffer, 10, 5);
    writer.join();
    EXPECT_EQ(received, 5u);
    EXPECT_EQ(std::string(buffer, received), "abcde");
}

TEST(BlockingSocket, ReceiveFullReturnsWhatCameBeforeTheTimeRanOut)
{
    Pair pair;
    pair.served.SendFull("xy", 2, 2);
    char buffer[8] = {};
    EXPECT_EQ(pair.client.ReceiveFull(buffer, 8, 1), 2u);
}

TEST(BlockingSocket, ConnectToAClosedPortThrows)
{
    sockaddr_in unused{};
    {
        Listener gone;
        unused = gone.address;
    }
    CBlockingSocket client;
    client.Create();
    try {
        client.Connect(unused);
        FAIL() << "connected";
    } catch (const CBlockingSocketException& failure) {
        EXPECT_EQ(failure.Operation(), "Connect");
        EXPECT_EQ(failure.ErrorCode(), ECONNREFUSED);
    }
}

TEST(BlockingSocket, CloseWithoutSocketDoesNothing)
{
    CBlockingSocket socket;
    EXPECT_NO_THROW(socket.Close());
    EXPECT_NO_THROW(socket.Close());
    EXPECT_FALSE(socket.IsOpen());
    socket.Create(CBlockingSocket::kDatagram);
    EXPECT_TRUE(socket.IsOpen());
    socket.Close();
    EXPECT_FALSE(socket.IsOpen());
}

TEST(BlockingSocket, OperationOnAClosedSocketThrows)
{
    CBlockingSocket socket;
    char buffer[4];
    EXPECT_THROW(socket.Receive(buffer, sizeof buffer, CBlockingSocket::kNoTimeout), CBlockingSocketException);
    EXPECT_THROW(socket.ReceiveDatagram(buffer, sizeof buffer), CBlockingSocketException);
}

TEST(BlockingSocket, DatagramsCarryTheirSender)
{
    CBlockingSocket receiver;
    receiver.Create(CBlockingSocket::kDatagram);
    receiver.Bind(MakeSocketAddress("127.0.0.1", 0));
    CBlockingSocket sender;
    sender.Create(CBlockingSocket::kDatagram);
    sender.Bind(MakeSocketAddress("127.0.0.1", 0));

    const std::uint8_t datagram[] = {3, 0x16, 0x16, 13, 0};
    EXPECT_EQ(sender.SendDatagram(datagram, sizeof datagram, receiver.GetSockAddr(), 1), sizeof datagram);
    std::uint8_t buffer[128] = {};
    sockaddr_in from{};
    ASSERT_EQ(receiver.ReceiveDatagram(buffer, sizeof buffer, &from), sizeof datagram);
    EXPECT_EQ(std::memcmp(buffer, datagram, sizeof datagram), 0);
    EXPECT_EQ(PortOf(from), PortOf(sender.GetSockAddr()));
}

TEST(BlockingSocket, TimedDatagramReceiveEndsInSilenceOrTakesWhatCame)
{
    CBlockingSocket receiver;
    receiver.Create(CBlockingSocket::kDatagram);
    receiver.Bind(MakeSocketAddress("127.0.0.1", 0));
    std::uint8_t buffer[4] = {};
    try {
        receiver.ReceiveDatagram(buffer, sizeof buffer, 0);
        FAIL() << "no time-out";
    } catch (const CBlockingSocketException& failure) {
        EXPECT_EQ(failure.Operation(), "Receive timeout");
        EXPECT_FALSE(failure.IsInterrupted());
    }

    CBlockingSocket sender;
    sender.Create(CBlockingSocket::kDatagram);
    const std::uint8_t datagram[] = {1, 2, 3, 4, 5, 6};
    sender.SendDatagram(datagram, sizeof datagram, receiver.GetSockAddr(), 1);
    bool truncated = false;
    EXPECT_EQ(receiver.ReceiveDatagram(buffer, sizeof buffer, 5, nullptr, &truncated), sizeof buffer);
    EXPECT_TRUE(truncated);
}

TEST(BlockingSocket, InterruptEndsAcceptFromAnotherThread)
{
    Listener listener;
    bool accepted = true;
    std::thread server([&] {
        CBlockingSocket connection;
        accepted = listener.socket.Accept(connection);
    });
    listener.socket.Interrupt();
    server.join();
    EXPECT_FALSE(accepted);
    listener.socket.Close();
}

TEST(BlockingSocket, InterruptEndsReceiveAndReceiveDatagram)
{
    Pair pair;
    CBlockingSocket datagrams;
    datagrams.Create(CBlockingSocket::kDatagram);
    datagrams.Bind(MakeSocketAddress("127.0.0.1", 0));

    bool streamInterrupted = false;
    bool datagramInterrupted = false;
    std::thread streamReader([&] {
        char buffer[4];
        try {
            pair.client.Receive(buffer, sizeof buffer, CBlockingSocket::kNoTimeout);
        } catch (const CBlockingSocketException& failure) {
            streamInterrupted = failure.IsInterrupted() && failure.Operation() == "Receive";
        }
    });
    std::thread datagramReader([&] {
        char buffer[4];
        try {
            datagrams.ReceiveDatagram(buffer, sizeof buffer);
        } catch (const CBlockingSocketException& failure) {
            datagramInterrupted = failure.IsInterrupted();
        }
    });
    pair.client.Interrupt();
    datagrams.Interrupt();
    streamReader.join();
    datagramReader.join();
    EXPECT_TRUE(streamInterrupted);
    EXPECT_TRUE(datagramInterrupted);
}

TEST(BlockingSocket, ListeningPortCanBeBoundAgainAfterItsConnections)
{
    sockaddr_in address{};
    {
        Pair pair;
        address = pair.listener.address;
        pair.served.Close();  // the server closes first and keeps the lingering state
        char buffer[1];
        EXPECT_EQ(pair.client.Receive(buffer, 1, 2), 0u);
    }
    CBlockingSocket restarted;
    restarted.Create();
    EXPECT_NO_THROW(restarted.Bind(address));
}

}  // namespace
