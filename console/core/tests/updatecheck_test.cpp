#include "updatecheck.h"

#include "enginesettingsfile.h"
#include "fakeupdater.h"
#include "tempsuite.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const OleDate kNow(2024, 6, 15, 12, 0, 0);

TEST(UpdateCheck, DueWhenTheIntervalHasPassed)
{
    const struct {
        int interval;
        double daysAgo;
        bool due;
    } cases[] = {
        {0, 0.0, true},       // at every start
        {0, -3.0, true},
        {7, 6.5, false},
        {7, 7.0, false},      // strictly more than the interval
        {7, 7.2, true},
        {14, 13.9, false},
        {30, 30.5, true},
        {255, 254.9, false},  // "never" is 255 days
        {255, 255.1, true},
        {7, -1.0, false},     // a last check in the future
    };
    for (const auto& entry : cases) {
        EngineSettings settings(kNow.AddDays(-entry.daysAgo));
        settings.updateIntervalDays = static_cast<std::uint8_t>(entry.interval);
        EXPECT_EQ(IsUpdateCheckDue(settings, kNow), entry.due) << entry.interval << " " << entry.daysAgo;
    }
}

TEST(UpdateCheck, LastCheckThatIsNoDateMakesTheCheckDue)
{
    EngineSettings settings{OleDate(std::numeric_limits<double>::quiet_NaN())};
    EXPECT_TRUE(IsUpdateCheckDue(settings, kNow));
}

TEST(UpdateCheck, UpdaterLiesInItsOwnFolder)
{
    TempSuite suite(QStringLiteral("Pultex"));
    EXPECT_EQ(UpdaterPath(), suite.SuiteFolder() + QStringLiteral("Refresko/Refresko"));
}

TEST(UpdateCheck, StartupCheckStoresTheStartTimeAndAsksForAnAutomaticCheck)
{
    TempSuite suite(QStringLiteral("Pultex"));
    FakeUpdater updater;
    ASSERT_TRUE(updater.WaitUntilFound());

    EngineSettings settings(kNow.AddDays(-10));
    RunStartupUpdateCheck(settings, kNow);
    EXPECT_EQ(updater.ReceivedMessage(), QStringLiteral("273 1004 0"));

    EXPECT_EQ(settings.lastUpdateCheck, kNow);
    EngineSettings saved(OleDate(2000, 1, 1));
    ASSERT_EQ(LoadEngineSettings(saved), 1);
    EXPECT_EQ(saved.lastUpdateCheck, kNow);
}

TEST(UpdateCheck, MissingUpdaterIsSilentAndTheCheckIsStillStored)
{
    TempSuite suite(QStringLiteral("Pultex"));
    EngineSettings settings(kNow.AddDays(-10));
    const OleDate before = OleDate::Now();
    CheckForUpdatesNow(settings);
    EXPECT_GE(settings.lastUpdateCheck, before);
    EngineSettings saved(OleDate(2000, 1, 1));
    ASSERT_EQ(LoadEngineSettings(saved), 1);
    EXPECT_EQ(saved.lastUpdateCheck, settings.lastUpdateCheck);
}

}  // namespace
