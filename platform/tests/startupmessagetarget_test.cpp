#include "startupmessagetarget.h"

#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kExitMessage = WM_COMMAND;
constexpr std::uint64_t kExitCommand = 57665;

struct Recorded {
    std::uint32_t message;
    std::uint64_t wParam;
    bool operator==(const Recorded&) const = default;
};

class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t) override { posted.push_back({message, wParam}); }
    std::vector<Recorded> posted;
};

}  // namespace

TEST(StartupMessageTarget, MessagesWaitForTheFrameInOrderAndOtherCommandsAreNoTermination)
{
    StartupMessageTarget target(kExitMessage, kExitCommand);
    target.Post(kExitMessage, 57664, 0);  // the same message with another command only waits
    target.Post(WM_USER + 100, 4, 0);
    EXPECT_FALSE(target.TerminationRequested());

    RecordingTarget frame;
    target.Attach(&frame);
    target.Post(kExitMessage, kExitCommand, 0);  // the frame is there: the exit is its to handle
    const std::vector<Recorded> expected = {{kExitMessage, 57664}, {WM_USER + 100, 4}, {kExitMessage, kExitCommand}};
    EXPECT_EQ(frame.posted, expected);
    EXPECT_FALSE(target.TerminationRequested());
}

TEST(StartupMessageTarget, TheExitBeforeTheFrameClosesTheBoxTheStartupWaitsIn)
{
    for (const std::optional<std::uint64_t> filter : {std::optional<std::uint64_t>(kExitCommand), std::optional<std::uint64_t>()}) {
        StartupMessageTarget target(kExitMessage, filter);
        QDialog box;
        QTimer::singleShot(0, [&target] { target.Post(kExitMessage, kExitCommand, 0); });
        EXPECT_EQ(box.exec(), QDialog::Rejected);
        EXPECT_TRUE(target.TerminationRequested());
        RecordingTarget frame;
        target.Attach(&frame);
        EXPECT_TRUE(frame.posted.empty()) << "the exit is not delivered a second time";
    }
}
