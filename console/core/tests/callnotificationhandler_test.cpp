// The call notifications of the bound extension 5 with the real Simulvex program behind the request
// server: a UDP peer plays the TAPI driver, a recording popup stands for the console's own popup.
#include "callnotificationhandler.h"

#include "boundpbxupdates.h"
#include "contactcache.h"
#include "dbtest.h"
#include "eventrig.h"
#include "language.h"
#include "qstringprinter.h"
#include "recordingpopup.h"
#include "tapidriverpeer.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kTapiMessage = WM_USER + 101;
const QByteArray kMarker = QByteArrayLiteral("--marker--");

// Event 70 of fixed layout: the line, a date and time of eight digits, the number, a closing byte.
QString CallerIdEvent(int line, const QByteArray& number)
{
    return QStringLiteral("event 70 ") + QString::number(line, 16).rightJustified(2, u'0') +
           QStringLiteral("043033303431303030") + QString::fromLatin1(number.toHex()) + QStringLiteral("FF");
}

// Event 51: extension 5 rings with the ring type from the partner.
QString RingEvent(int ringType, int linkType, int linkIndex)
{
    return QStringLiteral("event 51 05%1%2%3")
        .arg(ringType, 2, 16, QLatin1Char('0'))
        .arg(linkType, 2, 16, QLatin1Char('0'))
        .arg(linkIndex, 2, 16, QLatin1Char('0'));
}

class CallNotificationTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageEnglish);
        m_rig = std::make_unique<EventRig>(StartEngineDatabaseWithPbx(EventRig::kPbx, QStringLiteral("PBX1")));
        ASSERT_TRUE(m_rig->Start()) << m_rig->Error().toStdString();
        m_rig->Client().SetSleepFunction([](std::chrono::milliseconds) {});
        ASSERT_TRUE(m_peer.IsValid());
        m_listener = std::make_unique<CUdpEventListener>(&m_posted, kTapiMessage, true);
        ASSERT_TRUE(m_listener->Start(0));
        m_sender = std::make_unique<CEventSender>(nullptr, m_peer.Port());
        m_sender->Start();

        CallNotificationHandler::Services services;
        services.engineClient = [this] { return &m_rig->Client(); };
        services.tapiListener = [this] { return m_listener.get(); };
        services.tapiSender = [this] { return m_sender.get(); };
        services.boundRecords = &m_rig->Bound();
        services.boundPbx = [] { return EventRig::kPbx; };
        services.boundExtension = [] { return EventRig::kBoundExtension; };
        services.boundLinkUp = [this] { return linkUp; };
        services.incomingCallHandler = [this] { return handler; };
        services.database = &m_rig->Database();
        services.contacts = [this] { return &m_contacts; };
        services.pause = [this](std::chrono::milliseconds ms) { pauses.push_back(int(ms.count())); };
        services.ringTimer = [this](bool run) { ringTimer.push_back(run); };
        services.popupFactory = [this] {
            ++popupsMade;
            auto popup = std::make_unique<RecordingPopup>(popupLog);
            popup->m_hasWindow = popupHasWindow;
            return popup;
        };
        m_handler = std::make_unique<CallNotificationHandler>(std::move(services));
        m_rig->onPbxEvent = [this](std::uint64_t wParam, std::int64_t lParam) { m_handler->OnPbxEvent(wParam, lParam); };
    }

    void TearDown() override
    {
        if (m_sender)
            m_sender->Stop();
    }

    void Do(const QString& command) { ASSERT_GE(m_rig->Run(command), 0) << command.toStdString(); }

    // The driver sends the text; the handler works on it and on the events its requests brought.
    void Command(const QByteArray& text)
    {
        ASSERT_TRUE(m_peer.SendTo(m_listener->LocalPort(), text));
        const auto posted = m_posted.Take(1);
        ASSERT_EQ(posted.size(), 1u) << text.toStdString();
        m_handler->OnPbxEvent(posted.front().wParam, posted.front().lParam);
        m_rig->Settle();
    }

    // What the driver received since the last call, CR and LF written as \r and \n.
    QStringList Texts()
    {
        m_sender->QueueToLocalhost(std::span(reinterpret_cast<const std::uint8_t*>(kMarker.constData()),
                                             static_cast<std::size_t>(kMarker.size())));
        QStringList texts;
        for (QByteArray text : m_peer.ReceiveUntil(kMarker))
            texts << QString::fromLatin1(text.replace('\r', "\\r").replace('\n', "\\n"));
        return texts;
    }

    // The frames that reached the PBX since the last call, as "code payload" in hexadecimal.
    QStringList Frames()
    {
        const QString reply = m_rig->Simulvex().Command(QStringLiteral("frames"));
        m_rig->Simulvex().Command(QStringLiteral("frames clear"));
        QStringList frames;
        for (const QString& entry : reply.mid(3).split(QStringLiteral(" | "), Qt::SkipEmptyParts)) {
            const QByteArray bytes = QByteArray::fromHex(entry.section(u' ', -1).toLatin1());
            if (bytes.size() >= 4)
                frames << QString::fromLatin1(bytes.mid(2, 1).toHex() + ' ' + bytes.mid(4).toHex()).toUpper();
        }
        return frames;
    }

    // Back to a quiet idle extension: every text and frame until now is dropped.
    void Idle()
    {
        m_rig->Simulvex().Command(QStringLiteral("onhook 5"));
        m_rig->Settle();
        if (BoundState() != kStateReady)
            Do(QStringLiteral("event 65 010502"));
        for (const char* line : {"event 65 020102", "event 65 020202", "event 65 020302"})
            Do(QString::fromLatin1(line));
        Texts();
        Frames();
        pauses.clear();
        ringTimer.clear();
    }

    void Button(std::uint64_t button)
    {
        m_handler->OnPbxEvent(button, CallNotificationHandler::kPopupButton);
        m_rig->Settle();
    }

    void AddContact(const QString& name, const QString& number)
    {
        m_contacts.SetCountryCode(QStringLiteral("39"));
        m_contacts.AddNumberIndex(number, m_contacts.AddContact(name, number, {}, {}, {}));
    }

    int BoundState() { return static_cast<quint8>(m_rig->Bound().ExtensionStatus()[EventRig::kBoundExtension][2]); }

    EventRig& Rig() { return *m_rig; }
    CallNotificationHandler& Handler() { return *m_handler; }

    bool linkUp = true;
    std::uint8_t handler = 1;
    std::vector<int> pauses;  // std::vector: comparing empty QLists trips the sanitizer
    std::vector<bool> ringTimer;
    QStringList popupLog;
    int popupsMade = 0;
    bool popupHasWindow = true;

