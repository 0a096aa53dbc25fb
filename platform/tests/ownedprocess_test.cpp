#include "ownedprocess.h"

#include "waitfor.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(OwnedProcess, TerminateEndsTheProgramItStarted)
{
    OwnedProcess process;
    ASSERT_TRUE(process.Start(QStringLiteral("/bin/sleep"), {QStringLiteral("60")}));
    EXPECT_TRUE(process.IsRunning());
    EXPECT_TRUE(process.Terminate(5000));
    EXPECT_FALSE(process.IsRunning());
    EXPECT_TRUE(process.Terminate(0));  // nothing held any more
}

TEST(OwnedProcess, AProgramThatIgnoresTheRequestOutlivesTheWait)
{
    QTemporaryDir folder;
    OwnedProcess process;
    // The shell tells when its trap is set, so that the request cannot come before it.
    ASSERT_TRUE(process.Start(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), QStringLiteral("trap '' TERM; touch ready; while :; do sleep 1; done")},
                              folder.path()));
    const qint64 id = process.ProcessId();
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(folder.filePath(QStringLiteral("ready"))); }));
    EXPECT_FALSE(process.Terminate(300));
    EXPECT_EQ(::kill(static_cast<pid_t>(id), 0), 0);  // still there
    ::kill(static_cast<pid_t>(id), SIGKILL);
}

TEST(OwnedProcess, AProgramThatEndedByItselfNeedsNoRequest)
{
    OwnedProcess process;
    ASSERT_TRUE(process.Start(QStringLiteral("/bin/true")));
    ASSERT_TRUE(WaitFor([&] { return !process.IsRunning(); }));
    EXPECT_TRUE(process.Terminate(0));
}

TEST(OwnedProcess, MissingProgramDoesNotStart)
{
    OwnedProcess process;
    EXPECT_FALSE(process.Start(QStringLiteral("/nonexistent/program")));
    EXPECT_FALSE(process.IsRunning());
}

}  // namespace
