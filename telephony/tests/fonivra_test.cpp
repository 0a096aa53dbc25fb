// The operator console Fonivra as a process of its own in a suite tree, offscreen, beside the engine
// Pultex in simulation (with Simulvex as its PBX): its start-up steps, the settings files it creates, the
// hand-over of a second start, the ends without a window or with a failure's code, and its start by the
// console through the console's engine setting.
#include "computername.h"
#include "enginesettings.h"
#include "enginesettingsfile.h"
#include "installationsettings.h"
#include "messagetarget.h"
#include "registrykey.h"
#include "sqldatabase.h"
#include "suiteipc.h"
#include "suiteprogramprocess.h"
#include "suitetree.h"
#include "waitfor.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString kFonivra = QStringLiteral("Fonivra");
const QString kPultex = QStringLiteral("Pultex");
const QString kStarted = QStringLiteral("started: ");
const QString kFailed = QStringLiteral("start-up failed with code");
constexpr int kWaitMs = 30000;
constexpr std::uint32_t kCloseCommand = 57602;
constexpr std::uint32_t kAlarmMessage = WM_USER + 106;
constexpr std::int64_t kAlarmReset = 1;

class FonivraProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.IsValid());
        ASSERT_TRUE(m_tree.PlaceProgram(kFonivra, QStringLiteral(FONIVRA_PROGRAM)));
        ASSERT_TRUE(m_tree.PlaceProgram(kPultex, QStringLiteral(PULTEX_PROGRAM)));
        ASSERT_TRUE(m_tree.InstallSimulvex(QStringLiteral(SIMULVEX_PROGRAM),
                                           {QStringLiteral("set extensions 4"), QStringLiteral("set lines 2"),
                                            QStringLiteral("set entryphones 1"), QStringLiteral("set relays 1")}));
        ASSERT_TRUE(m_tree.WriteInstallation(InstallationSettings::kModeSimulation, 0, 1));
        ASSERT_TRUE(m_tree.WriteNetworkPorts());
        const QString registry = m_tree.SharedFolder() + QStringLiteral("Registry.ini");
        const RegistryKey startup(QStringLiteral("Startup"), registry);
        ASSERT_TRUE(startup.WriteInt(QStringLiteral("SimulatorWaitMs"), 20000));
        ASSERT_TRUE(startup.WriteInt(QStringLiteral("EngineWaitMs"), 0));
        ASSERT_TRUE(startup.WriteInt(QStringLiteral("SplashWaitMs"), 0));
        ASSERT_TRUE(RegistryKey(QStringLiteral("Telephony"), registry)
                        .WriteString(QStringLiteral("CountryCode"), QStringLiteral("39")));
        ASSERT_TRUE(m_tree.CreateCatalog({QStringLiteral("CENTRALE")}));
        m_tree.Enter();
    }

    // Starts the engine in simulation and waits until it serves.
    void StartEngine()
    {
        ASSERT_TRUE(m_engine.Start(m_tree.ProgramPath(kPultex)));
        const QString end = m_engine.WaitForAnyLine({kStarted, QStringLiteral("window shown: ")});
        ASSERT_TRUE(end.startsWith(kStarted)) << m_engine.Lines().join(u'\n').toStdString();
    }

    // The tables an engine's first start creates, without starting the engine.
    void CreateSchema()
    {
        CSqlDatabase database(m_tree.CatalogParameters());
        ASSERT_EQ(database.ConnectAndCreateSchema(ComputerName()), 0);
    }

    QString Path() const { return m_tree.ProgramPath(kFonivra); }
    QString Log(const SuiteProgramProcess& process) const { return process.Lines().join(u'\n'); }

    SuiteTree m_tree{kFonivra};
    SuiteProgramProcess m_engine{kPultex};
};

