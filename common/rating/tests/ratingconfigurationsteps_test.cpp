#include "ratingconfigurationsteps.h"

#include "tempsuite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const OleDate kNow(2030, 3, 14, 9, 26, 53);

class RatingConfigurationSteps : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("PrcCnf.psx"));
    }

    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(RatingConfigurationSteps, FirstRunBuildsWithTheChosenAreaCodeAndSaves)
{
    TempSuite suite;  // the default logo path lies in its Shared folder
    RatingConfiguration configuration;
    int offered = 0;
    const RatingFileResult result = RunRatingFirstRun(
        configuration, m_path,
        [&](const PrefixGroup& codes) {
            offered = codes.Count();
            return 9;  // "0165" Aosta
        },
        kNow);
    EXPECT_EQ(result, RatingFileResult::Ok);
    EXPECT_EQ(offered, 232);

    ASSERT_EQ(configuration.prefixGroups.Count(), 37);
    EXPECT_EQ(configuration.prefixGroups.groups[0].entries,
              (std::vector<PrefixEntry>{{QStringLiteral("0165"), QStringLiteral("Aosta")}}));
    EXPECT_EQ(configuration.tariffs.Count(), 34);
    EXPECT_EQ(configuration.variations.count, 34);
    EXPECT_EQ(configuration.rules.Count(), 33);
    EXPECT_EQ(configuration.printSettings.flags, 7);
    EXPECT_EQ(configuration.printSettings.logoPath, suite.SharedFolder() + QStringLiteral("LogoPrint.bmp"));
    EXPECT_EQ(configuration.viewState.historyStart, OleDate(2030, 1, 1));

    RatingConfiguration loaded;
    ASSERT_EQ(LoadRatingConfiguration(m_path, kRatingFileOlderTag, kRatingFileTag, loaded), RatingFileResult::Ok);
    EXPECT_EQ(loaded.prefixGroups, configuration.prefixGroups);
    EXPECT_EQ(loaded.rules, configuration.rules);
}

TEST_F(RatingConfigurationSteps, ChoiceOutsideTheListKeepsTheFirstCode)
{
    for (const int choice : {-1, 232, 100000}) {
        RatingConfiguration configuration;
        RunRatingFirstRun(configuration, m_path, [choice](const PrefixGroup&) { return choice; }, kNow);
        EXPECT_EQ(configuration.prefixGroups.groups[0].entries.at(0),
                  (PrefixEntry{QStringLiteral("0144"), QStringLiteral("Acqui Terme")}))
            << choice;
    }
}

TEST_F(RatingConfigurationSteps, FirstRunReportsAFailedSave)
{
    RatingConfiguration configuration;
    const QString nowhere = m_dir.filePath(QStringLiteral("missing/PrcCnf.psx"));
    EXPECT_EQ(RunRatingFirstRun(configuration, nowhere, [](const PrefixGroup&) { return 0; }, kNow),
              RatingFileResult::CannotWrite);
    EXPECT_EQ(configuration.tariffs.Count(), 34);
}

TEST_F(RatingConfigurationSteps, ExitStepSavesDeletesOrLeavesAlone)
{
    RatingConfiguration empty;
    EXPECT_EQ(StoreRatingConfigurationAtExit(empty, m_path), RatingFileResult::Ok);
    EXPECT_FALSE(QFile::exists(m_path));

    RatingConfiguration configuration;
    RunRatingFirstRun(configuration, m_path, [](const PrefixGroup&) { return 0; }, kNow);
    QFile::resize(m_path, 10);
    empty.restoreDefaults = true;
    EXPECT_EQ(StoreRatingConfigurationAtExit(empty, m_path), RatingFileResult::Ok);
    EXPECT_EQ(QFileInfo(m_path).size(), 10);  // nothing was loaded: neither written nor deleted

    configuration.tariffs.tariffs[5].name = QStringLiteral("Numeri verdi nuovi");
    EXPECT_EQ(StoreRatingConfigurationAtExit(configuration, m_path), RatingFileResult::Ok);
    RatingConfiguration loaded;
    ASSERT_EQ(LoadRatingConfiguration(m_path, kRatingFileOlderTag, kRatingFileTag, loaded), RatingFileResult::Ok);
    EXPECT_EQ(loaded.tariffs.tariffs[5].name, QStringLiteral("Numeri verdi nuovi"));

    configuration.restoreDefaults = true;
    EXPECT_EQ(StoreRatingConfigurationAtExit(configuration, m_path), RatingFileResult::Ok);
    EXPECT_FALSE(QFile::exists(m_path));
    EXPECT_EQ(StoreRatingConfigurationAtExit(configuration, m_path), RatingFileResult::Ok);
}

}  // namespace
