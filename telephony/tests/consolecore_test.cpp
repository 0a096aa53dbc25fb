// The operator console's core against the real engine: the start-up load from the catalog that Pultex
// filled from Simulvex, events relayed by Pultex to the console's listener and dispatched, the popup
// requests' relays coming back, and calls placed on a line as the PBX receives them.
#include "callplacement.h"
#include "consoleredrawtarget.h"
#include "consolestartupload.h"
#include "engineeventdispatcher.h"
#include "mainsettings.h"
#include "messagetarget.h"
#include "pbxdisplaynames.h"
#include "pbxframebuilders.h"
#include "pultexsimulationtest.h"
#include "service2pluginsettings.h"
#include "socketaddress.h"
#include "sqldatabase.h"
#include "udpeventlistener.h"
#include "waitfor.h"
#include "wparamqueue.h"

#include <QTemporaryDir>

#include <mutex>

namespace {

using pultexsimulation::kPbx;
using pultexsimulation::kSeconds;

constexpr int kOwnExtension = 1;
constexpr std::uint32_t kEventMessage = 0x400 + 100;
constexpr int kWaitMs = 10000;

// The listener's posts, as the main frame receives them.
using SlotQueue = WParamQueue;

class CountingTarget : public ConsoleRedrawTarget {
public:
    void RedrawObject(PbxObjectType, int) override { ++redraws; }
    void RefreshOwnExtension() override { ++ownRefreshes; }
    void RefreshPopup() override { ++popupRefreshes; }
    int redraws = 0;
    int ownRefreshes = 0;
    int popupRefreshes = 0;
};

class RecordingView : public CallProgressView {
public:
    void ShowWait(const QString& text) override { events << QStringLiteral("wait ") + text; }
    void CloseWait() override { events << QStringLiteral("closed"); }
    void ShowError(int code) override { events << QStringLiteral("error %1").arg(code); }
    QStringList events;
};

QString Hex(std::span<const std::uint8_t> bytes)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex());
}

class ConsoleCoreTest : public pultexsimulation::PultexSimulationTest {
protected:
    void SetUp() override
    {
        PultexSimulationTest::SetUp();
        if (IsSkipped())
            return;
        m_database = std::make_unique<CSqlDatabase>(s_tree->CatalogParameters());
        ASSERT_EQ(m_database->Connect(QString()), kNoError);
        ASSERT_EQ(m_database->PrepareOperatorConsoleTables(), kNoError);
        ASSERT_EQ(LoadConsoleState(*m_database, m_state, m_settings, Service2PluginSettings(), kPbx, kOwnExtension,
                                   OleDate::Now()),
                  kNoError)
            << m_database->LastError().toStdString();
        m_client.SetSleepFunction([](std::chrono::milliseconds) {});
        m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, *m_database, m_settings, m_target);
        m_dispatcher->SetEngineClient(&m_client);
        ASSERT_TRUE(m_listener.StartOn(MakeSocketAddress("127.0.0.1", s_tree->Ports().eventPort)));
        ASSERT_EQ(m_client.PingServer(), kNoError);
    }

    // Dispatches the datagrams the listener received until `count` have come; false when they did not.
    bool DispatchReceived(std::size_t count)
    {
        std::size_t dispatched = 0;
        const bool arrived = WaitFor([&] {
            for (int slot : m_slots.Take()) {
                m_dispatcher->Dispatch(m_listener.CopySlot(slot));
                ++dispatched;
            }
            return dispatched >= count;
        }, kWaitMs);
        return arrived;
    }

    std::unique_ptr<CSqlDatabase> m_database;
    OperatorConsoleState m_state;
    MainSettings m_settings;
    CountingTarget m_target;
    CEngineClient m_client = Client();
    std::unique_ptr<EngineEventDispatcher> m_dispatcher;
    SlotQueue m_slots;
    CUdpEventListener m_listener{&m_slots, kEventMessage, false};
};