TEST_F(FonivraProgramTest, StartsWithTheEngineCreatesItsSettingsAndHandsASecondStartOver)
{
    StartEngine();
    SuiteProgramProcess console(kFonivra);
    ASSERT_TRUE(console.Start(Path(), {Path()}));
    ASSERT_TRUE(console.WaitForAnyLine({kStarted, kFailed}).startsWith(kStarted)) << Log(console).toStdString();
    EXPECT_TRUE(console.HasLine(QStringLiteral("started: PBX 0 with 4 extensions, 2 lines, 1 entry phones, 1 relays")))
        << Log(console).toStdString();

    // Each missing settings file was written with its defaults, and told with its length.
    const struct {
        const char* name;
        qint64 minimum;
    } files[] = {{"FvCnf.fps", 5136}, {"FvOfPgin.frs", 2888}, {"FvSrv2Pgin.frs", 1156}, {"FvToolNew.frs", 1200},
                 {"FvSrv3Pgin.frs", 6}};
    for (const auto& file : files) {
        const QFileInfo info(m_tree.ProgramFolder() + QLatin1StringView(file.name));
        ASSERT_TRUE(info.exists()) << file.name;
        EXPECT_GE(info.size(), file.minimum) << file.name;
        EXPECT_TRUE(console.HasLine(QStringLiteral("settings file %1 written with its defaults (%2 bytes)")
                                        .arg(QLatin1StringView(file.name))
                                        .arg(info.size())))
            << Log(console).toStdString();
    }
    // The windows' call lists use the program's one client of the recorder.
    EXPECT_TRUE(console.HasLine(QStringLiteral("the call lists reach the recorder of PBX 0"))) << Log(console).toStdString();
    EXPECT_TRUE(console.HasLine(QStringLiteral("listening for the engine's events on port %1")
                                    .arg(m_tree.Ports().eventPort)));
    EXPECT_TRUE(SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kFonivra));

    // A second start shows the first one's window and ends.
    SuiteProgramProcess second(kFonivra);
    ASSERT_TRUE(second.Start(Path(), {Path()}));
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_TRUE(second.HasLine(QStringLiteral("another operator console runs"))) << Log(second).toStdString();
    EXPECT_TRUE(console.IsRunning());

    // The updater's close command ends it; a second start of the settings now reads them.
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kFonivra, WM_COMMAND, kCloseCommand, 0));
    EXPECT_EQ(console.WaitForExit(), 0);
    SuiteProgramProcess again(kFonivra);
    ASSERT_TRUE(again.Start(Path(), {Path()}));
    ASSERT_TRUE(again.WaitForAnyLine({kStarted, kFailed}).startsWith(kStarted)) << Log(again).toStdString();
    EXPECT_TRUE(again.HasLine(QStringLiteral("settings file FvToolNew.frs read")));
    EXPECT_EQ(again.Terminate(), 0);
}

TEST_F(FonivraProgramTest, TheCloseCommandWaitsForAnAlarmRelayedThroughTheEngine)
{
    StartEngine();
    SuiteProgramProcess console(kFonivra);
    ASSERT_TRUE(console.Start(Path(), {Path()}));
    ASSERT_TRUE(console.WaitForAnyLine({kStarted, kFailed}).startsWith(kStarted)) << Log(console).toStdString();
    // The PBX raises an alarm on extension 2; the engine relays it to the workstations.
    ASSERT_FALSE(m_engine.SimulvexCommand(QStringLiteral("alarm 1 2 1")).isEmpty());
    ASSERT_FALSE(console.WaitForLine(QStringLiteral("an alarm is pending"), kWaitMs).isEmpty()) << Log(console).toStdString();
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kFonivra, WM_COMMAND, kCloseCommand, 0));
    EXPECT_FALSE(console.WaitForLine(QStringLiteral("exit refused"), kWaitMs).isEmpty()) << Log(console).toStdString();
    EXPECT_TRUE(console.IsRunning());
    // A termination signal still ends it, in order.
    EXPECT_EQ(console.Terminate(), 0);
    EXPECT_TRUE(console.HasLine(QStringLiteral("ended")));
}

