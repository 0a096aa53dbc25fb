// The console program with the TAPI driver: a UDP peer on the driver's ports hears the rings of the
// bound extension and answers them with modem commands, the PBX played by the Simulvex program.
#include "consolesuite.h"
#include "enginesettingsfile.h"
#include "installationsettings.h"
#include "oledate.h"
#include "tapidriverpeer.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWaitSeconds = 20;
const QByteArray kOk = QByteArrayLiteral("\r\nOK\r\n");

TEST(PultexTapiTest, ARingReachesTheDriverWithTheCallerIdAndItsAnswerTakesTheCall)
{
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    ASSERT_TRUE(suite.InstallSimulvex({QStringLiteral("set extensions 3"), QStringLiteral("set lines 2"),
                                       QStringLiteral("set entryphones 1"), QStringLiteral("set relays 1")}));
    ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0, {}));
    ASSERT_TRUE(suite.WriteRegistry());
    ASSERT_TRUE(suite.CreateCatalog({QStringLiteral("CENTRALE")}, {}));
    EngineSettings settings(OleDate::Now());
    settings.incomingCallHandler = 1;  // the TAPI driver
    settings.updateIntervalDays = EngineSettings::kCheckNever;
    ASSERT_EQ(SaveEngineSettings(settings, suite.ProgramFolder() + QStringLiteral("PxCnf.ers")), 1);
    TapiDriverPeer driver(suite.Ports().tapiReplyPort);
    ASSERT_TRUE(driver.IsValid());
    ASSERT_TRUE(suite.StartConsole());
    const QString end = suite.WaitForStartEnd();
    ASSERT_TRUE(end.startsWith(QLatin1String("started: "))) << suite.Lines().join(u'\n').toStdString();

    ASSERT_TRUE(suite.SimulvexCommand(QStringLiteral("ring 0 line 1 0612345678")).startsWith(QLatin1String("OK")));
    const QByteArray callerId = QByteArrayLiteral("\r\nRING +CLID0612345678\r\n");
    bool arrived = false;
    const QList<QByteArray> before = driver.ReceiveUntil(callerId, kWaitSeconds, &arrived);
    EXPECT_TRUE(arrived);
    // Before the caller id the ring event and the extension's new state each announced the ring by the
    // line's label (in the program's language, Italian).
    const QByteArray named = QByteArrayLiteral("\r\nRING +CLNMEsterna 2\r\n");
    EXPECT_EQ(before, (QList<QByteArray>{named, named}));

    ASSERT_TRUE(suite.SimulvexCommand(QStringLiteral("frames clear")).startsWith(QLatin1String("OK")));
    ASSERT_TRUE(driver.SendTo(suite.Ports().tapiCommandPort, "ATA\r"));
    driver.ReceiveUntil(kOk, kWaitSeconds, &arrived);
    EXPECT_TRUE(arrived);
    // The off-hook of extension 0 reached the PBX.
    EXPECT_TRUE(suite.SimulvexCommand(QStringLiteral("frames")).contains(QLatin1String("16160E0100"), Qt::CaseInsensitive));
    EXPECT_EQ(suite.StopConsole(), 0);
}

}  // namespace
