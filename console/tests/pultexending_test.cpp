// The console program as a process of its own ends in order whatever it is doing: while the call balloon
// of its own extension is shown (by SIGTERM, by the notification icon's "Esci", by the updater's close
// command), and while its start-up downloads a long call log from a slow PBX (by SIGTERM, keeping what it
// stored and clearing nothing of the PBX's log).
#include "catalogcount.h"
#include "consolesuite.h"
#include "enginesettingsfile.h"
#include "findwindow.h"
#include "installationsettings.h"
#include "mainframe.h"
#include "oledate.h"
#include "sqldatabase.h"
#include "suiteipc.h"
#include "waitfor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <iostream>
#include <ostream>

namespace {

constexpr int kWaitMs = 20000;
constexpr int kEndWithinMs = 2000;
const QString kFirstPbx = QStringLiteral("CENTRALE");

bool SaveSettingsWithPopup(const ConsoleSuite& suite)
{
    EngineSettings settings(OleDate::Now());
    settings.incomingCallHandler = EngineSettings::kHandlerTapiDriver;  // byte 0 = 0: the console's own popup
    settings.updateIntervalDays = EngineSettings::kCheckNever;
    settings.ringSoundOff = 1;
    return SaveEngineSettings(settings, suite.ProgramFolder() + QStringLiteral("PxCnf.ers")) == 1;
}

// The name the console's window class is registered under: a socket file while the console runs.
QString WindowClassSocket(const ConsoleSuite& suite)
{
    suite.Enter();
    return QDir::tempPath() + u'/' + SuiteIpc::ServerName(SuiteIpc::Key::WindowClass, kPultexClass);
}

struct EndingCase {
    const char* name;
    std::function<bool(ConsoleSuite&)> end;
};

std::ostream& operator<<(std::ostream& out, const EndingCase& c) { return out << c.name; }

class PultexEndingTest : public ::testing::TestWithParam<EndingCase> {
protected:
    ConsoleSuite m_suite;
};

// The balloon refuses a user's close; the program's end closes it first.
TEST_P(PultexEndingTest, TheProgramEndsWhileItsOwnExtensionRings)
{
    ASSERT_TRUE(m_suite.IsValid());
    ASSERT_TRUE(SaveSettingsWithPopup(m_suite));
    const QString started = m_suite.StartInSimulation(
        {QStringLiteral("set extensions 3"), QStringLiteral("set lines 2"), QStringLiteral("set entryphones 1"),
         QStringLiteral("set relays 1")});
    ASSERT_TRUE(started.isEmpty()) << started.toStdString();
    const QString socket = WindowClassSocket(m_suite);
    ASSERT_TRUE(QFile::exists(socket));

    ASSERT_TRUE(m_suite.SimulvexCommand(QStringLiteral("ring 0 line 1 0612345678")).startsWith(QLatin1String("OK")));
    // The view stores the ring and shows the balloon in one handling of the event.
    CSqlDatabase database(m_suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    const QString ringing = QStringLiteral("SELECT COUNT(*) AS Total FROM %1 WHERE IndiceOggetto=0 AND Stato=3")
                                .arg(database.PbxTableName(EngineTable::kDerivedStatus, 0));
    ASSERT_TRUE(WaitFor([&] { return CatalogCount(database, ringing) == 1; }, kWaitMs));
    database.Close();

    QElapsedTimer ending;
    ending.start();
    ASSERT_TRUE(GetParam().end(m_suite));
    // Its window class is given up last of all it releases: the end of the program's own work (what the
    // sanitizers do at the process's exit comes after).
    EXPECT_TRUE(WaitFor([&socket] { return !QFile::exists(socket); }, kEndWithinMs));
    std::cout << GetParam().name << ": ended in " << ending.elapsed() << " ms\n";
    EXPECT_EQ(m_suite.WaitForExit(), 0) << m_suite.Lines().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, PultexEndingTest,
    ::testing::Values(EndingCase{"Sigterm", [](ConsoleSuite& suite) { return suite.SignalConsole(SIGTERM); }},
                      EndingCase{"IconMenuExit",
                                 [](ConsoleSuite& suite) {
                                     suite.Enter();
                                     return SuiteIpc::Post(SuiteIpc::Key::WindowClass, kPultexClass, WM_COMMAND,
                                                           CMainFrame::kQuitCommand, 0);
                                 }},
                      EndingCase{"UpdaterCloseCommand",
                                 [](ConsoleSuite& suite) {
                                     suite.Enter();
                                     return SuiteIpc::Post(SuiteIpc::Key::WindowClass, kPultexClass, WM_COMMAND,
                                                           CMainFrame::kCloseDocumentCommand, 0);
                                 }}),
    [](const ::testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

// A PBX with 2,000 calls in its log, 250 for each of 8 extensions, answering every request late.
constexpr int kExtensions = 8;
constexpr int kCallsPerExtension = 250;
constexpr int kCalls = kExtensions * kCallsPerExtension;

QStringList SlowPbxWithLongLog(bool late)
{
    QStringList commands{QStringLiteral("set extensions %1").arg(kExtensions), QStringLiteral("set lines 2"),
                         QStringLiteral("set entryphones 0"), QStringLiteral("set relays 0")};
    for (int extension = 0; extension < kExtensions; ++extension)
        for (int call = 0; call < kCallsPerExtension; ++call)
            commands << QStringLiteral("calllog add %1 2024-03-%2 %3:%4:00 %5 1 06%6")
                            .arg(extension)
                            .arg(1 + call / 100, 2, 10, QChar(u'0'))
                            .arg(8 + (call % 100) / 60, 2, 10, QChar(u'0'))
                            .arg((call % 100) % 60, 2, 10, QChar(u'0'))
                            .arg(30 + call)
                            .arg(extension * 1000 + call);
    if (late)
        commands << QStringLiteral("fault delay 50");
    return commands;
}

TEST(PultexDownloadTest, SigtermDuringTheCallLogDownloadEndsAtOnceAndTheNextStartStoresEachCallOnce)
{
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    ASSERT_TRUE(SaveSettingsWithPopup(suite));
    ASSERT_TRUE(suite.InstallSimulvex(SlowPbxWithLongLog(true)));
    ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0));
    ASSERT_TRUE(suite.WriteRegistry());
    ASSERT_TRUE(suite.CreateCatalog({kFirstPbx}));
    suite.Enter();
    ASSERT_TRUE(suite.StartConsole());

    // The first extension's calls are stored: the download is under way.
    CSqlDatabase database(suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    const QString stored = QStringLiteral("SELECT COUNT(*) AS Total FROM LogCalls");
    ASSERT_TRUE(WaitFor([&] { return CatalogCount(database, stored) > 0; }, SuiteProgramProcess::kStartTimeoutMs))
        << suite.Lines().join(u'\n').toStdString();
    const QString socket = WindowClassSocket(suite);
    ASSERT_TRUE(QFile::exists(socket));
    QElapsedTimer ending;
    ending.start();
    ASSERT_TRUE(suite.SignalConsole(SIGTERM));
    EXPECT_TRUE(WaitFor([&socket] { return !QFile::exists(socket); }, kEndWithinMs));
    std::cout << "ended " << ending.elapsed() << " ms after SIGTERM, " << CatalogCount(database, stored)
              << " calls stored\n";
    EXPECT_EQ(suite.WaitForExit(), 0) << suite.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(suite.HasLine(QStringLiteral("ended by a termination signal during start-up")));
    EXPECT_FALSE(suite.HasLine(QStringLiteral("started: ")));

    // Whole extensions were stored. The console ends the Simulvex it started, so the PBX's own log is gone
    // with it here; that a stop clears nothing is shown by the download's own tests.
    const int first = CatalogCount(database, stored);
    EXPECT_EQ(first % kCallsPerExtension, 0) << first;
    EXPECT_LT(first, kCalls);

    // The next start, with a PBX that answers at once, stores each call once and clears the log.
    suite.StopSimulvex();
    ASSERT_TRUE(suite.InstallSimulvex(SlowPbxWithLongLog(false)));
    ASSERT_TRUE(suite.StartConsole());
    const QString end = suite.WaitForStartEnd();
    ASSERT_TRUE(end.startsWith(QLatin1String("started: "))) << suite.Lines().join(u'\n').toStdString();
    EXPECT_EQ(CatalogCount(database, stored), kCalls);
    EXPECT_EQ(CatalogCount(database, QStringLiteral("SELECT COUNT(*) AS Total FROM (SELECT DISTINCT IndiceDerivato, "
                                             "DataInizio, NumeroChiamato FROM LogCalls) AS Calls")),
              kCalls);
    EXPECT_EQ(suite.SimulvexCommand(QStringLiteral("calllog count 0")).section(u' ', -1).toInt(), 0);
    database.Close();
    EXPECT_EQ(suite.StopConsole(), 0);
}

}  // namespace
