// The entry-phones window against Simulvex through Pultex: the right-click menu and its call, the
// double click by the entry phone's state and this station's, a hidden entry phone, the second PBX's
// entry phones with and without the option, and screenshots.
#include "clippedtextcheck.h"
#include "entryphoneview.h"
#include "language.h"
#include "objectwindowsfixture.h"

#include <QMenu>

namespace {

using namespace objectwindows;

constexpr std::uint8_t kLinkedEntryPhone = 3;

class EntryPhoneViewTest : public ObjectWindowsTest {
protected:
    // The window's timer draws with the database: it goes before the engine and the database do.
    void TearDown() override
    {
        m_view.reset();
        ObjectWindowsTest::TearDown();
    }
    CEntryPhoneView* OpenView()
    {
        m_view = std::make_unique<CEntryPhoneView>(m_context, [this](int index) {
            return (m_records.main.ObjectFlags(MainSettings::kEntryPhones, index) & 1) != 0;
        });
        m_view->resize(300, 300);
        m_view->show();
        m_redraw.view = m_view.get();
        return m_view.get();
    }
    void SetEntryPhoneState(int entryPhone, std::uint8_t state)
    {
        m_state.tables.entryPhoneStatus[static_cast<std::size_t>(entryPhone)].bytes[EntryPhoneEntry::kStateOffset] = state;
    }
    void DoubleClick(int entryPhone)
    {
        const int row = m_view->FindObjectItem(entryPhone);
        ASSERT_GE(row, 0);
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualItemRect(m_view->item(row)).center());
    }
    bool MenuOpen() const { return m_view->ContextMenu()->isVisible(); }
    QAction* CallAction() const { return m_view->ContextMenu()->actions().constFirst(); }

    std::unique_ptr<CEntryPhoneView> m_view;
};

TEST_P(EntryPhoneViewTest, TheMenuCallsAnIdleEntryPhoneFromAReadyStation)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    ClickBetween(*m_view, Qt::RightButton);
    EXPECT_FALSE(MenuOpen());

    struct Case {
        std::uint8_t own;
        std::uint8_t entryPhone;
        bool enabled;
    };
    for (const Case c : {Case{kStateReady, kStateReady, true}, Case{kStateConnected, kStateReady, false},
                         Case{kStateReady, kStateDialling, false}}) {
        SetOwnState(c.own);
        SetEntryPhoneState(1, c.entryPhone);
        ClickObject(*m_view, 1, Qt::RightButton);
        ASSERT_TRUE(MenuOpen());
        EXPECT_EQ(CallAction()->text(), QStringLiteral("Chiama"));
        EXPECT_EQ(CallAction()->isEnabled(), c.enabled) << int(c.own) << " " << int(c.entryPhone);
        m_view->ContextMenu()->close();
    }
    SetOwnState(kStateReady);
    SetEntryPhoneState(1, kStateReady);
    ClickObject(*m_view, 1, Qt::RightButton);
    CallAction()->trigger();
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), FormatEntryPhoneNumber(m_state, 1)}));
    EXPECT_EQ(FormatEntryPhoneNumber(m_state, 1), QStringLiteral("72"));
}

TEST_P(EntryPhoneViewTest, ADoubleClickCallsAnswersOrOpensByBothStates)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    struct Case {
        std::uint8_t entryPhone;
        std::uint8_t own;
        std::uint8_t ownLink;  // the own extension's link type, to entry phone 0
        QStringList requests;
    };
    const Case cases[] = {
        {kStateReady, kStateReady, 0, {QStringLiteral("offhook"), QStringLiteral("71")}},
        {kStateConnected, kStateConnected, kLinkedEntryPhone, {QStringLiteral("F70")}},
        {kStateDialling, kStateReady, 0, {QStringLiteral("offhook"), QStringLiteral("9")}},
        {kStateDialling, kStateIncomingCall, kLinkedEntryPhone, {QStringLiteral("offhook")}},
        {kStateDialling, kStateConnected, 0, {QStringLiteral("F9")}},
        // Talking to someone else, or rung by another entry phone: nothing.
        {kStateConnected, kStateConnected, 0, {}},
        {kStateDialling, kStateIncomingCall, 0, {}},
        {kStateReady, kStateConnected, 0, {}},
        {kStateNotReady, kStateReady, 0, {}},
    };
    for (const Case& c : cases) {
        SetEntryPhoneState(0, c.entryPhone);
        SetOwnState(c.own, c.ownLink, 0);
        DoubleClick(0);
        EXPECT_EQ(Requests(), c.requests) << int(c.entryPhone) << " " << int(c.own) << " " << int(c.ownLink);
        Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
        Requests();
    }
    EXPECT_TRUE(m_progress.Errors().isEmpty());
}

