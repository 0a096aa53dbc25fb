#include "mainframe.h"

#include "fakenotificationicon.h"

#include "findwindow.h"
#include "stringtable.h"
#include "tempsuite.h"
#include "waitfor.h"

#include "qstringprinter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace {

class MainFrameTest : public testing::Test {
protected:
    MainFrameTest() : m_log(std::make_shared<IconLog>()), m_frame(std::make_unique<FakeNotificationIcon>(m_log)) {}

    // Posts the message and delivers it, as the window's message loop would.
    void Send(std::uint32_t message, std::uint64_t wParam = 0, std::int64_t lParam = 0)
    {
        m_frame.Target().Post(message, wParam, lParam);
        QCoreApplication::sendPostedEvents(&m_frame);
    }

    void HideToIcon()
    {
        m_frame.show();
        Send(CMainFrame::kHideToIconMessage);
        ASSERT_TRUE(m_frame.IsIconShown());
        m_log->calls.clear();
    }

    std::shared_ptr<IconLog> m_log;
    CMainFrame m_frame;
};

TEST_F(MainFrameTest, HidesBehindTheIconWithTheProductName)
{
    m_frame.show();
    m_frame.SetBalloonText(QStringLiteral("kept for WM_USER+107"));
    Send(CMainFrame::kHideToIconMessage);

    EXPECT_TRUE(m_frame.IsIconShown());
    EXPECT_FALSE(m_frame.isVisible());
    ASSERT_EQ(m_log->calls.size(), 1u);
    const IconCall& add = m_log->calls[0];
    EXPECT_EQ(add.kind, IconCall::Add);
    EXPECT_EQ(add.data.tip, QStringLiteral("Pultex"));
    EXPECT_EQ(add.data.balloonTitle, QStringLiteral("Pultex"));
    EXPECT_TRUE(add.data.balloonText.isEmpty());

    Send(CMainFrame::kHideToIconMessage);  // already there: not added twice
    EXPECT_EQ(m_log->calls.size(), 1u);
}

TEST_F(MainFrameTest, RestoringRemovesTheIconAndNothingAddsItBackButHideToIcon)
{
    HideToIcon();
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kLeftDoubleClick);
    EXPECT_TRUE(m_frame.isVisible());
    EXPECT_FALSE(m_frame.IsIconShown());
    ASSERT_EQ(m_log->calls.size(), 1u);
    EXPECT_EQ(m_log->calls[0].kind, IconCall::Remove);

    // Balloons, clicks and a second restore neither add the icon nor touch it.
    for (std::uint32_t message = CMainFrame::kFaultBalloonMessage; message <= CMainFrame::kClearBalloonMessage;
         ++message)
        Send(message);
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kLeftDoubleClick);
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kRightButtonDown);
    EXPECT_EQ(m_log->calls.size(), 1u);
    EXPECT_TRUE(m_frame.isVisible());

    Send(CMainFrame::kHideToIconMessage);
    ASSERT_EQ(m_log->calls.size(), 2u);
    EXPECT_EQ(m_log->calls[1].kind, IconCall::Add);
    EXPECT_FALSE(m_frame.isVisible());
}

