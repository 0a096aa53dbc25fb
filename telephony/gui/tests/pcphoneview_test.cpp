// The PC phone against Simulvex through Pultex: what each key sends by the own extension's state, the
// two call sequences by the dial string's start, redial, Backspace and Delete, failures shown with the
// wait box closed after them, and both layouts in the frame in both languages.
#include "clippedtextcheck.h"
#include "extbutton.h"
#include "folders.h"
#include "keypaddisplay.h"
#include "language.h"
#include "objectwindowsfixture.h"
#include "pcphoneframe.h"
#include "pcphoneview.h"

#include <QFile>
#include <QTcpServer>

namespace {

using namespace objectwindows;

class PcPhoneViewTest : public ObjectWindowsTest {
protected:
    // The window's timer draws with the database: it goes before the engine and the database do.
    void TearDown() override
    {
        m_view.reset();
        ObjectWindowsTest::TearDown();
    }
    CPCPhoneView* OpenView()
    {
        m_view = std::make_unique<CPCPhoneView>(m_context);
        m_view->show();
        return m_view.get();
    }
    void Press(std::uint32_t key)
    {
        CExtButton* button = m_view->Key(key);
        ASSERT_NE(button, nullptr) << key;
        button->click();
    }
    QByteArray OwnDigits() const
    {
        return m_state.tables.extensionStatus[static_cast<std::size_t>(kOwnExtension)].Digits();
    }

    std::unique_ptr<CPCPhoneView> m_view;
};

constexpr std::uint32_t kKey5 = 1004;

TEST_P(PcPhoneViewTest, DigitKeysCollectTheDialStringWhenReadyAndGoToThePbxInACall)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    Press(kKey5);
    Press(1010);
    Press(1011);
    EXPECT_EQ(m_view->DialString(), QStringLiteral("50#"));
    EXPECT_EQ(m_state.ownExtensionPeerText, QStringLiteral("50#"));
    EXPECT_EQ(m_view->Display()->SecondLine(), QStringLiteral("50#"));
    EXPECT_EQ(Requests(), QStringList());

    for (const std::uint8_t own : {kStateNotReady, kStateExternalCall}) {
        SetOwnState(own);
        Press(kKey5);
        EXPECT_EQ(Requests(), QStringList()) << int(own);
    }
    SetOwnState(kStateConnected);
    Press(kKey5);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("5")});
    Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
    // The hang-up's own events come first, or they would clear the digit that follows.
    ASSERT_TRUE(DispatchUntil([this] {
        return m_state.tables.extensionStatus[static_cast<std::size_t>(kOwnExtension)]
                   .bytes[ExtensionEntry::kStateOffset] == kStateReady;
    }));
    // Dialling, the digit also goes to every console as a dialled-digit event.
    SetOwnState(kStateDialling);
    Press(1008);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("9")});
    EXPECT_TRUE(DispatchUntil([this] { return OwnDigits().endsWith('9'); })) << OwnDigits().toStdString();
    EXPECT_TRUE(m_progress.events.isEmpty()) << m_progress.events.join(u',').toStdString();
}

TEST_P(PcPhoneViewTest, TheCallKeyTakesTheSequenceOfTheDialStringsStart)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    // Ready without a dial string: nothing.
    Press(CPCPhoneView::kCallCommand);
    EXPECT_EQ(Requests(), QStringList());
    EXPECT_TRUE(m_progress.events.isEmpty());

    using Pauses = std::vector<std::chrono::milliseconds>;
    struct Case {
        const char* dial;
        bool flashFirst;
        QStringList requests;
        Pauses pauses;
    };
    const QString on = QStringLiteral("key64 on");
    const QString off = QStringLiteral("offhook");
    const Case cases[] = {
        {"8612", false, {off, QStringLiteral("8612"), on}, {1000ms}},
        {"0612", false, {off, QStringLiteral("0612"), on}, {1000ms}},
        {"*21", false, {off, QStringLiteral("*21"), on}, {1000ms}},
        {"612", true, {off, QStringLiteral("F612"), on}, {1000ms, 1000ms}},
        {"812", false, {off, on, QStringLiteral("812")}, {500ms, 500ms}},
        {"#21", false, {off, on, QStringLiteral("#21")}, {500ms, 500ms}},
        {"203", true, {off, on, QStringLiteral("F203")}, {500ms, 500ms, 1000ms}},
    };
    auto& programming = m_state.tables.extensionProgramming[static_cast<std::size_t>(kOwnExtension)];
    for (const Case& c : cases) {
        programming[2] = c.flashFirst ? 1 : 0;
        m_state.ownExtensionPeerText = QString::fromLatin1(c.dial);
        m_pauses.clear();
        m_progress.events.clear();
        Press(CPCPhoneView::kCallCommand);
        EXPECT_EQ(Requests(), c.requests) << c.dial;
        EXPECT_EQ(m_pauses, c.pauses) << c.dial;
        EXPECT_EQ(m_progress.events, (QStringList{QStringLiteral("wait Attendere prego..."), QStringLiteral("closed")}))
            << c.dial;
        // The dial string stays for the frame to replace from the extension's new state.
        EXPECT_EQ(m_view->DialString(), QString::fromLatin1(c.dial));
        Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
        Requests();
    }
    programming[2] = 0;

    // Ringing, the call key answers; hang-up and flash in a call.
    SetOwnState(kStateIncomingCall);
    Press(CPCPhoneView::kCallCommand);
    EXPECT_EQ(Requests(), (QStringList{off, on}));
    SetOwnState(kStateConnected);
    Press(CPCPhoneView::kFlashCommand);
    Press(CPCPhoneView::kHangUpCommand);
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("F"), QStringLiteral("onhook"), QStringLiteral("key64 off")}));
    SetOwnState(kStateReady);
    Press(CPCPhoneView::kFlashCommand);
    EXPECT_EQ(Requests(), QStringList());
}