TEST_P(EntryPhoneViewTest, AHiddenEntryPhoneHasNoItemButKeepsItsImage)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_records.main.SetObjectFlags(MainSettings::kEntryPhones, 1, 0);
    OpenView();
    ASSERT_EQ(m_view->count(), m_model.entryPhones - 1);
    EXPECT_EQ(m_view->FindObjectItem(1), -1);
    const int row = m_view->FindObjectItem(2);
    ASSERT_EQ(row, 1);
    const QImage& image = *m_images->List(ObjectKind::EntryPhones).Image(2);
    EXPECT_EQ(m_view->item(row)->icon().pixmap(image.size()).toImage().convertToFormat(image.format()), image);
    EXPECT_EQ(m_images->List(ObjectKind::EntryPhones).Count(), m_model.entryPhones);
}

TEST_P(EntryPhoneViewTest, TheSecondPbxsEntryPhonesAreServedThroughAFreeLineOnlyWithTheOption)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    AddSecondPbx(2, 1, 2, 0);
    if (HasFatalFailure())
        return;
    OpenView();
    const int second = m_model.entryPhones + 1;  // its second entry phone
    ASSERT_EQ(m_view->count(), m_model.entryPhones + 2);
    SetEntryPhoneState(second, kStateReady);
    ClickObject(*m_view, second, Qt::RightButton);
    EXPECT_FALSE(MenuOpen());
    DoubleClick(second);
    EXPECT_EQ(Requests(), QStringList());

    SetSecondPbxOption(CEntryPhoneView::kSecondPbxEntryPhonesOption);
    ClickObject(*m_view, second, Qt::RightButton);
    ASSERT_TRUE(MenuOpen());
    EXPECT_TRUE(CallAction()->isEnabled());
    m_view->ContextMenu()->close();
    struct Case {
        std::uint8_t state;
        const char* dialled;
    };
    for (const Case c : {Case{kStateReady, "72"}, Case{kStateDialling, "9"}}) {
        SetEntryPhoneState(second, c.state);
        DoubleClick(second);
        const QStringList requests = Requests();
        ASSERT_GE(requests.size(), 2) << int(c.state);
        EXPECT_EQ(requests.at(1), QStringLiteral("F") + FormatLineAccessCode(m_state, 1) + QLatin1StringView(c.dialled));
        Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
        Requests();
    }
}

TEST_P(EntryPhoneViewTest, WindowAtItsPlaceInTheFrameInBothLanguages)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_TRUE(Simulvex(QStringLiteral("set state entryphone 2 13")).startsWith(QStringLiteral("OK")));
    ASSERT_TRUE(DispatchUntil([this] { return m_state.tables.entryPhoneStatus[2].State() == kStateDialling; }));
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        m_images->BuildImageLists(3);
        m_images->BuildImageLists(4);
        CMainFrame& frame = Frame();
        frame.ToggleWindow(ObjectWindow::EntryPhones);
        frame.ToggleWindow(ObjectWindow::Relays);
        QMdiSubWindow* sub = frame.SubWindow(ObjectWindow::EntryPhones);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->windowTitle(), LoadResString(10016));
        ASSERT_TRUE(WaitFor([&] { return sub->isVisible(); }));
        EXPECT_TRUE(HasNoClippedText(*sub));
        SaveScreenshot(*sub, QStringLiteral("entryphoneview_frame_%1").arg(language));
        frame.ToggleWindow(ObjectWindow::Relays);
        frame.ToggleWindow(ObjectWindow::EntryPhones);
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(EntryPhoneViewTest);

}  // namespace
