// The phone line of a stay over what the real engine stores (and a call stored live, further down): Simulvex places a call from the room's
// extension, Pultex in simulation downloads the PBX's call log into LogCalls at its start, and the bill
// prices that call as the suite's rating rule does, for a PBX that counts pulses and for one that times
// its calls.
#include "consolesuite.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "downloadcalllog.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "loggedcallreader.h"
#include "callcost.h"
#include "callrating.h"
#include "staybilling.h"
#include "stringtable.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lodgix {
namespace {

constexpr int kPbx = 0;
constexpr int kExtension = 1;        // dialled as 202: three extensions numbered from 201
constexpr int kExtensionNumber = 202;

struct EngineCase {
    const char* name;
    bool timesCalls;
};

class HotelEngineTest : public ::testing::TestWithParam<EngineCase> {};

TEST_P(HotelEngineTest, TheStaysPhoneLineIsTheRatedPriceOfTheRoomsCall)
{
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    // The call is placed before the engine starts: it waits in the PBX's log for the start-up download.
    QStringList simulator{QStringLiteral("set extensions 3"), QStringLiteral("set lines 2")};
    if (GetParam().timesCalls)
        simulator << QStringLiteral("set config 24 8");
    simulator << QStringLiteral("set clock 2026-03-03 10:00:00") << QStringLiteral("call %1 0 0612345678").arg(kExtension)
              << QStringLiteral("set clock 2026-03-03 10:02:05") << QStringLiteral("hangup %1").arg(kExtension);
    static_assert(kPbx == 0);  // the PBX the simulation installation binds
    const QString failure = suite.StartInSimulation(simulator);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

    CHotelDatabase database(suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);

    // The call as the engine stored it, priced alone by the rating rule.
    std::vector<LoggedCall> calls;
    int count = 0;
    LoggedCallFilter filter;
    filter.pbx = kPbx;
    filter.extensionNumber = kExtensionNumber;
    ASSERT_EQ(SelectLoggedCalls(database, filter, &calls, count), kNoError);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(calls[0].dialledNumber, QStringLiteral("0612345678"));
    QByteArray configuration;
    ASSERT_EQ(database.ReadSystemConfiguration(kPbx, configuration), kNoError);
    RatingConfiguration rating;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), rating.prefixGroups);
    BuildDefaultTariffs(rating.tariffs, rating.variations);
    BuildDefaultRules(rating.rules, rating.prefixGroups);
    rating.tariffs.tariffs[TariffTable::kPulseTariff].pulseCost = 0.12;
    rating.tariffs.tariffs[TariffTable::kPulseTariff].answerCharge = 0.05;
    const CallRating rated = RateLoggedCall(calls[0], configuration, rating.rules, rating.prefixGroups,
                                            rating.tariffs, rating.variations);
    ASSERT_EQ(rated.result, kCostDone);
    ASSERT_GT(rated.cost, 0.0);
    EXPECT_EQ(calls[0].pulses, GetParam().timesCalls ? rated.durationSeconds : 3.0);

    // The room's stay over the call.
    RoomRecord room;
    room.id = 1;
    room.pbx = kPbx;
    room.extension = kExtension;
    const std::vector<RoomRecord> rooms{room};
    const SeasonTable seasons = SeasonTable::Defaults();
    const HotelSettings settings;
    StayBilling billing(database, rooms, seasons, rating, settings);
    CheckInRecord stay;
    stay.roomId = room.id;
    stay.startDate = OleDate(2026, 3, 2);
    stay.endDate = OleDate(2026, 3, 2);
    stay.checkInDate = OleDate(2026, 3, 2, 15, 0, 0);
    stay.checkOutDate = OleDate(2026, 3, 3, 11, 0, 0);
    stay.treatment = QStringLiteral("Solo pernottamento");
    stay.dailyPrice = Money::FromCents(6000);
    std::vector<BillLine> lines;
    ASSERT_TRUE(billing.BuildStayBill(stay, lines, true, true, [](unsigned) { return false; }));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].description, LoadResString(StayBilling::kPhoneLineString));
    EXPECT_EQ(lines[1].unitPrice.Cents(), std::llround(rated.cost * 100));

    database.Close();
    EXPECT_EQ(suite.StopConsole(), 0);
}

// A call that ends while the console runs: the engine stores it from the PBX's call-end event under the
// extension's dialling number (202, index 1), so the room's bill charges it, and the call-log download of
// the same call later stores nothing new. On both databases.
class HotelLiveCallTest : public ::testing::TestWithParam<DbBackend> {};

