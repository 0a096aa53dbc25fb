// The console in simulation ends the Simulvex it started when it ends, by its close command or by SIGTERM;
// a Simulvex that ran before the console stays.
#include "consolesuite.h"
#include "findwindow.h"
#include "suiteprogramprocess.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <ostream>

namespace {

constexpr int kWaitMs = 20000;
const QStringList kSimulator = {QStringLiteral("set extensions 2"), QStringLiteral("set lines 1")};

struct EndCase {
    const char* name;
    std::function<int(ConsoleSuite&)> end;  // ends the console; its exit code
};

std::ostream& operator<<(std::ostream& out, const EndCase& c) { return out << c.name; }

class PultexSimulatorTest : public ::testing::TestWithParam<EndCase> {
protected:
    ConsoleSuite m_suite;
};

TEST_P(PultexSimulatorTest, TheSimulatorTheConsoleStartedEndsWithIt)
{
    ASSERT_TRUE(m_suite.IsValid());
    m_suite.Enter();
    ASSERT_FALSE(FindSimulvexWindow());
    const QString failure = m_suite.StartInSimulation(kSimulator);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    ASSERT_TRUE(FindSimulvexWindow());
    EXPECT_EQ(GetParam().end(m_suite), 0);
    m_suite.Enter();
    EXPECT_TRUE(WaitFor([] { return !FindSimulvexWindow(); }, kWaitMs));
    EXPECT_FALSE(m_suite.HasLine(QStringLiteral("the simulator did not end")));
}

TEST_P(PultexSimulatorTest, ASimulatorThatRanBeforeTheConsoleStays)
{
    ASSERT_TRUE(m_suite.IsValid());
    ASSERT_TRUE(m_suite.InstallSimulvex(kSimulator));
    m_suite.Enter();
    SuiteProgramProcess simulator(SuiteTree::kSimulvexName);
    ASSERT_TRUE(simulator.Start(m_suite.ProgramPath(SuiteTree::kSimulvexName)));
    ASSERT_TRUE(WaitFor([] { return FindSimulvexWindow(); }, kWaitMs));

    const QString failure = m_suite.StartInSimulation(kSimulator);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(GetParam().end(m_suite), 0);
    m_suite.Enter();
    EXPECT_TRUE(simulator.IsRunning());
    EXPECT_TRUE(FindSimulvexWindow());
    EXPECT_EQ(simulator.Terminate(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, PultexSimulatorTest,
    ::testing::Values(EndCase{"CloseCommand", [](ConsoleSuite& suite) { return suite.StopConsole(); }},
                      EndCase{"Sigterm",
                              [](ConsoleSuite& suite) {
                                  return suite.SignalConsole(SIGTERM) ? suite.WaitForExit() : -1;
                              }}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

}  // namespace
