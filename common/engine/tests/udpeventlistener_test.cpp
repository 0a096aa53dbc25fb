#include "udpeventlistener.h"

#include "blockingsocket.h"
#include "messagetarget.h"
#include "joinbytes.h"
#include "socketaddress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kMessage = WM_USER + 100;
constexpr auto kWait = std::chrono::seconds(5);

// Records each post with a copy of its slot, taken at once as the window would.
class SlotReader : public MessageTarget {
public:
    struct Posted {
        std::uint32_t message;
        std::uint64_t slot;
        std::int64_t lParam;
        Bytes bytes;
    };

    void Attach(const CUdpEventListener* listener) { m_listener = listener; }

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        Bytes bytes = m_listener->CopySlot(static_cast<int>(wParam));
        std::lock_guard lock(m_mutex);
        m_posted.push_back({message, wParam, lParam, std::move(bytes)});
        m_changed.notify_all();
    }

    // The first `count` posts, once they have come; fewer after the wait.
    std::vector<Posted> Take(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, kWait, [&] { return m_posted.size() >= count; });
        return m_posted;
    }

private:
    const CUdpEventListener* m_listener = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Posted> m_posted;
};

// A datagram from a socket of its own on loopback.
class Sender {
public:
    Sender() { m_socket.Create(CBlockingSocket::kDatagram); }
    void To(std::uint16_t port, const Bytes& datagram)
    {
        m_socket.SendDatagram(datagram.data(), datagram.size(), MakeSocketAddress("127.0.0.1", port), 1);
    }

private:
    CBlockingSocket m_socket;
};

// A UDP port on loopback that tells what reaches it.
class Receiver {
public:
    Receiver()
    {
        m_socket.Create(CBlockingSocket::kDatagram);
        m_socket.Bind(MakeSocketAddress("127.0.0.1", 0));
    }
    std::uint16_t Port() const { return PortOf(m_socket.GetSockAddr()); }
    Bytes Next()
    {
        Bytes buffer(512);
        buffer.resize(m_socket.Receive(buffer.data(), buffer.size(), 5));
        return buffer;
    }

private:
    CBlockingSocket m_socket;
};

// PBX index, then a frame of code 65 whose payload is the given bytes.
Bytes EventDatagram(std::uint8_t pbx, const Bytes& payload)
{
    return JoinBytes({Bytes{pbx, 0x16, 0x16, 65, static_cast<std::uint8_t>(payload.size())}, payload});
}

class UdpEventListenerTest : public ::testing::Test {
protected:
    void StartListener(bool localOnly, std::uint16_t forwardPort = 0)
    {
        listener = std::make_unique<CUdpEventListener>(&reader, kMessage, localOnly, forwardPort);
        reader.Attach(listener.get());
        ASSERT_TRUE(listener->StartOn(MakeSocketAddress("127.0.0.1", 0)));
        port = listener->LocalPort();
        ASSERT_NE(port, 0);
    }

    SlotReader reader;
    std::unique_ptr<CUdpEventListener> listener;
    std::uint16_t port = 0;
    Sender sender;
};

TEST_F(UdpEventListenerTest, AcceptedDatagramsFillTheRingAndThe31stReusesSlot0)
{
    StartListener(false);
    std::vector<Bytes> sent;
    for (std::uint8_t i = 0; i <= CUdpEventListener::kSlotCount; ++i) {
        sent.push_back(EventDatagram(i % 5, {i, 0x02, 0x07}));
        sender.To(port, sent.back());
    }
    const auto posted = reader.Take(sent.size());
    ASSERT_EQ(posted.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(posted[i].message, kMessage);
        EXPECT_EQ(posted[i].slot, i % CUdpEventListener::kSlotCount);
        EXPECT_EQ(posted[i].lParam, 0);
        EXPECT_EQ(posted[i].bytes, sent[i]) << i;
    }
    EXPECT_EQ(listener->CopySlot(0), sent.back());
    EXPECT_TRUE(listener->CopySlot(CUdpEventListener::kSlotCount).empty());
}

TEST_F(UdpEventListenerTest, IncompleteDatagramsAreNotPostedAndTheirSlotIsReused)
{
    const struct {
        const char* what;
        Bytes datagram;
    } cases[] = {
        {"5 bytes", {0, 0x16, 0x16, 60, 0}},
        {"second byte", {0, 0x15, 0x16, 60, 1, 1}},
        {"third byte", {0, 0x16, 0x17, 60, 1, 1}},
        {"longer than its frame", {0, 0x16, 0x16, 60, 1, 1, 9}},
        {"shorter than its frame", {0, 0x16, 0x16, 60, 3, 1, 2}},
    };
    StartListener(false);
    const Bytes good = EventDatagram(1, {4});
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        sender.To(port, cases[i].datagram);
        sender.To(port, good);
        // The good one came after the rejected one, on the same slot that the rejected one left free.
        const auto posted = reader.Take(i + 1);
        ASSERT_EQ(posted.size(), i + 1);
        EXPECT_EQ(posted.back().slot, i);
        EXPECT_EQ(posted.back().bytes, good);
    }
    EXPECT_FALSE(CUdpEventListener::IsEventDatagram(Bytes{}));
}