TEST_F(FonivraProgramTest, AnAlarmResetFromThePopupLetsItEnd)
{
    StartEngine();
    SuiteProgramProcess console(kFonivra);
    ASSERT_TRUE(console.Start(Path(), {Path()}));
    ASSERT_TRUE(console.WaitForAnyLine({kStarted, kFailed}).startsWith(kStarted)) << Log(console).toStdString();
    ASSERT_FALSE(m_engine.SimulvexCommand(QStringLiteral("alarm 1 2 1")).isEmpty());
    ASSERT_FALSE(console.WaitForLine(QStringLiteral("an alarm is pending"), kWaitMs).isEmpty()) << Log(console).toStdString();
    // What the popup's reset button posts to the frame: stored, relayed, cleared by the engine's event.
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kFonivra, kAlarmMessage, 2, kAlarmReset));
    ASSERT_FALSE(console.WaitForLine(QStringLiteral("no alarm is pending any more"), kWaitMs).isEmpty())
        << Log(console).toStdString();
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kFonivra, WM_COMMAND, kCloseCommand, 0));
    EXPECT_EQ(console.WaitForExit(), 0) << Log(console).toStdString();
    EXPECT_FALSE(console.HasLine(QStringLiteral("exit refused")));
}

TEST_F(FonivraProgramTest, WithoutItsArgumentItEndsWithoutAWindow)
{
    StartEngine();
    SuiteProgramProcess console(kFonivra);
    ASSERT_TRUE(console.Start(Path()));
    EXPECT_EQ(console.WaitForExit(), 0);
    EXPECT_TRUE(console.HasLine(QStringLiteral("started without the \"Fonivra\" argument"))) << Log(console).toStdString();
    EXPECT_FALSE(console.HasLine(kStarted));
}

TEST_F(FonivraProgramTest, AStoppedPbxLinkEndsTheStartWithItsCode)
{
    // No engine runs: the catalog still holds the link state it was created with.
    CreateSchema();
    SuiteProgramProcess console(kFonivra);
    ASSERT_TRUE(console.Start(Path(), {Path()}));
    const QString failure = console.WaitForAnyLine({kStarted, kFailed});
    ASSERT_TRUE(failure.startsWith(kFailed + QStringLiteral(" 9:"))) << Log(console).toStdString();
    // The box waits; a termination signal closes it and the program ends with the code.
    EXPECT_EQ(console.Terminate(), 9);
}

TEST_F(FonivraProgramTest, AClientWhoseServerNameDoesNotResolveEndsWith138)
{
    ASSERT_TRUE(m_tree.WriteInstallation(InstallationSettings::kModeClient, 0, 1, {},
                                         QStringLiteral("no-such-server.invalid")));
    CreateSchema();
    SuiteProgramProcess console(kFonivra);
    ASSERT_TRUE(console.Start(Path(), {Path()}));
    const QString failure = console.WaitForAnyLine({kStarted, kFailed});
    // The code has no text of its own.
    EXPECT_EQ(failure, QStringLiteral("start-up failed with code 138")) << Log(console).toStdString();
    EXPECT_EQ(console.Terminate(), 138);
}

TEST_F(FonivraProgramTest, TheConsoleStartsItThroughItsEngineSetting)
{
    EngineSettings settings;
    settings.startOperatorConsole = 1;
    ASSERT_EQ(SaveEngineSettings(settings, m_tree.ProgramFolder(kPultex) + QStringLiteral("PxCnf.ers")), 1);
    StartEngine();
    EXPECT_TRUE(m_engine.HasLine(QStringLiteral("operator console started"))) << Log(m_engine).toStdString();
    ASSERT_TRUE(WaitFor([] { return SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kFonivra); }, kWaitMs));
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kFonivra, WM_COMMAND, kCloseCommand, 0));
    EXPECT_TRUE(WaitFor([] { return !SuiteIpc::Find(SuiteIpc::Key::WindowClass, kFonivra); }, kWaitMs));
}

}  // namespace
