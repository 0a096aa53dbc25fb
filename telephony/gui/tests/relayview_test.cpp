// The relays window against Simulvex through Pultex: what a click dials on the own extension, the state
// of a load relayed to every console and drawn, what a click leaves alone, the second PBX's relays, the
// extended numbering, a PBX that does not answer, the hidden relays and screenshots of a relay off and on.
#include "clippedtextcheck.h"
#include "language.h"
#include "objectwindowsfixture.h"
#include "relayframe.h"
#include "relayview.h"

#include <QTcpServer>

namespace {

using namespace objectwindows;

constexpr int kLoad = 0;  // programmed as a load; relay 1 stays a door
constexpr int kDoor = 1;
constexpr std::uint8_t kStateMarker = 99;

class RelayViewTest : public ObjectWindowsTest {
protected:
    // The window's timer draws with the database: it goes before the engine and the database do.
    void TearDown() override
    {
        m_view.reset();
        ObjectWindowsTest::TearDown();
    }
    void StartWithALoad()
    {
        Start();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(Simulvex(QStringLiteral("set programming relay %1 2 1").arg(kLoad)).startsWith(QStringLiteral("OK")));
        ASSERT_TRUE(DispatchUntil([this] { return m_state.tables.relayProgramming[kLoad][2] != 0; }));
        ASSERT_EQ(m_state.tables.relayStatus[kLoad], 0);
        Requests();
    }

    CRelayView* OpenView()
    {
        m_view = std::make_unique<CRelayView>(m_context, [this](int index) {
            return (m_records.main.ObjectFlags(MainSettings::kRelays, index) & 1) != 0;
        });
        m_view->resize(300, 200);
        m_view->show();
        m_redraw.view = m_view.get();
        return m_view.get();
    }

    // Clicks the load and waits for its new state to come back through the engine.
    void SwitchLoad(std::uint8_t expected)
    {
        ClickObject(*m_view, kLoad);
        ASSERT_EQ(m_state.tables.relayStatus[kLoad], expected);
        m_state.tables.relayStatus[kLoad] = kStateMarker;
        EXPECT_TRUE(DispatchUntil([&] { return m_state.tables.relayStatus[kLoad] == expected; }))
            << int(m_state.tables.relayStatus[kLoad]);
    }

    std::unique_ptr<CRelayView> m_view;
};

TEST_P(RelayViewTest, ALoadSwitchesOnAndOffAndEveryConsoleLearnsItsState)
{
    StartWithALoad();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    SaveScreenshot(*m_view, QStringLiteral("relayview_off"));

    struct Step {
        std::uint8_t own;
        std::uint8_t newState;
        QStringList requests;
    };
    const Step steps[] = {
        {kStateReady, 1, {QStringLiteral("offhook"), QStringLiteral("4711"), QStringLiteral("onhook")}},
        {kStateReady, 0, {QStringLiteral("offhook"), QStringLiteral("4701"), QStringLiteral("onhook")}},
        // During a call the code follows a flash and, a second later, F9 takes the call back.
        {kStateConnected, 1, {QStringLiteral("F4711F9")}},
    };
    for (const Step& step : steps) {
        SetOwnState(step.own);
        m_pauses.clear();
        SwitchLoad(step.newState);
        EXPECT_EQ(Requests(), step.requests) << int(step.newState);
        EXPECT_EQ(m_pauses, std::vector<std::chrono::milliseconds>{1000ms});
        EXPECT_TRUE(m_progress.events.isEmpty()) << m_progress.events.join(u',').toStdString();
    }
    SaveScreenshot(*m_view, QStringLiteral("relayview_on"));
    // The relayed state redrew the load's icon and its item.
    EXPECT_NE(std::count(m_redraw.redraws.begin(), m_redraw.redraws.end(),
                         std::pair<PbxObjectType, int>{kObjectRelay, kLoad}),
              0);
}

TEST_P(RelayViewTest, ADoorOpensWithoutAStateAndOtherClicksDoNothing)
{
    StartWithALoad();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    m_redraw.redraws.clear();
    ClickObject(*m_view, kDoor);
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("4712"), QStringLiteral("onhook")}));
    // An entry phone's change after the click: by then a relayed state would have come too.
    ASSERT_TRUE(Simulvex(QStringLiteral("set state entryphone 0 13")).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([this] { return m_state.tables.entryPhoneStatus[0].State() == kStateDialling; }));
    for (const auto& [kind, index] : m_redraw.redraws)
        EXPECT_NE(kind, kObjectRelay) << index;
    EXPECT_EQ(m_state.tables.relayStatus[kDoor], 0);

    for (const std::uint8_t own : {kStateIncomingCall, kStateCallHeld, kStateNotReady, kStateDialling}) {
        SetOwnState(own);
        ClickObject(*m_view, kLoad);
        ClickObject(*m_view, kDoor);
        EXPECT_EQ(Requests(), QStringList()) << int(own);
    }
    SetOwnState(kStateReady);
    ClickBetween(*m_view);
    ClickObject(*m_view, kLoad, Qt::RightButton);
    EXPECT_EQ(Requests(), QStringList());
    EXPECT_EQ(m_state.tables.relayStatus[kLoad], 0);
}

