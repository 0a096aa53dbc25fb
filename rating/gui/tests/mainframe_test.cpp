#include "mainframe.h"
#include "valuxaview.h"
#include "viewtesting.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace {

// Takes the view's compute commands before the view runs them, so that the frame's routing is seen alone.
class ComputeRecorder : public QObject {
public:
    explicit ComputeRecorder(std::vector<int>& commands) : m_commands(commands) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != WindowMessageEvent::EventType())
            return false;
        const auto* message = static_cast<const WindowMessageEvent*>(event);
        if (message->Message() != WM_COMMAND || message->WParam() != CValuxaView::kComputeCommand)
            return false;
        m_commands.push_back(CValuxaView::kComputeCommand);
        return true;
    }

private:
    std::vector<int>& m_commands;
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(data.configuration);
        view = new CValuxaView(data.configuration, data.pbxs, data.tariffPictures, data.rulePictures, false);
        view->SetCommandHandler([this](int command) { commands.push_back(command); });
        view->installEventFilter(&recorder);
        frame->SetView(view);
        frame->show();
        view->OnInitialUpdate();
        frame->LocalizeMenu();
    }

    void Post(std::uint32_t message, std::uint64_t wParam = 0, std::int64_t lParam = 0)
    {
        frame->Target().Post(message, wParam, lParam);
    }

    static void PostDate(CMainFrame& frame, std::uint32_t message, double days)
    {
        const auto bits = std::bit_cast<std::uint64_t>(days);
        frame.Target().Post(message, bits & 0xFFFFFFFFu, static_cast<std::int64_t>(bits >> 32));
    }

    // Runs the posted messages, answering each error box; the boxes seen.
    int Settle(const std::function<void()>& whileBoxOpen = {})
    {
        int boxes = 0;
        ModalAnswerer answerer([&](QDialog* box) {
            ++boxes;
            if (whileBoxOpen)
                whileBoxOpen();
            box->accept();
        });
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
        WaitFor([&] { return QApplication::activeModalWidget() == nullptr; });
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
        return boxes;
    }

    ViewFixtureData data;
    std::vector<int> commands;
    ComputeRecorder recorder{commands};
    std::unique_ptr<CMainFrame> frame;
    CValuxaView* view = nullptr;
};

TEST_F(FrameTest, MenuToolbarAndCaptionComeFromTheStringTable)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tarivo"));
    const QList<QAction*> popups = frame->menuBar()->actions();
    ASSERT_EQ(popups.size(), 4);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("Gestione file"));
    EXPECT_EQ(popups[3]->text(), QStringLiteral("&?"));
    EXPECT_EQ(frame->menuBar()->findChild<QAction*>(QStringLiteral("57604"))->text(),
              QStringLiteral("&Salva con nome...\tCTRL+S"));
    EXPECT_EQ(frame->menuBar()->findChild<QAction*>(QStringLiteral("57664"))->text(),
              QStringLiteral("Informazioni su Tarivo..."));
    ASSERT_EQ(frame->ToolBar()->actions().size(), 7);
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(96, 32));
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);

    frame->ToolBar()->actions()[0]->trigger();  // "Tariffe"
    Settle();
    EXPECT_EQ(view->mode(), kTariffsMode);
    SaveScreenshot(*frame, QStringLiteral("rating_frame"));
    frame->menuBar()->findChild<QAction*>(QStringLiteral("32771"))->trigger();
    Settle();
    EXPECT_EQ(view->mode(), kHistoryMode);
    emit frame->Menu()->aboutToShow();
    EXPECT_TRUE(frame->menuBar()->findChild<QAction*>(QStringLiteral("32771"))->isChecked());
    EXPECT_FALSE(frame->menuBar()->findChild<QAction*>(QStringLiteral("32774"))->isChecked());
}

TEST_F(FrameTest, ExtensionIsCheckedAgainstThePbxSelectedAtThatMoment)
{
    Post(CMainFrame::kAccountExtension, 6);  // PBX 0 has 8 extensions
    Post(CMainFrame::kAccountPbx, 1);
    Post(CMainFrame::kAccountExtension, 6);  // PBX 1 has 5: refused
    EXPECT_EQ(Settle(), 1);
    EXPECT_EQ(view->m_accountExtension, 6);
    EXPECT_EQ(view->m_accountPbx, 1);
    EXPECT_TRUE(frame->RequestError());
}