private:
    std::unique_ptr<EventRig> m_rig;
    TapiDriverPeer m_peer;
    PostedMessages m_posted;
    std::unique_ptr<CUdpEventListener> m_listener;
    std::unique_ptr<CEventSender> m_sender;
    std::unique_ptr<CallNotificationHandler> m_handler;
    CContactCache m_contacts;
};

TEST(CallNotificationCommandText, OnlyTheTrailingLineEndIsRemoved)
{
    const struct {
        QByteArray datagram;
        QByteArray text;
    } cases[] = {
        {"ATDP123", "ATDP123"},
        {"ATDP123\r", "ATDP123"},
        {QByteArray("ATDP123\r\n\0", 10), "ATDP123"},
        {"ATA", "ATA"},
        {"\r", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CallNotificationHandler::CommandText(c.datagram), c.text) << c.datagram.toStdString();
}

using TextList = QStringList;
const QString kOk = QStringLiteral("\\r\\nOK\\r\\n");
const QString kBusy = QStringLiteral("\\r\\nBUSY\\r\\n");
const QString kRing = QStringLiteral("\\r\\nRING\\r\\n");
const QString kConnect = QStringLiteral("\\r\\nCONNECT\\r\\n");
// Frames at the PBX, "code payload": off-hook and on-hook of extension 5, key 64 pressed and released,
// and the digits it dials.
const QString kOffHook = QStringLiteral("0E 05");
const QString kOnHook = QStringLiteral("00 05");
const QString kKeyDown = QStringLiteral("11 054001");
const QString kKeyUp = QStringLiteral("11 054000");
QString Digit(char digit) { return QStringLiteral("10 05") + QString::fromLatin1(QByteArray(1, digit).toHex()).toUpper(); }

TEST_P(CallNotificationTest, DriverCommands)
{
    const struct {
        const char* name;
        std::vector<const char*> before;  // at Simulvex
        QByteArray command;
        TextList texts;
        QStringList frames;
        std::vector<int> pauses;
        int flag;
    } cases[] = {
        {"dial with the outside line first", {}, "atdt0612;", {}, {kOffHook, Digit('0'), Digit('6'), Digit('1'), Digit('2'), kKeyDown}, {1000}, 1},
        {"the same with F first", {"set programming extension 5 2 1"}, "ATDT0612", {},
         {kOffHook, Digit('F'), Digit('0'), Digit('6'), Digit('1'), Digit('2'), kKeyDown}, {1000, 1000}, 1},
        {"dial with the key first", {"set programming extension 5 2 0"}, "ATDP123", {},
         {kOffHook, kKeyDown, Digit('1'), Digit('2'), Digit('3')}, {500, 500}, 1},
        {"a carriage return ends the command", {}, "ATDP123\r", {},
         {kOffHook, kKeyDown, Digit('1'), Digit('2'), Digit('3')}, {500, 500}, 1},
        {"another dial mode", {}, "ATDX1", {kOk}, {}, {}, 0},
        {"answer on idle", {}, "ATA", {kOk, kBusy}, {kOffHook, kKeyDown}, {}, 0},
        {"answer while ringing", {"ring 5 line 1 0612345678"}, "ATA", {kOk}, {kOffHook, kKeyDown}, {}, 2},
        {"hang up while ringing", {"ring 5 line 1 0612345678"}, "ATH", {kOk}, {kOffHook, kOnHook}, {}, 0},
        {"not a command", {}, "XYZ", {}, {}, {}, 0},
        {"too short", {}, "A", {}, {}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Idle();
        for (const char* command : c.before)
            Do(QString::fromLatin1(command));
        Texts();
        Frames();
        Command(c.command);
        EXPECT_EQ(Texts(), c.texts);
        EXPECT_EQ(Frames(), c.frames);
        EXPECT_EQ(pauses, c.pauses);
        EXPECT_EQ(Handler().TapiCallFlag(), c.flag);
    }
}

TEST_P(CallNotificationTest, RingTextsByPartner)
{
    ASSERT_EQ(Rig().Database().SaveLineLabel(EventRig::kPbx, 1, QStringLiteral("Reception")), kNoError);
    ASSERT_EQ(Rig().Database().SaveDerivedLabel(EventRig::kPbx, 7, QStringLiteral("Anna")), kNoError);
    const struct {
        const char* name;
        std::vector<QString> events;
        TextList texts;
    } cases[] = {
        {"line with caller id", {CallerIdEvent(2, "12345"), RingEvent(8, 2, 2)}, {"\\r\\nRING +CLID12345\\r\\n"}},
        {"line without caller id or label", {RingEvent(8, 2, 3)}, {"\\r\\nRING +CLNMLine  4\\r\\n"}},
        {"line with a label", {RingEvent(8, 2, 1)}, {"\\r\\nRING +CLNMReception\\r\\n"}},
        {"extension with a label", {RingEvent(16, 1, 7)}, {"\\r\\nRING +CLNMAnna\\r\\n"}},
        {"extension without a label", {RingEvent(16, 1, 6)}, {"\\r\\nRING +CLNMINT. 207\\r\\n"}},
        {"entry phone", {RingEvent(48, 3, 0)}, {"\\r\\nRING +CLNMEntryphone  1\\r\\n"}},
        {"wake-up call", {RingEvent(16, 0, 0)}, {"\\r\\nRING +CLNMWake-up\\r\\n"}},
        {"caller id after the ring, same line", {RingEvent(8, 2, 3), CallerIdEvent(3, "0699")},
         {"\\r\\nRING +CLNMLine  4\\r\\n", "\\r\\nRING +CLID0699\\r\\n"}},
        {"caller id after the ring, another line", {RingEvent(8, 2, 3), CallerIdEvent(1, "0611")},
         {"\\r\\nRING +CLNMLine  4\\r\\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Idle();
        for (const QString& event : c.events)
            Do(event);
        EXPECT_EQ(Texts(), c.texts);
        EXPECT_EQ(ringTimer, std::vector<bool>{true});
    }

    // The ring is repeated while the extension rings; then the timer stops.
    Handler().OnRingTimer();
    Handler().OnRingTimer();
    EXPECT_EQ(Texts(), (TextList{kRing, kRing}));
    Do(QStringLiteral("event 65 010502"));
    Handler().OnRingTimer();
    EXPECT_EQ(Texts(), TextList());
    EXPECT_EQ(ringTimer, (std::vector<bool>{true, false}));
}

TEST_P(CallNotificationTest, ConnectAndBusyFollowTheDriversCall)
{
    Idle();
    Command("ATDT0612");
    Do(QStringLiteral("connect 5"));
    EXPECT_EQ(Texts(), (TextList{kConnect, kConnect}));
    Do(QStringLiteral("hangup 5"));
    EXPECT_EQ(Texts(), TextList{kBusy});
    EXPECT_EQ(Handler().TapiCallFlag(), 0);

    // A call the driver answered is not announced as connected; a ring meanwhile is not announced.
    Do(QStringLiteral("ring 5 line 1 0612345678"));
    Texts();
    Command("ATA");
    EXPECT_EQ(Texts(), TextList{kOk});
    Do(RingEvent(8, 2, 1));
    EXPECT_EQ(Texts(), TextList());
    Do(QStringLiteral("hangup 5"));
    EXPECT_EQ(Texts(), TextList{kBusy});
    EXPECT_EQ(Handler().TapiCallFlag(), 0);
}

TEST_P(CallNotificationTest, PopupFollowsTheRingType)
{
    handler = CallNotificationHandler::kPopupHandler;
    AddContact(QStringLiteral("Rossi"), QStringLiteral("+390612345"));
    ASSERT_EQ(Rig().Database().SaveDerivedLabel(EventRig::kPbx, 7, QStringLiteral("Anna")), kNoError);
    const struct {
        const char* name;
        std::vector<QString> events;
        QStringList log;
    } cases[] = {
        {"line, caller id of a contact", {CallerIdEvent(2, "0612345"), RingEvent(8, 2, 2)},
         {"allow", "state 3 [0612345] [(Line  3)  Rossi]"}},
        {"line, caller id of nobody", {CallerIdEvent(2, "0699"), RingEvent(8, 2, 2)}, {"allow", "state 3 [0699] [Line  3]"}},
        {"line without caller id", {RingEvent(8, 2, 3)}, {"allow", "state 3 [Number not available] [Line  4]"}},
        {"held call returning", {RingEvent(40, 2, 3)}, {"allow", "state 5 [Number not available] [Line  4]"}},
        {"internal", {RingEvent(16, 1, 7)}, {"allow", "state 3 [] [Anna]"}},
        {"internal wake-up", {RingEvent(16, 0, 0)}, {"allow", "state 3 [] [Wake-up]"}},
        {"internal from a line", {RingEvent(16, 2, 0)}, {"allow", "state 3 [] [Number not available]"}},
        {"booked call", {RingEvent(24, 2, 0)}, {"allow", "state 21 [] []"}},
        {"no call", {RingEvent(32, 2, 0)}, {"allow"}},
        {"entry phone", {RingEvent(48, 3, 1)}, {"allow", "state 3 [] [Entryphone  2]"}},
        {"another ring type", {RingEvent(56, 2, 0)}, {"allow", "state 3 [] [Number not available]"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Do(c.events.front() == RingEvent(40, 2, 3) ? QStringLiteral("event 13 0530") : QStringLiteral("event 65 010502"));
        popupLog.clear();
        for (const QString& event : c.events)
            Do(event);
        EXPECT_EQ(popupLog, c.log);
    }

    // One popup per call: a second ring update of the call keeps it, the next call gets a new one.
    Do(QStringLiteral("event 65 010502"));
    const int made = popupsMade;
    Do(RingEvent(16, 1, 7));
    Do(QStringLiteral("event 65 010503"));
    EXPECT_EQ(popupsMade, made + 1);
    Handler().OnRingTimer();
    popupLog.clear();
    Do(QStringLiteral("event 65 010504"));
    Do(QStringLiteral("event 65 010507"));
    Do(QStringLiteral("event 65 010502"));
    EXPECT_EQ(popupLog, (QStringList{"state 4 [] []", "state 7 [] []", "hide"}));
    Handler().OnRingTimer();
    EXPECT_EQ(ringTimer.back(), false);
}

TEST_P(CallNotificationTest, PopupButtons)
{
    handler = CallNotificationHandler::kPopupHandler;
    const struct {
        const char* name;
        const char* call;  // at Simulvex, before the button
        bool linkUp;
        std::uint64_t button;
        QStringList frames;
        QStringList log;
    } cases[] = {
        {"accept", "ring 5 line 1 0612345678", true, 1059, {kOffHook, kKeyDown}, {"state 7 [] []"}},
        {"accept with the link down", "ring 5 line 1 0612345678", false, 1059, {}, {"hide"}},
        {"reject while ringing", "ring 5 line 1 0612345678", true, 1060, {kOffHook, kOnHook}, {"hide", "state 7 [] []", "hide"}},
        {"reject while connected", "call 5 1 0612345", true, 1060, {kOnHook, kKeyUp}, {"hide", "hide"}},
        {"another button", "ring 5 line 1 0612345678", true, 1061, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Idle();
        Do(QString::fromLatin1(c.call));
        Frames();
        popupLog.clear();
        linkUp = c.linkUp;
        Button(c.button);
        EXPECT_EQ(Frames(), c.frames);
        EXPECT_EQ(popupLog, c.log);
    }

    // Without the extension's copy the popup is hidden and nothing reaches the PBX.
    linkUp = true;
    Idle();
    Do(QStringLiteral("ring 5 line 1 0612345678"));
    Frames();
    popupLog.clear();
    Rig().Bound().ExtensionStatus().clear();
    Button(1059);
    EXPECT_EQ(Frames(), QStringList());
    EXPECT_EQ(popupLog, QStringList{"hide"});
}

INSTANTIATE_DB_TEST(CallNotificationTest);

}  // namespace
