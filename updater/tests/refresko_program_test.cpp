// Refresko as a program of its own in a suite tree: found by its title as the console finds it, ending
// by itself after an automatic check with nothing new, and ending in order on SIGTERM.
#include "suiteipc.h"
#include "updatertesting.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include <csignal>

namespace {

constexpr int kWaitMs = 30000;
const QString kTitle = QStringLiteral("Refresko");

class RefreskoProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.IsReady()) << m_tree.Problem().toStdString();
        m_tree.Install({1, 5});
        const QString program = m_tree.Suite().ProgramFolder() + kTitle;
        ASSERT_TRUE(QFile::copy(QStringLiteral(REFRESKO_PROGRAM), program));
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(program);
        ASSERT_TRUE(m_process.waitForStarted(kWaitMs));
        ASSERT_TRUE(WaitFor([] { return SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kTitle); }, kWaitMs));
    }

    void TearDown() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }

    bool EndedCleanly()
    {
        return m_process.waitForFinished(kWaitMs) && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    UpdaterTestSuite m_tree;
    QProcess m_process;
};

TEST_F(RefreskoProgram, AnAutomaticCheckWithNothingNewEndsItWithoutABox)
{
    ASSERT_TRUE(m_tree.AddPatch({1, 5}, "installed"));
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowTitle, kTitle, WM_COMMAND, 1004, 0));
    // A box would keep the program waiting for an answer.
    EXPECT_TRUE(EndedCleanly());
    EXPECT_FALSE(SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kTitle));
}

TEST_F(RefreskoProgram, EndsInOrderOnSigtermWhileIdle)
{
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    EXPECT_TRUE(EndedCleanly());
}

TEST_F(RefreskoProgram, EndsInOrderOnSigtermDuringTheListing)
{
    // Enough patches for the listing's paced progress to last a while, and newer ones, so that a
    // question would follow.
    for (std::uint16_t build = 1; build <= 20; ++build)
        ASSERT_TRUE(m_tree.AddPatch({1, build}, "patch"));
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowTitle, kTitle, WM_COMMAND, 1004, 0));
    ASSERT_TRUE(WaitFor([this] { return m_tree.Server().Log().contains(QStringLiteral("logged in")); }, kWaitMs));
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    EXPECT_TRUE(EndedCleanly());
    EXPECT_FALSE(QFile::exists(m_tree.Suite().SharedFolder() + QStringLiteral("LastUpdate.exe")));
}

}  // namespace