TEST_F(MainFrameTest, RightClickOpensTheMenuOnlyWhileTheIconIsShown)
{
    m_frame.show();
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kRightButtonDown);
    EXPECT_FALSE(m_frame.IconMenu()->isVisible());

    HideToIcon();
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kRightButtonDown);
    QMenu* menu = m_frame.IconMenu();
    EXPECT_TRUE(menu->isVisible());
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->objectName(), QStringLiteral("32771"));
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Visualizza"));
    EXPECT_EQ(actions[1]->objectName(), QStringLiteral("32772"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Esci"));
    menu->hide();
}

TEST_F(MainFrameTest, BalloonsOnTheShownIcon)
{
    struct Case {
        std::uint32_t message;
        QString text;
        NotificationIconData::BalloonIcon icon;
    };
    const QString ownText = QStringLiteral("Chiamata persa da 0612345678");
    const Case cases[] = {
        {CMainFrame::kFaultBalloonMessage,
         QStringLiteral("Malfunzionamento del sistema.\nDoppio click per maggiori dettagli"),
         NotificationIconData::kBalloonError},
        {CMainFrame::kRestoredBalloonMessage, QStringLiteral("Connessione ripristinata"),
         NotificationIconData::kBalloonInformation},
        {CMainFrame::kMemoryFullBalloonMessage,
         QStringLiteral("Memoria scheda risponditore piena.\nUtilizzare Vocadro per formattare la memoria"),
         NotificationIconData::kBalloonError},
        {CMainFrame::kTextBalloonMessage, ownText, NotificationIconData::kBalloonInformation},
        {CMainFrame::kClearBalloonMessage, QString(), NotificationIconData::kBalloonInformation},
    };
    HideToIcon();
    m_frame.SetBalloonText(ownText);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.message - WM_USER);
        m_log->calls.clear();
        Send(test.message);
        ASSERT_EQ(m_log->calls.size(), 1u);
        EXPECT_EQ(m_log->calls[0].kind, IconCall::Modify);
        EXPECT_EQ(m_log->calls[0].data.balloonText, test.text);
        EXPECT_EQ(m_log->calls[0].data.balloonIcon, test.icon);
        EXPECT_EQ(m_log->calls[0].data.balloonTitle, QStringLiteral("Pultex"));
    }
}

TEST_F(MainFrameTest, ShowFromTheMenuRestoresTheWindow)
{
    HideToIcon();
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kRightButtonDown);
    m_frame.IconMenu()->actions()[0]->trigger();
    m_frame.IconMenu()->hide();
    ASSERT_TRUE(WaitFor([&] { return m_frame.isVisible(); }));
    EXPECT_FALSE(m_frame.IsIconShown());
    ASSERT_FALSE(m_log->calls.empty());
    EXPECT_EQ(m_log->calls.back().kind, IconCall::Remove);
}

// Remembers the window messages a frame receives.
class MessageSpy : public QObject {
public:
    explicit MessageSpy(QObject* watched) { watched->installEventFilter(this); }
    std::vector<std::pair<std::uint32_t, std::uint64_t>> seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == WindowMessageEvent::EventType()) {
            const auto* message = static_cast<WindowMessageEvent*>(event);
            seen.emplace_back(message->Message(), message->WParam());
        }
        return false;
    }
};

TEST_F(MainFrameTest, QuitClosesThroughTheCloseDocumentCommand)
{
    HideToIcon();
    QSignalSpy closing(&m_frame, &CMainFrame::Closing);
    const MessageSpy messages(&m_frame);
    Send(CMainFrame::kIconMessage, 0, CMainFrame::kRightButtonDown);
    m_frame.IconMenu()->actions()[1]->trigger();
    m_frame.IconMenu()->hide();

    ASSERT_TRUE(WaitFor([&] { return closing.count() == 1; }));
    EXPECT_FALSE(m_frame.isVisible());
    const std::pair<std::uint32_t, std::uint64_t> quit{WM_COMMAND, CMainFrame::kQuitCommand};
    const std::pair<std::uint32_t, std::uint64_t> closeDocument{WM_COMMAND, CMainFrame::kCloseDocumentCommand};
    const auto quitAt = std::find(messages.seen.begin(), messages.seen.end(), quit);
    EXPECT_NE(quitAt, messages.seen.end());
    EXPECT_NE(std::find(quitAt, messages.seen.end(), closeDocument), messages.seen.end());
}