TEST_F(UdpEventListenerTest, DatagramsLongerThanASlotAreDroppedWholeInEveryMode)
{
    for (const bool localOnly : {false, true}) {
        SCOPED_TRACE(localOnly ? "local only" : "events");
        Receiver relay;
        SlotReader posts;
        CUdpEventListener listener(&posts, kMessage, localOnly, relay.Port());
        posts.Attach(&listener);
        ASSERT_TRUE(listener.StartOn(MakeSocketAddress("127.0.0.1", 0)));
        // A whole event datagram of exactly a slot (PBX index, frame header, 123 payload bytes), and the
        // same with one byte more: cut to the slot, that one would look whole.
        const Bytes longest = EventDatagram(1, Bytes(CUdpEventListener::kSlotSize - 5, 0x41));
        ASSERT_EQ(longest.size(), CUdpEventListener::kSlotSize);
        Bytes tooLong = longest;
        tooLong.push_back(0x42);
        sender.To(listener.LocalPort(), tooLong);
        sender.To(listener.LocalPort(), longest);
        // Datagrams on loopback keep their order: the first to reach the relay and a slot is the second.
        EXPECT_EQ(relay.Next(), longest);
        const auto posted = posts.Take(1);
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].slot, 0u);
        EXPECT_EQ(posted[0].bytes, longest);
        listener.Stop();
    }
}

TEST_F(UdpEventListenerTest, LocalOnlyPostsEveryDatagram)
{
    listener = std::make_unique<CUdpEventListener>(&reader, kMessage, true);
    reader.Attach(listener.get());
    ASSERT_TRUE(listener->Start(0));
    const Bytes text{'R', 'I', 'N', 'G', '\r', '\n'};
    sender.To(listener->LocalPort(), text);
    sender.To(listener->LocalPort(), {7});
    const auto posted = reader.Take(2);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].bytes, text);
    EXPECT_EQ(posted[1].slot, 1u);
    EXPECT_EQ(posted[1].bytes, Bytes{7});
}

TEST_F(UdpEventListenerTest, RelaysEveryDatagramButEmptyOnesTo127001)
{
    Receiver relay;
    StartListener(false, relay.Port());
    const Bytes rejected{0, 1, 2};
    const Bytes accepted = EventDatagram(0, {1, 2});
    sender.To(port, {});
    sender.To(port, rejected);
    sender.To(port, accepted);
    EXPECT_EQ(relay.Next(), rejected);
    EXPECT_EQ(relay.Next(), accepted);
    // The empty datagram neither ended the listener nor took a slot.
    const auto posted = reader.Take(1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].slot, 0u);
    EXPECT_EQ(posted[0].bytes, accepted);
    EXPECT_TRUE(listener->IsRunning());
}

TEST_F(UdpEventListenerTest, WithoutTargetNothingIsPostedAndTheSlotWaits)
{
    Receiver relay;
    listener = std::make_unique<CUdpEventListener>(nullptr, kMessage, false, relay.Port());
    reader.Attach(listener.get());
    ASSERT_TRUE(listener->StartOn(MakeSocketAddress("127.0.0.1", 0)));
    sender.To(listener->LocalPort(), EventDatagram(0, {1}));
    EXPECT_EQ(relay.Next(), EventDatagram(0, {1}));
    // The worker relays a datagram before handing it to the window: once the relay of a second one has
    // arrived, the first has been handled without a target.
    const Bytes marker{0x00, 0x01, 0x02, 0x03, 0x04};  // no event datagram
    sender.To(listener->LocalPort(), marker);
    EXPECT_EQ(relay.Next(), marker);
    listener->SetTarget(&reader);
    sender.To(listener->LocalPort(), EventDatagram(0, {2}));
    const auto posted = reader.Take(1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].slot, 0u);
    EXPECT_EQ(posted[0].bytes, EventDatagram(0, {2}));
}

TEST_F(UdpEventListenerTest, StartOnARunningListenerChangesNothing)
{
    StartListener(false);
    EXPECT_FALSE(listener->Start(0));
    EXPECT_FALSE(listener->StartOn(MakeSocketAddress("127.0.0.1", 0)));
    EXPECT_EQ(listener->LocalPort(), port);
    sender.To(port, EventDatagram(0, {1}));
    EXPECT_EQ(reader.Take(1).size(), 1u);
}

TEST_F(UdpEventListenerTest, APortInUseIsRefused)
{
    StartListener(false);
    CUdpEventListener second(&reader, kMessage, false);
    EXPECT_FALSE(second.StartOn(MakeSocketAddress("127.0.0.1", port)));
    EXPECT_FALSE(second.IsRunning());
}

TEST_F(UdpEventListenerTest, StopEndsTheWaitingWorkerPromptlyAndTheListenerCanStartAgain)
{
    StartListener(false);
    const auto before = std::chrono::steady_clock::now();
    listener->Stop();
    // The worker is woken, not left to a receive time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_FALSE(listener->IsRunning());
    listener->Stop();  // nothing more to do

    ASSERT_TRUE(listener->StartOn(MakeSocketAddress("127.0.0.1", 0)));
    sender.To(listener->LocalPort(), EventDatagram(2, {9}));
    const auto posted = reader.Take(1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].slot, 0u);
}

}  // namespace
