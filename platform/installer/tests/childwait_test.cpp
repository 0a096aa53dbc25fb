#include "childwait.h"

#include <csignal>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

TEST(ChildWait, ExitCodeOrNotStarted)
{
    const ChildOutcome outcome = RunChildAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 7")});
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.exitCode, 7);
    EXPECT_FALSE(RunChildAndWait(QStringLiteral("/nonexistent/program"), {}).started);
}

// Runs in a process of its own (each test does under CTest): the stop request stays noted.
TEST(ChildWait, StopRequestEndsTheWaitAndTheChildLivesOn)
{
    StopSignals::Install();
    std::thread signaller([] { ::kill(::getpid(), SIGTERM); });
    const ChildOutcome outcome = RunChildAndWait(QStringLiteral("/bin/sleep"), {QStringLiteral("5")});
    signaller.join();
    EXPECT_TRUE(StopSignals::Requested());
    EXPECT_TRUE(outcome.started);
    EXPECT_FALSE(outcome.exited);
}

}  // namespace
