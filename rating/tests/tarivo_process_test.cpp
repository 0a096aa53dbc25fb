// Tarivo as a process of its own, on a catalog that the console Pultex filled from the simulated PBX.
#include "installationsettings.h"
#include "mainframe.h"
#include "ratingconfigurationfile.h"
#include "ratingconfigurationsteps.h"
#include "registrykey.h"
#include "suiteipc.h"
#include "suiteprogramprocess.h"
#include "suitetree.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

const QString kRating = QStringLiteral("Tarivo");
const QString kConsole = QStringLiteral("Pultex");
constexpr int kSimulatorWaitMs = 20000;

TEST(TarivoProcess, ReportsItsStartTakesMessagesAndSavesItsConfigurationOnSigterm)
{
    SuiteTree suite(kRating);
    ASSERT_TRUE(suite.IsValid());
    ASSERT_TRUE(suite.PlaceProgram(kConsole, QStringLiteral(PULTEX_PROGRAM)));
    ASSERT_TRUE(suite.PlaceProgram(kRating, QStringLiteral(TARIVO_PROGRAM)));
    ASSERT_TRUE(suite.InstallSimulvex(QStringLiteral(SIMULVEX_PROGRAM),
                                      {QStringLiteral("set extensions 4"), QStringLiteral("set lines 2")}));
    ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0));
    ASSERT_TRUE(suite.WriteNetworkPorts());
    const RegistryKey startup(QStringLiteral("Startup"), suite.SharedFolder() + QStringLiteral("Registry.ini"));
    ASSERT_TRUE(startup.WriteInt(QStringLiteral("EngineWaitMs"), 0));
    ASSERT_TRUE(startup.WriteInt(QStringLiteral("SimulatorWaitMs"), kSimulatorWaitMs));
    ASSERT_TRUE(startup.WriteInt(QStringLiteral("SplashWaitMs"), 0));
    // The console asks for the country code when its location has none.
    ASSERT_TRUE(RegistryKey(QStringLiteral("Telephony"), suite.SharedFolder() + QStringLiteral("Registry.ini"))
                    .WriteString(QStringLiteral("CountryCode"), QStringLiteral("39")));
    ASSERT_TRUE(suite.CreateCatalog({QStringLiteral("CENTRALE")}));
    // A configuration on disk already, so that no first-run question waits for an answer.
    suite.Enter();
    RatingConfiguration configuration;
    ASSERT_EQ(RunRatingFirstRun(configuration, RatingConfigurationPath(), [](const PrefixGroup&) { return 0; }),
              RatingFileResult::Ok);

    SuiteProgramProcess console(kConsole);
    ASSERT_TRUE(console.Start(suite.ProgramPath(kConsole)));
    // Once the engine has started, the PBX's records are in the catalog.
    ASSERT_TRUE(console.WaitForLine(QStringLiteral("engine outcome")).startsWith(QStringLiteral("engine outcome 0")))
        << console.Lines().join(u'\n').toStdString();

    SuiteProgramProcess rating(kRating);
    ASSERT_TRUE(rating.Start(suite.ProgramPath(kRating), {suite.ProgramPath(kRating)}));
    const QString end = rating.WaitForAnyLine({QStringLiteral("started"), QStringLiteral("start failed")});
    ASSERT_EQ(end, QStringLiteral("started")) << rating.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(rating.HasLine(QStringLiteral("PBX 0 loaded")));

    // The operator console's account request: its period start reaches the view and, at the end, the file.
    suite.Enter();
    const OleDate start(2026, 11, 1, 8, 0, 0);
    const auto bits = std::bit_cast<std::uint64_t>(start.Value());
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kRating, CMainFrame::kAccountStart, bits & 0xFFFFFFFFu,
                               static_cast<std::int64_t>(bits >> 32)));
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kRating, CMainFrame::kShowAccount, 0, 0));
    EXPECT_EQ(rating.Terminate(), 0);
    EXPECT_TRUE(rating.HasLine(QStringLiteral("ended")));

    RatingConfiguration stored;
    ASSERT_EQ(LoadRatingConfiguration(RatingConfigurationPath(), kRatingFileOlderTag, kRatingFileTag, stored),
              RatingFileResult::Ok);
    EXPECT_EQ(stored.viewState.accountStart, start);
}

}  // namespace
