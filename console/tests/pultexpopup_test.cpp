// The console program in simulation with its own call popup: a ring from a line at Simulvex shows the
// balloon with the caller, and the balloon's "Accetta" makes the PBX take the extension off hook. The
// program runs in this process, so that its windows can be seen and pressed.
#include "callballoondlg.h"
#include "consolesuite.h"
#include "engineapp.h"
#include "enginesettingsfile.h"
#include "extbutton.h"
#include "incomingcalldlg.h"
#include "installationsettings.h"
#include "oledate.h"
#include "stringtable.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 20000;

// The simulator's control channel, on a socket name of the test's own.
QString SimulvexCommand(const QString& control, const QString& line)
{
    QLocalSocket socket;
    socket.connectToServer(control);
    if (!socket.waitForConnected(kWaitMs))
        return {};
    socket.write((line + u'\n').toUtf8());
    if (!WaitFor([&socket] { return socket.canReadLine() || socket.waitForReadyRead(10); }, kWaitMs))
        return {};
    return QString::fromUtf8(socket.readLine()).trimmed();
}

CCallBalloonDlg* ShownBalloon()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto balloon = qobject_cast<CCallBalloonDlg*>(window); balloon && balloon->isVisible())
            return balloon;
    return nullptr;
}

TEST(PultexPopupTest, ARingShowsTheBalloonAndItsAcceptTakesTheCall)
{
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    // The pictures and the sound that an installation puts into Shared.
    const QDir assets(QStringLiteral(SUITE_ASSETS_DIR "/shared"));
    for (const QString& name : assets.entryList({QStringLiteral("*.psx")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(assets.filePath(name), suite.SharedFolder() + name));
    ASSERT_TRUE(suite.InstallSimulvex({QStringLiteral("set extensions 3"), QStringLiteral("set lines 2"),
                                       QStringLiteral("set entryphones 1"), QStringLiteral("set relays 1")}));
    // The same simulator, with a control socket that the test names.
    const QString control = QStringLiteral("simulvex-popup-test-%1").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(suite.InstallScript(QStringLiteral("Simulvex"),
                                    QStringLiteral("here=$(dirname \"$0\")\nexec \"$here/simulvex-program\" --no-stdin "
                                                   "--control %1 --config \"$here/startup.cfg\"")
                                        .arg(control)));
    ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0, {}));
    ASSERT_TRUE(suite.WriteRegistry());
    ASSERT_TRUE(suite.CreateCatalog({QStringLiteral("CENTRALE")}, {}));
    EngineSettings settings(OleDate::Now());
    settings.incomingCallHandler = EngineSettings::kHandlerTapiDriver;  // byte 0 = 0: the console's own popup
    settings.updateIntervalDays = EngineSettings::kCheckNever;
    settings.ringSoundOff = 1;
    ASSERT_EQ(SaveEngineSettings(settings, suite.ProgramFolder() + QStringLiteral("PxCnf.ers")), 1);

    suite.Enter();
    CEngineApp console;
    ASSERT_TRUE(console.InitInstance());
    ASSERT_EQ(console.EngineOutcome(), 0);

    ASSERT_TRUE(SimulvexCommand(control, QStringLiteral("ring 0 line 1 0612345678")).startsWith(QLatin1String("OK")));
    CCallBalloonDlg* balloon = nullptr;
    ASSERT_TRUE(WaitFor([&balloon] { return (balloon = ShownBalloon()) != nullptr; }, kWaitMs));
    ASSERT_TRUE(WaitFor([balloon] { return balloon->Line(2) == QStringLiteral("0612345678"); }, kWaitMs))
        << balloon->Line(0).toStdString() << " / " << balloon->Line(1).toStdString() << " / " << balloon->Line(2).toStdString();
    EXPECT_EQ(balloon->Line(0), LoadResString(10069));
    EXPECT_EQ(balloon->Line(1), QStringLiteral("Esterna 2"));
    EXPECT_TRUE(balloon->HasBackground());
    EXPECT_TRUE(SaveScreenshot(*balloon, QStringLiteral("pultex_ring_balloon")));

    ASSERT_TRUE(SimulvexCommand(control, QStringLiteral("frames clear")).startsWith(QLatin1String("OK")));
    balloon->Button(CCallBalloonDlg::kAcceptButton)->click();
    // The off-hook of extension 0 reached the PBX.
    EXPECT_TRUE(WaitFor([&control] {
        return SimulvexCommand(control, QStringLiteral("frames")).contains(QLatin1String("16160E0100"), Qt::CaseInsensitive);
    }, kWaitMs)) << SimulvexCommand(control, QStringLiteral("frames")).toStdString();
    EXPECT_EQ(console.ExitInstance(), 0);
}

}  // namespace