TEST_F(ConsoleCoreTest, TheLoadHoldsTheSimulatorsPbx)
{
    const PbxObjectCounts counts = m_state.tables.Counts();
    EXPECT_EQ(counts.extensions, 4);
    EXPECT_EQ(counts.lines, 2);
    EXPECT_EQ(counts.entryPhones, 1);
    EXPECT_EQ(counts.relays, 1);
    EXPECT_FALSE(m_state.hasSecondPbx);
    for (int extension = 0; extension < counts.extensions; ++extension) {
        ProgrammingRecord record{};
        ASSERT_EQ(m_client.ReadProgrammation(kPbx, kObjectExtension, std::uint8_t(extension), record, kSeconds), kNoError);
        EXPECT_TRUE(std::equal(record.begin(), record.begin() + 50,
                               m_state.tables.extensionProgramming[std::size_t(extension)].begin()))
            << extension;
        EXPECT_EQ(m_state.tables.extensionStatus[std::size_t(extension)].State(), kStateReady);
    }
    EXPECT_EQ(m_state.missedCalls, 0);
    EXPECT_FALSE(m_state.unreadMessages);
    // Ready: the state text is the own extension's display name.
    EXPECT_TRUE(m_state.ownExtensionStateText.startsWith(QStringLiteral("INT. ")));
}

TEST_F(ConsoleCoreTest, ARingOnTheOwnExtensionReachesTheTables)
{
    ASSERT_EQ(Simulvex(QStringLiteral("ring %1 line 0 0612345678").arg(kOwnExtension)), QStringLiteral("OK 4 events"));
    ASSERT_TRUE(DispatchReceived(4));
    const ExtensionEntry& own = m_state.tables.extensionStatus[kOwnExtension];
    EXPECT_EQ(own.State(), kStateIncomingCall);
    EXPECT_EQ(own.LinkType(), kObjectLine);
    EXPECT_EQ(m_state.tables.lineStatus[0].CallerNumber(), "0612345678");
    EXPECT_GT(m_target.ownRefreshes, 0);
    EXPECT_EQ(m_state.ownExtensionStateText, "CH. ENTRANTE");
    EXPECT_EQ(m_state.ownExtensionPeerText, "-> (L1) 0612345678");
    // The hang-up's events are taken here, so that none reaches the next test's listener on the same port.
    const QStringList hangup = Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension)).split(u' ');
    ASSERT_EQ(hangup.value(0), QStringLiteral("OK"));
    EXPECT_TRUE(DispatchReceived(std::size_t(hangup.value(1).toInt())));
}

TEST_F(ConsoleCoreTest, PopupRequestsRelayToEveryWorkstation)
{
    // Messages read: the notification comes back as a 10-byte datagram and reads the flag again.
    ASSERT_EQ(m_database->InsertMessage(kPbx, kPbx, 0, kOwnExtension, QStringLiteral("x")), kNoError);
    m_state.unreadMessages = true;
    ASSERT_EQ(m_dispatcher->AcknowledgeMessages(), kNoError);
    ASSERT_TRUE(DispatchReceived(1));
    EXPECT_FALSE(m_state.unreadMessages);
    EXPECT_EQ(m_target.popupRefreshes, 1);

    // An alarm handled elsewhere (action 1): the relay clears it here too.
    m_dispatcher->Dispatch(std::vector<std::uint8_t>{kPbx, 0x16, 0x16, 71, 3, 1, 2, 4});
    ASSERT_EQ(m_state.tables.extensionAlarm[2].PendingFlag(), 1);
    ASSERT_EQ(m_dispatcher->StoreAlarmAction(2, 1), kNoError);
    ASSERT_TRUE(DispatchReceived(1));
    EXPECT_EQ(m_state.tables.extensionAlarm[2].PendingFlag(), 0);
    // Answered here (action 0): marked 2, which the relay leaves alone.
    m_dispatcher->Dispatch(std::vector<std::uint8_t>{kPbx, 0x16, 0x16, 71, 3, 1, 3, 4});
    ASSERT_EQ(m_dispatcher->StoreAlarmAction(3, 0), kNoError);
    ASSERT_TRUE(DispatchReceived(1));
    EXPECT_EQ(m_state.tables.extensionAlarm[3].PendingFlag(), 2);

    QTemporaryDir folder;
    m_dispatcher->SetSettingsFolder(folder.path());
    m_state.missedCalls = 2;
    m_dispatcher->AcknowledgeMissedCalls();
    EXPECT_EQ(m_state.missedCalls, 0);
    EXPECT_TRUE(QFile::exists(folder.filePath(MainSettings::kFileName)));
}

