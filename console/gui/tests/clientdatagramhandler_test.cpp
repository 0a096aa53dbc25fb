// A client workstation's handling of the datagrams that the server relays, sent by a real CEventSender
// to a real CUdpEventListener on loopback.
#include "clientdatagramhandler.h"

#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "clientregistry.h"
#include "dialogtesting.h"
#include "eventsender.h"
#include "messageboxdlg.h"
#include "pbxrecord.h"
#include "serverstoppedbox.h"
#include "socketaddress.h"
#include "udpeventlistener.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr std::uint32_t kDatagramMessage = WM_USER + 100;
constexpr int kBoundPbx = 1;
constexpr int kBoundExtension = 5;

// Messages posted from the listener's thread, or on this one.
class Posts : public MessageTarget {
public:
    struct Post_ {
        std::uint32_t message;
        std::uint64_t wParam;
    };
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override
    {
        std::lock_guard lock(m_mutex);
        m_posts.push_back({message, wParam});
    }
    std::vector<Post_> Take()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_posts, {});
    }
    std::size_t Count()
    {
        std::lock_guard lock(m_mutex);
        return m_posts.size();
    }

private:
    std::mutex m_mutex;
    std::vector<Post_> m_posts;
};

Bytes Frame(std::uint8_t code, const Bytes& payload)
{
    Bytes frame{0x16, 0x16, code, static_cast<std::uint8_t>(payload.size())};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

// A bound PBX with 8 extensions, 4 lines and 2 entry phones, all idle.
void FillCopies(BoundPbxRecords& records)
{
    QByteArray initialization(PbxRecord::kInitializationSize, '\0');
    initialization[1] = 8;
    initialization[PbxRecord::kExtensionCount] = 8;
    initialization[PbxRecord::kLineCount] = 4;
    initialization[PbxRecord::kEntryPhoneCount] = 2;
    records.SetInitialization(initialization);
    for (char i = 0; i < 8; ++i)
        records.AddExtensionStatus(QByteArray::fromHex("0100020000") .replace(1, 1, QByteArray(1, i)));
    for (char i = 0; i < 4; ++i)
        records.AddLineStatus(QByteArray::fromHex("02000200") .replace(1, 1, QByteArray(1, i)));
    for (char i = 0; i < 2; ++i)
        records.AddEntryPhoneStatus(QByteArray::fromHex("03000200").replace(1, 1, QByteArray(1, i)));
}

class ClientDatagramHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillCopies(m_bound);
        ASSERT_TRUE(m_listener.StartOn(MakeSocketAddress(kLoopback, 0)));
        m_registry.AddOrRefreshClient(kLoopback);
        m_sender = std::make_unique<CEventSender>(&m_registry, m_listener.LocalPort());
        m_sender->Start();

        ClientDatagramHandler::Services services;
        services.listener = [this] { return &m_listener; };
        services.boundRecords = &m_bound;
        services.boundPbx = [] { return kBoundPbx; };
        services.boundExtension = [] { return kBoundExtension; };
        services.showServerStopped = [] { ShowServerStoppedBox(nullptr); };
        services.notifications.onPbxEvent = [this](std::uint64_t wParam, std::int64_t) { m_notes.push_back(wParam); };
        services.notifications.mainFrame = &m_frame;
        services.notifications.iconShown = [] { return true; };
        m_handler = std::make_unique<ClientDatagramHandler>(std::move(services));
    }

    void TearDown() override { m_sender->Stop(); }

    // Relays the frame as the server does and hands the datagram to the handler once it came.
    void Relay(int pbx, std::uint8_t code, const Bytes& payload)
    {
        ASSERT_EQ(m_sender->QueueToClients(static_cast<std::uint8_t>(pbx), Frame(code, payload)), kNoError);
        ASSERT_TRUE(WaitFor([this] { return m_datagrams.Count() > 0; }));
        for (const auto& post : m_datagrams.Take())
            m_handler->OnClientDatagram(post.wParam, 0);
    }

    const QByteArray& Extension(int index) { return m_bound.ExtensionStatus()[static_cast<std::size_t>(index)]; }

    Posts m_datagrams;
    Posts m_frame;
    CUdpEventListener m_listener{&m_datagrams, kDatagramMessage, false};
    ClientRegistry m_registry;
    std::unique_ptr<CEventSender> m_sender;
    BoundPbxRecords m_bound;
    std::vector<std::uint64_t> m_notes;
    std::unique_ptr<ClientDatagramHandler> m_handler;
};