TEST_P(HotelLiveCallTest, ACallEndedWhileTheConsoleRunsIsChargedAndNotDownloadedAgain)
{
    DatabaseSettings databaseSettings;
    QString skipReason;
    if (!TestDatabaseSettings(GetParam(), databaseSettings, skipReason))
        GTEST_SKIP() << skipReason.toStdString();
    ConsoleSuite suite;
    ASSERT_TRUE(suite.IsValid());
    const QString failure =
        suite.StartInSimulation({QStringLiteral("set extensions 3"), QStringLiteral("set lines 2")}, databaseSettings);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    CHotelDatabase database(suite.CatalogParameters(databaseSettings));
    ASSERT_EQ(database.Connect(QString()), kNoError);

    // The catalog of a shared server may hold calls of earlier runs: only this run's count.
    const OleDate before = OleDate::Now().AddSeconds(-1);
    const OleDate after = OleDate::Now().AddDays(1);
    LoggedCallFilter filter;
    filter.pbx = kPbx;
    filter.extensionNumber = kExtensionNumber;
    filter.start = &before;
    filter.end = &after;
    std::vector<LoggedCall> calls;
    int count = -1;
    ASSERT_TRUE(suite.PlaceCall(kExtension, 0, QStringLiteral("0612345678"), 125));
    ASSERT_TRUE(WaitFor([&] { return SelectLoggedCalls(database, filter, &calls, count) == kNoError && count == 1; },
                        20000));
    EXPECT_EQ(calls[0].dialledNumber, QStringLiteral("0612345678"));

    RoomRecord room;
    room.id = 1;
    room.pbx = kPbx;
    room.extension = kExtension;
    const std::vector<RoomRecord> rooms{room};
    const SeasonTable seasons = SeasonTable::Defaults();
    const HotelSettings settings;
    RatingConfiguration rating;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), rating.prefixGroups);
    BuildDefaultTariffs(rating.tariffs, rating.variations);
    BuildDefaultRules(rating.rules, rating.prefixGroups);
    rating.tariffs.tariffs[TariffTable::kPulseTariff].pulseCost = 0.12;
    rating.tariffs.tariffs[TariffTable::kPulseTariff].answerCharge = 0.05;
    StayBilling billing(database, rooms, seasons, rating, settings);
    CheckInRecord stay;
    stay.roomId = room.id;
    const QDate day = QDate::currentDate();
    const OleDate today(day.year(), day.month(), day.day());
    stay.startDate = today.AddDays(-1);
    stay.endDate = today.AddDays(-1);
    stay.checkInDate = today.AddDays(-1).AddSeconds(15 * 3600);
    stay.checkOutDate = after;
    stay.treatment = QStringLiteral("Solo pernottamento");
    stay.dailyPrice = Money::FromCents(6000);
    std::vector<BillLine> lines;
    ASSERT_TRUE(billing.BuildStayBill(stay, lines, true, true, [](unsigned) { return false; }));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].description, LoadResString(StayBilling::kPhoneLineString));
    QByteArray configuration;
    ASSERT_EQ(database.ReadSystemConfiguration(kPbx, configuration), kNoError);
    const CallRating rated = RateLoggedCall(calls[0], configuration, rating.rules, rating.prefixGroups,
                                            rating.tariffs, rating.variations);
    ASSERT_EQ(rated.result, kCostDone);
    ASSERT_GT(rated.cost, 0.0);
    EXPECT_EQ(lines[1].unitPrice.Cents(), std::llround(rated.cost * 100));

    // The PBX still keeps the call in its log: the download finds it stored already.
    const CEngineClient client("127.0.0.1", suite.Ports().requestPort);
    ASSERT_EQ(DownloadCallLog(&client, database, kPbx, std::chrono::milliseconds(0)), kNoError);
    ASSERT_EQ(SelectLoggedCalls(database, filter, nullptr, count), kNoError);
    EXPECT_EQ(count, 1);

    database.Close();
    EXPECT_EQ(suite.StopConsole(), 0);
}

INSTANTIATE_TEST_SUITE_P(Databases, HotelLiveCallTest, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),
                         [](const ::testing::TestParamInfo<DbBackend>& info) {
                             return info.param == DbBackend::kSqlite ? std::string("Sqlite") : std::string("Postgres");
                         });

INSTANTIATE_TEST_SUITE_P(Pbxs, HotelEngineTest,
                         ::testing::Values(EngineCase{"PulseCounter", false}, EngineCase{"TimesCalls", true}),
                         [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lodgix