TEST_F(ConsoleCoreTest, ACallOnALineAsThePbxReceivesIt)
{
    m_state.tables.extensionProgramming[kOwnExtension][2] = 1;  // POSAbilita: a flash first
    RecordingView view;
    std::vector<std::chrono::milliseconds> pauses;
    const CallPlacement placement{&m_client, kPbx, &view, [&](std::chrono::milliseconds ms) { pauses.push_back(ms); }};
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    EXPECT_TRUE(PlaceCallOnLine(m_state, placement, QStringLiteral("0612"), 1, kThisStationExtension, true));
    EXPECT_EQ(view.events, (QStringList{QStringLiteral("wait Attendere prego..."), QStringLiteral("closed")}));
    EXPECT_EQ(pauses, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(1000), std::chrono::milliseconds(1000)}));

    // Off-hook, "F", the access code and the number one character at a time, then key 64.
    std::array<std::uint8_t, 64> frame{};
    QStringList expected{Hex(std::span(frame).first(BuildOffHookFrame(frame.data(), kOwnExtension)))};
    const std::string dialled = (u'F' + FormatLineAccessCode(m_state, 1) + QStringLiteral("0612")).toStdString();
    for (char c : dialled)
        expected << Hex(std::span(frame).first(BuildDigitsFrame(frame.data(), kOwnExtension, std::string(1, c))));
    const QString frames = Simulvex(QStringLiteral("frames"));
    qsizetype at = 0;
    for (const QString& hex : expected) {
        at = frames.indexOf(hex, at, Qt::CaseInsensitive);
        ASSERT_GE(at, 0) << hex.toStdString() << " in " << frames.toStdString();
    }
    ASSERT_EQ(Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension)).left(2), QStringLiteral("OK"));

    // A PBX that answers nothing: one error, and the wait closed once.
    ASSERT_EQ(Simulvex(QStringLiteral("fault silence on")).left(2), QStringLiteral("OK"));
    view.events.clear();
    EXPECT_FALSE(PlaceCallOnLine(m_state, placement, QStringLiteral("0612"), 1, kThisStationExtension, true));
    bool placed = true;
    EXPECT_TRUE(PlaceCallOnFreeLine(m_state, placement, QStringLiteral("0612"), true, &placed));
    EXPECT_FALSE(placed);  // a line was free, the call failed
    view.events = view.events.mid(0, 3);
    ASSERT_EQ(view.events.size(), 3) << view.events.join(u',').toStdString();
    EXPECT_EQ(view.events[1], "closed");
    EXPECT_TRUE(view.events[2].startsWith(QStringLiteral("error ")));
    EXPECT_NE(view.events[2], "error 0");

    // No free line: nothing is sent.
    ASSERT_EQ(Simulvex(QStringLiteral("fault off")).left(2), QStringLiteral("OK"));
    for (auto& line : m_state.tables.lineStatus)
        line.bytes[LineEntry::kStateOffset] = kStateConnected;
    view.events.clear();
    EXPECT_FALSE(PlaceCallOnFreeLine(m_state, placement, QStringLiteral("0612"), true));
    EXPECT_TRUE(view.events.isEmpty());
    m_state.tables.lineStatus[1].bytes[LineEntry::kStateOffset] = kStateReady;
    EXPECT_TRUE(PlaceCallOnFreeLine(m_state, placement, QStringLiteral("0612"), false, &placed));
    EXPECT_TRUE(placed);
    EXPECT_EQ(view.events.size(), 2);
    Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
}

}  // namespace