TEST_P(PcPhoneViewTest, RedialBackspaceAndDeleteOnlyWhileReady)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    m_state.lastNumber = QStringLiteral("8612");
    SetOwnState(kStateConnected);
    Press(CPCPhoneView::kRedialCommand);
    EXPECT_EQ(Requests(), QStringList());
    EXPECT_EQ(m_view->DialString(), QString());

    SetOwnState(kStateReady);
    m_view->DeleteLastDigit();
    m_view->ClearDialString();
    EXPECT_EQ(m_view->DialString(), QString());
    Press(kKey5);
    Press(kKey5);
    m_view->DeleteLastDigit();
    EXPECT_EQ(m_view->DialString(), QStringLiteral("5"));
    m_view->ClearDialString();
    EXPECT_EQ(m_view->Display()->SecondLine(), QString());

    Press(CPCPhoneView::kRedialCommand);
    EXPECT_EQ(m_view->DialString(), QStringLiteral("8612"));
    EXPECT_EQ(Requests(), (QStringList{QStringLiteral("offhook"), QStringLiteral("8612"), QStringLiteral("key64 on")}));
}

TEST_P(PcPhoneViewTest, AFailureIsShownBeforeTheWaitBoxCloses)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    OpenView();
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    auto unreachable = std::make_unique<CEngineClient>("127.0.0.1", closed.serverPort());
    closed.close();
    std::swap(m_client, unreachable);
    m_state.ownExtensionPeerText = QStringLiteral("8612");
    Press(CPCPhoneView::kCallCommand);
    ASSERT_EQ(m_progress.events.size(), 3) << m_progress.events.join(u',').toStdString();
    EXPECT_EQ(m_progress.events.at(0), QStringLiteral("wait Attendere prego..."));
    EXPECT_TRUE(m_progress.events.at(1).startsWith(QStringLiteral("error ")));
    EXPECT_EQ(m_progress.events.at(2), QStringLiteral("closed"));
    std::swap(m_client, unreachable);
    EXPECT_EQ(Requests(), QStringList());
}

TEST_P(PcPhoneViewTest, BothLayoutsInTheFrameInBothLanguages)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_state.ownExtensionPeerText = QStringLiteral("0612345");
    // The keypad's picture as the suite installs it.
    const QString picture = GetSharedFolder() + CPCPhoneView::kBackgroundFile;
    ASSERT_TRUE(QFile::copy(QStringLiteral(SUITE_SHARED_ASSETS "/") + CPCPhoneView::kBackgroundFile, picture));
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        for (const bool strip : {true, false}) {
            m_records.main.SetPcPhoneOption(strip ? 1 : 0);
            CMainFrame& frame = Frame();
            frame.ToggleWindow(ObjectWindow::PcPhone);
            auto sub = qobject_cast<CPCPhoneFrame*>(frame.SubWindow(ObjectWindow::PcPhone));
            ASSERT_NE(sub, nullptr);
            CPCPhoneView* phone = frame.PcPhoneView();
            ASSERT_TRUE(WaitFor([&] { return sub->isVisible(); }));
            EXPECT_EQ(phone->IsStripLayout(), strip);
            EXPECT_EQ(bool(sub->windowFlags() & Qt::FramelessWindowHint), strip);
            EXPECT_FALSE(sub->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            EXPECT_EQ(sub->windowTitle(), LoadResString(10017) + QStringLiteral(" - ") + m_context.ExtensionName(kOwnExtension));
            EXPECT_EQ(phone->Display()->SecondLine(), QStringLiteral("0612345"));
            // Every key and the display lie inside the window the frame gives the phone.
            for (std::uint32_t id : {1000u, 1011u, 1012u, 1013u, 1015u, 1016u})
                EXPECT_TRUE(phone->rect().contains(phone->Key(id)->geometry())) << id << " strip " << strip;
            EXPECT_TRUE(phone->rect().contains(phone->Display()->geometry()));
            EXPECT_TRUE(HasNoClippedText(*sub));
            SaveScreenshot(*sub, QStringLiteral("pcphoneview_%1_%2").arg(strip ? "strip" : "keypad").arg(language));
            frame.ToggleWindow(ObjectWindow::PcPhone);
        }
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(PcPhoneViewTest);

}  // namespace