TEST_P(RelayViewTest, ExtendedNumberingTakesTheFourDigitCodes)
{
    StartWithALoad();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_state.firstConfiguration.bytes[PbxSystemConfiguration::kRenumberingOffset] = 1;
    m_state.firstConfiguration.bytes[PbxSystemConfiguration::kExtensionBitmap1Offset] = 0x40;
    OpenView();
    ClickObject(*m_view, kDoor + 1);
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("84713"), QStringLiteral("onhook")}));
    SetOwnState(kStateConnected);
    SwitchLoad(1);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("F84711F9")});
}

TEST_P(RelayViewTest, AFailedDialLeavesTheLoadAsItWas)
{
    StartWithALoad();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    // Off hook without key 64, the digits and on hook get no answer from a PBX, so a silent PBX fails
    // none of them: the engine that cannot be reached does. In a call the dial is the first request.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    auto unreachable = std::make_unique<CEngineClient>("127.0.0.1", closed.serverPort());
    closed.close();
    std::swap(m_client, unreachable);
    for (const std::uint8_t own : {kStateConnected, kStateReady}) {
        SetOwnState(own);
        m_progress.events.clear();
        ClickObject(*m_view, kLoad);
        ASSERT_EQ(m_progress.Errors().size(), 1) << int(own);
        EXPECT_NE(m_progress.Errors().constFirst(), QStringLiteral("error 0"));
        EXPECT_EQ(m_state.tables.relayStatus[kLoad], 0) << int(own);
    }
    std::swap(m_client, unreachable);
    // The next click dials the code of the state the relay is in, and that state goes to the consoles.
    Requests();
    SetOwnState(kStateReady);
    SwitchLoad(1);
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("4711"), QStringLiteral("onhook")}));
}

TEST_P(RelayViewTest, HiddenRelaysHaveNoItemAndTheOthersCloseUp)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_records.main.SetObjectFlags(MainSettings::kRelays, kDoor, 0);
    OpenView();
    ASSERT_EQ(m_view->count(), m_model.relays - 1);
    EXPECT_EQ(m_view->FindObjectItem(kDoor), -1);
    EXPECT_EQ(m_view->FindObjectItem(kDoor + 1), 1);
    EXPECT_EQ(m_view->visualItemRect(m_view->item(1)).topLeft(), QPoint(m_view->CellSize().width(), 0));
}

TEST_P(RelayViewTest, TheSecondPbxsRelaysAreSwitchedThroughAFreeLineOnlyWithTheOption)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddSecondPbx(2, 1, 1, 2);  // its relays are loads, both on
    if (HasFatalFailure())
        return;
    const int secondLoad = m_model.relays + 1;  // its second relay
    ASSERT_EQ(m_state.tables.relayStatus[static_cast<std::size_t>(secondLoad)], 1);
    OpenView();
    ASSERT_EQ(m_view->count(), m_model.relays + 2);

    ClickObject(*m_view, secondLoad);
    EXPECT_EQ(Requests(), QStringList());
    SetSecondPbxOption(CRelayView::kSecondPbxRelaysOption);
    ClickObject(*m_view, secondLoad);
    // Off hook, a flash (the written programming asks for one), the first free line's access code with the
    // second PBX's code, key 64; a second later on hook.
    const QString dialled = QStringLiteral("F") + FormatLineAccessCode(m_state, 1) + QStringLiteral("4702");
    const QStringList requests = Requests();
    ASSERT_GE(requests.size(), 3) << requests.join(u',').toStdString();
    EXPECT_EQ(requests.mid(0, 2), (QStringList{QStringLiteral("offhook"), dialled}));
    EXPECT_TRUE(requests.contains(QStringLiteral("onhook")));
    EXPECT_EQ(m_state.tables.relayStatus[static_cast<std::size_t>(secondLoad)], 0);
}

TEST_P(RelayViewTest, WindowAtItsPlaceInTheFrameInBothLanguages)
{
    StartWithALoad();
    if (IsSkipped() || HasFatalFailure())
        return;
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        m_state.tables.relayStatus[kLoad] = 1;
        m_images->BuildImageLists(4);
        CMainFrame& frame = Frame();
        frame.ToggleWindow(ObjectWindow::Relays);
        QMdiSubWindow* sub = frame.SubWindow(ObjectWindow::Relays);
        ASSERT_NE(qobject_cast<CRelayFrame*>(sub), nullptr);
        EXPECT_FALSE(sub->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(sub->windowTitle(), LoadResString(10150));
        ASSERT_TRUE(WaitFor([&] { return sub->isVisible() && frame.RelaysView()->count() == m_model.relays; }));
        EXPECT_TRUE(HasNoClippedText(*sub));
        EXPECT_EQ(frame.RelaysView()->InfoTip(kDoor), QStringLiteral("DOOR 2"));
        SaveScreenshot(*sub, QStringLiteral("relayview_frame_%1").arg(language));
        frame.ToggleWindow(ObjectWindow::Relays);
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(RelayViewTest);

}  // namespace
