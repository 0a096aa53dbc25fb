// The real Simulvex program in a suite tree of its own, reached as the console and a test script reach it.
#include "enginebridge.h"
#include "engineclient.h"
#include "messagetarget.h"
#include "registrykey.h"
#include "serialpeer.h"
#include "simulatoroptions.h"
#include "simulatorwindow.h"
#include "suiteipc.h"
#include "tempsuite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 20000;
constexpr int kSeconds = 6;

// The first line that arrives on the device, without its line end.
QString ReadLine(QIODevice& device)
{
    while (!device.canReadLine()) {
        if (!device.waitForReadyRead(kWaitMs))
            return {};
    }
    return QString::fromUtf8(device.readLine()).trimmed();
}

class SimulvexProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(suite.IsValid());
        program = suite.ProgramFolder() + QStringLiteral("Simulvex");
        ASSERT_TRUE(QFile::copy(QStringLiteral(SIMULVEX_PROGRAM), program));
        simulvex.setProgram(program);
        simulvex.start();
        ASSERT_TRUE(simulvex.waitForStarted(kWaitMs));
        ready = ReadLine(simulvex);
    }

    void TearDown() override
    {
        if (simulvex.state() != QProcess::NotRunning) {
            simulvex.terminate();
            simulvex.waitForFinished(kWaitMs);
        }
    }

    TempSuite suite{QStringLiteral("Simulvex")};
    QString program;
    QProcess simulvex;
    QString ready;
};

TEST_F(SimulvexProgramTest, ServesCom98AndTakesCommandsUntilItIsClosed)
{
    const QString link = PublishedSerialPath(kSimulatorSerialPort);
    EXPECT_EQ(ready, QStringLiteral("Simulvex ready: ports COM98; control %1/%2").arg(QDir::tempPath(), DefaultControlName()))
        << ready.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, QLatin1String(SimulatorWindow::kWindowClass)));

    // Standard input.
    simulvex.write("status\n");
    EXPECT_TRUE(ReadLine(simulvex).startsWith(QLatin1String("OK extensions=8 lines=4")));

    // The control socket.
    QLocalSocket control;
    control.connectToServer(DefaultControlName());
    ASSERT_TRUE(control.waitForConnected(kWaitMs));
    control.write("set model NEXO28 TEST\n# a comment gets no reply\nset extensions 5\n");
    EXPECT_EQ(ReadLine(control), QStringLiteral("OK"));
    EXPECT_EQ(ReadLine(control), QStringLiteral("OK"));

    // COM98, as the engine of installation mode 4 opens it.
    SerialPeer peer(SerialDevicePath(kSimulatorSerialPort));
    ASSERT_TRUE(peer.IsOpen());
    EngineBridge bridge(peer);
    const CEngineClient client("127.0.0.1", bridge.Port());
    PbxInitialization initialization;
    ASSERT_EQ(client.ReadInitialization(0, initialization, kSeconds), kNoError);
    EXPECT_EQ(initialization.Version(), QStringLiteral("NEXO28 TEST"));
    EXPECT_EQ(initialization.ExtensionCount(), 5);
    ASSERT_EQ(client.RequestStateEvents(0, 1, kSeconds), kNoError);
    control.write("ring 2 line 1\n");
    EXPECT_EQ(ReadLine(control), QStringLiteral("OK 3 events"));
    EXPECT_EQ(peer.TakeEvents(3, kWaitMs).size(), 3);

    // Closed the way the updater closes the suite's programs.
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, QLatin1String(SimulatorWindow::kWindowClass), WM_COMMAND,
                               SimulatorWindow::kFileCloseCommand, 0));
    ASSERT_TRUE(simulvex.waitForFinished(kWaitMs));
    EXPECT_EQ(simulvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(simulvex.exitCode(), 0) << simulvex.readAllStandardError().toStdString();
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST_F(SimulvexProgramTest, ASecondSimulatorForTheSameSuiteGivesWay)
{
    ASSERT_TRUE(ready.startsWith(QLatin1String("Simulvex ready")));
    QProcess second;
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(kWaitMs));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("another Simulvex runs for this suite"));
    // The first one still serves.
    simulvex.write("quit\n");
    EXPECT_EQ(ReadLine(simulvex), QStringLiteral("OK bye"));
    ASSERT_TRUE(simulvex.waitForFinished(kWaitMs));
    EXPECT_EQ(simulvex.exitCode(), 0) << simulvex.readAllStandardError().toStdString();
}

TEST_F(SimulvexProgramTest, EndsCleanlyOnTermination)
{
    ASSERT_TRUE(ready.startsWith(QLatin1String("Simulvex ready")));
    simulvex.terminate();
    ASSERT_TRUE(simulvex.waitForFinished(kWaitMs));
    EXPECT_EQ(simulvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(simulvex.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(PublishedSerialPath(kSimulatorSerialPort)).isSymLink());
}

TEST(SimulvexCommandLineTest, BadOptionsAndConfigurationStopTheStart)
{
    TempSuite suite(QStringLiteral("Simulvex"));
    const QString program = suite.ProgramFolder() + QStringLiteral("Simulvex");
    ASSERT_TRUE(QFile::copy(QStringLiteral(SIMULVEX_PROGRAM), program));
    QFile config(suite.SharedFolder() + QStringLiteral("bad.cfg"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("set extensions 4\n\nset lines 999\n");
    config.close();

    QProcess simulvex;
    simulvex.start(program, {QStringLiteral("--serial"), QStringLiteral("0")});
    ASSERT_TRUE(simulvex.waitForFinished(kWaitMs));
    EXPECT_EQ(simulvex.exitCode(), 2);
    simulvex.start(program, {QStringLiteral("--config"), config.fileName()});
    ASSERT_TRUE(simulvex.waitForFinished(kWaitMs));
    EXPECT_EQ(simulvex.exitCode(), 1);
    EXPECT_TRUE(simulvex.readAllStandardError().contains("bad.cfg line 3: ERROR count must be a number"));
}

}  // namespace