TEST_F(FrameTest, AFailedPbxShowsThePreviousOneAndSwallowsOneCompute)
{
    Post(CMainFrame::kAccountPbx, 300);  // not cut to a byte: 300 is no PBX (44 would not be either)
    Post(CMainFrame::kShowAccount);
    Post(CMainFrame::kCloseAccount);
    EXPECT_EQ(Settle(), 1);
    EXPECT_EQ(view->mode(), kAccountMode);
    EXPECT_EQ(view->m_accountPbx, 0);
    EXPECT_TRUE(commands.empty());
    EXPECT_FALSE(frame->RequestError());
    EXPECT_EQ(view->m_applyFlag, 0);

    Post(CMainFrame::kCloseAccount);
    Settle();
    EXPECT_EQ(commands, std::vector<int>{CValuxaView::kComputeCommand});
    EXPECT_EQ(view->m_applyFlag, 1);

    Post(CMainFrame::kHistoryPbx, 256 + 1);
    Post(CMainFrame::kHistoryExtension, 300);
    Post(CMainFrame::kCompute);
    Post(CMainFrame::kCompute);
    EXPECT_EQ(Settle(), 2);
    EXPECT_EQ(view->m_historyPbx, 0);
    EXPECT_EQ(commands.size(), 2u);  // the first compute was swallowed, the second ran
}

TEST_F(FrameTest, DatesOfZeroOrNoDateAreIgnored)
{
    const OleDate before = view->m_accountStart;
    PostDate(*frame, CMainFrame::kAccountStart, 0.0);
    PostDate(*frame, CMainFrame::kAccountStart, std::nan(""));
    PostDate(*frame, CMainFrame::kAccountStart, 1e300);
    Settle();
    EXPECT_EQ(view->m_accountStart, before);
    EXPECT_TRUE(view->m_accountStart.IsValid());

    const OleDate december(2026, 12, 1, 8, 30, 0);
    PostDate(*frame, CMainFrame::kAccountEnd, december.Value());
    PostDate(*frame, CMainFrame::kHistoryStart, december.Value());
    PostDate(*frame, CMainFrame::kHistoryEnd, december.Value());
    Settle();
    EXPECT_EQ(view->m_accountEnd, december);
    EXPECT_EQ(view->m_historyStart, december);
    EXPECT_EQ(view->m_historyEnd, december);
}

TEST_F(FrameTest, LaterMessagesWaitWhileTheErrorBoxIsOpen)
{
    const OleDate december(2026, 12, 1);
    Post(CMainFrame::kHistoryPbx, 7);
    PostDate(*frame, CMainFrame::kHistoryStart, december.Value());
    bool startSetWhileOpen = true;
    EXPECT_EQ(Settle([&] { startSetWhileOpen = view->m_historyStart == december; }), 1);
    EXPECT_FALSE(startSetWhileOpen);
    EXPECT_EQ(view->m_historyStart, december);
}

TEST_F(FrameTest, ActivationOnlyWhenNotInFront)
{
    int activations = 0;
    QObject::connect(frame.get(), &CMainFrame::Activated, [&] { ++activations; });
    frame->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return frame->isActiveWindow(); }));
    Post(CMainFrame::kActivate);
    Settle();
    EXPECT_EQ(activations, 0);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return other.isActiveWindow(); }));
    Post(CMainFrame::kActivate);
    Settle();
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(WaitFor([&] { return frame->isActiveWindow(); }));
}

TEST_F(FrameTest, RestoreDefaultsAsksTwiceAndMarksTheConfiguration)
{
    std::vector<QMessageBox::StandardButton> answers = {QMessageBox::No};
    auto answer = [&](QDialog* box) {
        PressButton(box, answers.front());
        answers.erase(answers.begin());
    };
    {
        ModalAnswerer answerer(answer);
        frame->OnRestoreDefaults();
    }
    EXPECT_FALSE(data.configuration.restoreDefaults);

    answers = {QMessageBox::Yes, QMessageBox::No};
    {
        ModalAnswerer answerer(answer);
        frame->OnRestoreDefaults();
    }
    EXPECT_TRUE(data.configuration.restoreDefaults);
    Settle();
    EXPECT_TRUE(frame->isVisible());  // No: the program goes on

    answers = {QMessageBox::Yes, QMessageBox::Yes};
    {
        ModalAnswerer answerer(answer);
        frame->OnRestoreDefaults();
    }
    Settle();
    EXPECT_FALSE(frame->isVisible());  // Yes: the exit command closed the window
}

}  // namespace
