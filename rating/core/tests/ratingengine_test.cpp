// The rating data over what the real engine stores: Pultex in simulation downloads the call log of a
// Simulvex PBX that counts pulses, or that times its calls; the PBX tables give the extension's dialling
// number, and its calls are found, priced and exported.
#include "callloggerexport.h"
#include "callloggerline.h"
#include "consolesuite.h"
#include "engineerrorcode.h"
#include "pbxtables.h"
#include "ratingdatabase.h"
#include "ratingtestdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kPbx = 0;
constexpr int kExtension = 1;  // dialled as 202: three extensions, numbered from 201
constexpr int kCallSeconds = 125;

struct EngineCase {
    const char* name;
    bool timesCalls;
    const char* unitAndValue;  // columns 96-109 of the exported line
};

class RatingEngineTest : public ::testing::TestWithParam<EngineCase> {};

TEST_P(RatingEngineTest, CallsThatPultexStoredAreFoundPricedAndExported)
{
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    QStringList simulator{QStringLiteral("set extensions 3"), QStringLiteral("set lines 2")};
    if (GetParam().timesCalls)
        simulator << QStringLiteral("set config 24 8");
    simulator << QStringLiteral("calllog add 1 2024-03-01 10:15:00 %1 1 0612345678").arg(kCallSeconds)
              << QStringLiteral("calllog add 1 2024-03-01 11:00:00 30 0 021234 in")
              << QStringLiteral("calllog add 2 2024-03-01 12:00:00 60 0 0287654321");
    static_assert(kPbx == 0);  // the PBX the simulation installation binds
    const QString failure = suite.StartInSimulation(simulator);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

    CRatingDatabase database(suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    ASSERT_EQ(database.CreateGroupsTable(), kNoError);
    PbxTables tables;
    ASSERT_EQ(tables.Load(database), kNoError);
    ASSERT_TRUE(tables.IsLoaded(kPbx));
    EXPECT_EQ(tables.ExtensionCount(kPbx), 3);
    const QString number = tables.DefaultExtensionNumber(kPbx, kExtension);
    ASSERT_EQ(number, QStringLiteral("202"));

    std::vector<LoggedCall> calls;
    int count = 0;
    ASSERT_EQ(database.SelectExtensionCalls(kPbx, number.toInt(), nullptr, nullptr, &calls, count), kNoError);
    ASSERT_EQ(count, 1);  // the outgoing call only
    const LoggedCall& call = calls[0];
    EXPECT_EQ(call.start, OleDate(2024, 3, 1, 10, 15, 0));
    EXPECT_EQ(call.dialledNumber, QStringLiteral("0612345678"));

    const RatingConfiguration configuration = TestRatingConfiguration();
    const CallRating rating =
        RateLoggedCall(call, tables.SystemConfigurationBytes(kPbx), configuration.rules, configuration.prefixGroups,
                       configuration.tariffs, configuration.variations);
    EXPECT_EQ(rating.durationSeconds, kCallSeconds);
    if (GetParam().timesCalls) {
        EXPECT_EQ(call.pulses, kCallSeconds);
        EXPECT_GT(rating.cost, 0.0);
    } else {
        EXPECT_EQ(call.pulses, 3.0);  // a pulse per started minute
        EXPECT_DOUBLE_EQ(rating.cost, 3 * kTestPulseCost + kTestAnswerCharge);
    }

    // The export, its mark a second before the call.
    QTemporaryDir folder;
    const QString output = QDir(folder.path()).filePath(QStringLiteral("calls.txt"));
    OleDate now(2024, 3, 1, 12, 30, 0);
    CallLoggerExport exporter(database, tables, configuration, folder.path(), [&now] { return now; });
    exporter.Settings().enabled = 1;
    exporter.Settings().pbx = kPbx;
    exporter.Settings().outputPath = output;
    exporter.Settings().lastExportedStart = call.start.AddSeconds(-1).Value();
    for (int i = 0; i < CallLoggerExport::kTicksPerExport; ++i)
        exporter.OnTimer();
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);  // extension 202's call and extension 203's
    EXPECT_EQ(lines[0].mid(10, 5), QStringLiteral("202  "));
    EXPECT_EQ(lines[0].mid(35, 20), QStringLiteral("01/03/2024 10:17:05 "));
    EXPECT_EQ(lines[0].mid(96, 14), QString::fromLatin1(GetParam().unitAndValue));
    EXPECT_EQ(lines[0].mid(118).trimmed(), QString::asprintf("%0.2f", rating.cost));
    EXPECT_EQ(lines[1].mid(10, 5), QStringLiteral("203  "));

    database.Close();
    EXPECT_EQ(suite.StopConsole(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pbxs, RatingEngineTest,
                         ::testing::Values(EngineCase{"PulseCounter", false, "Scatti  00003 "},
                                           EngineCase{"TimesCalls", true, "Secondi 00125 "}),
                         [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.name); });

}  // namespace