TEST_F(ClientDatagramHandlerTest, EachCodeChangesTheBoundPbxsCopies)
{
    Relay(kBoundPbx, 51, {5, 0x28, 3, 1});  // entry phone 1 rings the bound extension
    EXPECT_EQ(Extension(5).mid(1, 4), QByteArray::fromHex("05030301"));
    EXPECT_EQ(m_bound.EntryPhoneStatus()[1].mid(1, 4), QByteArray::fromHex("010D0105"));
    Relay(kBoundPbx, 13, {5, '4', '2'});
    EXPECT_EQ(BoundPbxUpdates::Digits(m_bound, 5), QByteArray("42"));
    Relay(kBoundPbx, 65, {1, 5, 2});
    EXPECT_EQ(Extension(5)[2], 2);
    EXPECT_EQ(m_bound.EntryPhoneStatus()[1][2], 2);
    EXPECT_TRUE(BoundPbxUpdates::Digits(m_bound, 5).isEmpty());

    Relay(kBoundPbx, 70, {3, '0', '6', '1', 0});
    EXPECT_EQ(BoundPbxUpdates::LineCallerId(m_bound, 3), QByteArray("061"));
    Relay(kBoundPbx, 60, {2, 3, 1, 5});
    EXPECT_EQ(Extension(5).mid(2, 3), QByteArray::fromHex("070203"));
    EXPECT_EQ(m_bound.LineStatus()[3].mid(1, 3), QByteArray::fromHex("070105"));
    Relay(kBoundPbx, 65, {2, 3, 2});
    EXPECT_EQ(m_bound.LineStatus()[3][1], 2);
    EXPECT_TRUE(BoundPbxUpdates::LineCallerId(m_bound, 3).isEmpty());

    Relay(kBoundPbx, 71, {5, 0, 3});
    const auto posts = m_frame.Take();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, ConsoleNotifications::kMemoryFullBalloonMessage);
    EXPECT_EQ(m_notes, (std::vector<std::uint64_t>{0x11110003, 0x11110002, 0x11110083, 0x11110007}));
}

TEST_F(ClientDatagramHandlerTest, OtherPbxsIndexesBeyondTheCopiesAndOtherCodesChangeNothing)
{
    const std::vector<QByteArray> extensions = m_bound.ExtensionStatus();
    const std::vector<QByteArray> lines = m_bound.LineStatus();
    Relay(0, 51, {5, 8, 2, 1});
    Relay(2, 65, {1, 5, 7});
    Relay(kBoundPbx, 51, {8, 8, 2, 1});
    Relay(kBoundPbx, 65, {1, 200, 7});
    Relay(kBoundPbx, 70, {4, '1', 0});
    Relay(kBoundPbx, 14, {5});
    Relay(kBoundPbx, 60, {1, 9, 2, 7});
    // A caller id of 50 characters or more is not taken.
    Bytes longText(52, '7');
    longText.front() = 2;
    longText.back() = 0;
    Relay(kBoundPbx, 70, longText);
    EXPECT_EQ(m_bound.ExtensionStatus(), extensions);
    EXPECT_EQ(m_bound.LineStatus(), lines);
    EXPECT_TRUE(m_notes.empty());
    EXPECT_EQ(m_frame.Count(), 0u);
}

TEST_F(ClientDatagramHandlerTest, StoppedServerShowsTheBoxThenClosesTheProgram)
{
    std::vector<std::pair<int, int>> shown;
    ModalWatcher watcher([&shown](QWidget* dialog) {
        if (auto box = qobject_cast<CMessageBoxDlg*>(dialog))
            shown.emplace_back(box->Kind(), box->Code());
    });
    Relay(255, 36, {36});  // another message of the engine: nothing
    EXPECT_EQ(watcher.Count(), 0);
    EXPECT_EQ(m_frame.Count(), 0u);
    Relay(255, 37, {37});
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeServerStopped}}));
    const auto posts = m_frame.Take();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, WM_COMMAND);
    EXPECT_EQ(posts[0].wParam, ClientDatagramHandler::kCloseCommand);
}

}  // namespace
