// The console program as a process of its own, a server whose PBX is a Simulvex program that the test
// runs on the console's COM1: when the PBX dies (kill -9) every workstation learns it from ComStat within a
// tick of the link check, and when it comes back the link is back within a tick and its events are
// mirrored again.
#include "catalogcount.h"
#include "consolesuite.h"
#include "enginesettingsfile.h"
#include "installationsettings.h"
#include "oledate.h"
#include "registrykey.h"
#include "simulvexprocess.h"
#include "sqldatabase.h"
#include "waitfor.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <iostream>

namespace {

constexpr int kWaitMs = 20000;
// A tick of the link check (10 s) and the time to act on it.
constexpr int kWithinMs = 15000;

int ComStat(CSqlDatabase& database)
{
    quint8 state = 255;
    return database.ReadComStat(database.PbxComId(0), state) == kNoError ? state : -1;
}

TEST(PultexOutageTest, APbxKilledIsShownFailedWithinATickAndOneRestartedIsBackWithinATick)
{
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    SimulvexProcess pbx;
    ASSERT_TRUE(pbx.Start(suite.Folder())) << pbx.Error().toStdString();
    ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeServer, 0, 0));
    ASSERT_TRUE(suite.WriteRegistry());
    ASSERT_TRUE(suite.CreateCatalog({QStringLiteral("CENTRALE")}));  // on COM1
    suite.Enter();
    ASSERT_TRUE(RegistryKey(QStringLiteral("SerialPorts")).WriteString(QStringLiteral("COM1"),
                                                                       PublishedSerialPath(kSimulatorSerialPort)));
    EngineSettings settings(OleDate::Now());
    settings.updateIntervalDays = EngineSettings::kCheckNever;
    ASSERT_EQ(SaveEngineSettings(settings, suite.ProgramFolder() + QStringLiteral("PxCnf.ers")), 1);
    ASSERT_TRUE(suite.StartConsole());
    const QString end = suite.WaitForStartEnd();
    ASSERT_TRUE(end.startsWith(QLatin1String("started: "))) << suite.Lines().join(u'\n').toStdString();

    CSqlDatabase database(suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    ASSERT_EQ(ComStat(database), 0);

    pbx.Kill();
    QElapsedTimer outage;
    outage.start();
    EXPECT_TRUE(WaitFor([&] { return ComStat(database) > 0; }, kWithinMs)) << ComStat(database);
    std::cout << "ComStat " << ComStat(database) << " after " << outage.elapsed() << " ms of outage\n";

    ASSERT_TRUE(pbx.Start(suite.Folder())) << pbx.Error().toStdString();
    QElapsedTimer recovery;
    recovery.start();
    EXPECT_TRUE(WaitFor([&] { return ComStat(database) == 0; }, kWithinMs)) << ComStat(database);
    std::cout << "ComStat 0 again " << recovery.elapsed() << " ms after the PBX came back\n";

    // Its events are mirrored again.
    ASSERT_TRUE(pbx.Command(QStringLiteral("ring 1 line 0 0612345678")).startsWith(QLatin1String("OK")));
    const QString ringing = QStringLiteral("SELECT COUNT(*) AS Total FROM %1 WHERE IndiceOggetto=1 AND Stato=3")
                                .arg(database.PbxTableName(EngineTable::kDerivedStatus, 0));
    EXPECT_TRUE(WaitFor([&] { return CatalogCount(database, ringing) == 1; }, kWaitMs));
    database.Close();
    EXPECT_EQ(suite.StopConsole(), 0);
}

}  // namespace