TEST_F(MainFrameTest, SecondStartAndUpdaterReachTheFrameByItsClass)
{
    TempSuite suite(QStringLiteral("Pultex"));
    const auto registration = RegisterPultexWindow(m_frame.Target());
    ASSERT_NE(registration, nullptr);
    HideToIcon();

    ASSERT_TRUE(PostToPultexWindow(CMainFrame::kIconMessage, 0, CMainFrame::kLeftDoubleClick));
    ASSERT_TRUE(WaitFor([&] { return m_frame.isVisible(); }));
    EXPECT_FALSE(m_frame.IsIconShown());

    QSignalSpy closing(&m_frame, &CMainFrame::Closing);
    ASSERT_TRUE(PostToPultexWindow(WM_COMMAND, CMainFrame::kCloseDocumentCommand, 0));
    ASSERT_TRUE(WaitFor([&] { return closing.count() == 1; }));
    EXPECT_FALSE(m_frame.isVisible());
}

TEST_F(MainFrameTest, IconIsRemovedAtTheEnd)
{
    HideToIcon();
    m_frame.RemoveNotificationIcon();
    ASSERT_EQ(m_log->calls.size(), 1u);
    EXPECT_EQ(m_log->calls[0].kind, IconCall::Remove);
    EXPECT_FALSE(m_frame.IsIconShown());
}

TEST(MainFrame, WithoutANotificationAreaTheWindowStaysShown)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());  // offscreen
    CMainFrame frame;  // the desktop's system tray
    frame.show();
    frame.Target().Post(CMainFrame::kHideToIconMessage, 0, 0);
    QCoreApplication::sendPostedEvents(&frame);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.IsIconShown());
    frame.Target().Post(CMainFrame::kFaultBalloonMessage, 0, 0);
    QCoreApplication::sendPostedEvents(&frame);
    EXPECT_TRUE(frame.isVisible());
}

TEST(MainFrame, CaptionAndBorderGoAfterStartUp)
{
    CMainFrame frame;
    frame.show();
    frame.RemoveCaptionAndBorder();
    EXPECT_TRUE(frame.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(frame.isVisible());
}

// Writes down what is posted to it.
class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        posted.push_back({message, wParam, lParam});
    }
    std::vector<std::tuple<std::uint32_t, std::uint64_t, std::int64_t>> posted;
};

TEST_F(MainFrameTest, ActivationAfterStartUpTellsTheViewsListsThenRedrawsItsInformation)
{
    RecordingTarget view;
    m_frame.SetViewTarget(&view);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&m_frame, &activate);
    EXPECT_TRUE(view.posted.empty());  // still starting

    m_frame.SetStarted();
    QCoreApplication::sendEvent(&m_frame, &activate);
    using Posted = std::tuple<std::uint32_t, std::uint64_t, std::int64_t>;
    const std::vector<Posted> expected = {{0x004E, 1035, -8}, {0x004E, 1037, -8}, {0x004E, 1036, -8}, {WM_USER + 61, 0, 0}};
    EXPECT_EQ(view.posted, expected);
}

TEST_F(MainFrameTest, TheAboutCommandShowsTheAboutBox)
{
    int shown = 0;
    m_frame.SetAboutBox([&shown] { ++shown; });
    Send(WM_COMMAND, CMainFrame::kAboutCommand);
    EXPECT_EQ(shown, 1);
}

TEST_F(MainFrameTest, WithoutANotificationAreaTheWindowsOwnMenuOffersExit)
{
    m_frame.show();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20), m_frame.mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(&m_frame, &click);
    EXPECT_FALSE(m_frame.IconMenu()->isVisible());  // the icon can be had: no menu on the window

    m_log->available = false;
    Send(CMainFrame::kHideToIconMessage);
    EXPECT_TRUE(m_frame.isVisible());
    EXPECT_TRUE(m_frame.HasNoNotificationArea());
    QCoreApplication::sendEvent(&m_frame, &click);
    QMenu* menu = m_frame.IconMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Esci"));
    QSignalSpy closing(&m_frame, &CMainFrame::Closing);
    menu->actions()[1]->trigger();
    QCoreApplication::sendPostedEvents(&m_frame);
    QCoreApplication::sendPostedEvents(&m_frame);
    EXPECT_EQ(closing.count(), 1);
    menu->hide();
}

}  // namespace
