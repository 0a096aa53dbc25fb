#include "framemessagerelay.h"
#include "mainframe.h"
#include "widgettesting.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace {

struct Recorder : MessageTarget {
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override { seen.push_back({message, wParam}); }
    std::vector<std::pair<std::uint32_t, std::uint64_t>> seen;
};

TEST(FrameMessageRelay, KeepsMessagesInOrderUntilTheWindowIsThereAndDropsThemAfter)
{
    FrameMessageRelay relay(CMainFrame::kExitCommand);
    Recorder frame;
    relay.Post(CMainFrame::kAccountPbx, 1, 0);
    relay.Post(CMainFrame::kAccountExtension, 2, 0);
    EXPECT_FALSE(relay.ExitRequested());
    relay.SetTarget(&frame);
    relay.Post(CMainFrame::kShowAccount, 0, 0);
    using Seen = std::vector<std::pair<std::uint32_t, std::uint64_t>>;
    EXPECT_EQ(frame.seen, (Seen{{CMainFrame::kAccountPbx, 1}, {CMainFrame::kAccountExtension, 2}, {CMainFrame::kShowAccount, 0}}));
    relay.SetTarget(nullptr);
    relay.Post(CMainFrame::kShowAccount, 0, 0);
    relay.SetTarget(&frame);
    EXPECT_EQ(frame.seen.size(), 3u);
}

TEST(FrameMessageRelay, TheExitCommandEndsAQuestionOfTheStart)
{
    FrameMessageRelay relay(CMainFrame::kExitCommand);
    QDialog question;
    QTimer::singleShot(0, [&relay] { relay.Post(WM_COMMAND, CMainFrame::kExitCommand, 0); });
    EXPECT_EQ(question.exec(), QDialog::Rejected);
    EXPECT_TRUE(relay.ExitRequested());
}

}  // namespace
