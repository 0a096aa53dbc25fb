#include "process.h"

#include "waitfor.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Process, DetachedProgramRunsInTheGivenFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(StartDetachedProcess(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("pwd > started.txt")},
                                     folder.path()));
    const QString marker = folder.filePath(QStringLiteral("started.txt"));
    ASSERT_TRUE(WaitFor([&] {
        QFile file(marker);
        return file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == folder.path().toUtf8();
    }));
}

TEST(Process, MissingProgramFailsToStart)
{
    EXPECT_FALSE(StartDetachedProcess(QStringLiteral("/nonexistent/program")));
    EXPECT_EQ(RunProcess(QStringLiteral("/nonexistent/program"), {}, {}, 1000), -1);
}

TEST(Process, RunProcessGivesTheExitCodeOrKillsOnTimeOut)
{
    EXPECT_EQ(RunProcess(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 3")}, {}, 5000), 3);
    EXPECT_EQ(RunProcess(QStringLiteral("/bin/sleep"), {QStringLiteral("10")}, {}, 100), -1);
}

}  // namespace
