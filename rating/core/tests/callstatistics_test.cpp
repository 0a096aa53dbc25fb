#include "callstatistics.h"

#include "dbtest.h"
#include "engineerrorcode.h"
#include "pbxtables.h"
#include "ratingdatabase.h"
#include "ratingtestdata.h"
#include "testcallrecords.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPbx = 0;
constexpr int kExtension = 2;        // dialled as 203
constexpr int kExtensionNumber = 203;
constexpr int kOtherRow = CallStatistics::kCostRows - 1;

class CallStatisticsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        StartEngineDatabaseWithPbx(kPbx, QStringLiteral("PBX1"));
        m_database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(m_database->Connect(kServer), kNoError);
        ASSERT_EQ(m_database->CreateGroupsTable(), kNoError);
        SetTestPbx(m_tables, kPbx, 5, 4, false);
        m_statistics = std::make_unique<CallStatistics>(*m_database, m_tables, m_configuration, m_callTypes);
        m_request.start = OleDate(2026, 11, 1);
        m_request.end = OleDate(2026, 11, 30, 23, 59, 59);
        m_request.item = kExtension;
        m_request.pbx = kPbx;
    }

    CRatingDatabase& Database() { return *m_database; }
    CallStatistics& Statistics() { return *m_statistics; }

    void StoreCall(int extensionNumber, const OleDate& start, int seconds, int pulses, const QString& number,
                   int line = 1)
    {
        ASSERT_EQ(Database().InsertLoggedCall(kPbx, PbxLogRecord(start, seconds, line, pulses, 1, number),
                                              extensionNumber),
                  kNoError);
    }
    void StoreSwitchboardCall(int extension, const OleDate& start, int seconds, int lineKind, int direction)
    {
        ASSERT_EQ(Database().InsertCallSwNew(kPbx, start.AddSeconds(seconds), extension,
                                             SwitchboardCallState(start, lineKind, 0, direction, QStringLiteral("21"))),
                  kNoError);
    }

    std::vector<CostStatsRow> CostRows(int& result, int capacity = CallStatistics::kCostRows)
    {
        std::vector<CostStatsRow> rows(static_cast<std::size_t>(std::max(capacity, 1)));
        int code = -1;
        result = Statistics().ComputeExtensionCostStats(m_request, capacity, rows, code);
        EXPECT_EQ(code, kNoError);
        return rows;
    }

    StatsRequest m_request;
    PbxTables m_tables;
    RatingConfiguration m_configuration = TestRatingConfiguration();
    CallTypeTable m_callTypes = TestCallTypes();

private:
    std::unique_ptr<CRatingDatabase> m_database;
    std::unique_ptr<CallStatistics> m_statistics;
};

TEST_P(CallStatisticsTest, NoCallGivesZeroRowsAndTooFewRowsAreRefused)
{
    int result = -1;
    std::vector<CostStatsRow> rows = CostRows(result);
    EXPECT_EQ(result, 1);
    for (const CostStatsRow& row : rows)
        EXPECT_EQ(row.totalCost + row.totalDuration + row.meanCost + row.costShare + row.grandTotalDuration, 0.0);

    StoreCall(kExtensionNumber, OleDate(2026, 11, 2, 9, 0, 0), 60, 1, QStringLiteral("0612345678"));
    rows = CostRows(result, 4);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(rows[0].totalCost, 0.0);
}

TEST_P(CallStatisticsTest, CallsAreClassedPricedAndSummed)
{
    // Pulse-counting PBX: 12 pulses cost 12 x pulse cost + answer charge, whatever the number.
    StoreCall(kExtensionNumber, m_request.start, 90, 12, QStringLiteral("0612345678"));  // on the first second
    StoreCall(kExtensionNumber, OleDate(2026, 11, 3, 10, 0, 0), 30, 2, QStringLiteral("0612345679"));
    StoreCall(kExtensionNumber, m_request.end, 45, 3, QStringLiteral("8001234"));  // matches no call type
    StoreCall(kExtensionNumber, OleDate(2026, 12, 1, 0, 0, 0), 45, 3, QStringLiteral("8001234"));  // after
    StoreCall(204, OleDate(2026, 11, 3, 10, 0, 0), 30, 2, QStringLiteral("0612345679"));           // another

    int result = -1;
    const std::vector<CostStatsRow> rows = CostRows(result);
    ASSERT_EQ(result, 1);
    const CostStatsRow& other = rows[kOtherRow];
    EXPECT_DOUBLE_EQ(other.totalCost, 3 * kTestPulseCost + kTestAnswerCharge);
    EXPECT_EQ(other.totalDuration, 45.0);
    EXPECT_DOUBLE_EQ(other.meanCost, other.totalCost);  // one call: its own value, no deviation
    EXPECT_EQ(other.costDeviation, 0.0);
    EXPECT_EQ(other.durationDeviation, 0.0);

    int local = -1;
    for (int i = 0; i < kOtherRow; ++i)
        if (rows[static_cast<std::size_t>(i)].totalDuration == 120.0)
            local = i;
    ASSERT_GE(local, 0) << "the two calls to 06 share a class";
    const CostStatsRow& pair = rows[static_cast<std::size_t>(local)];
    const double first = 12 * kTestPulseCost + kTestAnswerCharge;
    const double second = 2 * kTestPulseCost + kTestAnswerCharge;
    EXPECT_DOUBLE_EQ(pair.totalCost, first + second);
    EXPECT_DOUBLE_EQ(pair.meanDuration, 60.0);
    EXPECT_NEAR(pair.durationDeviation, std::sqrt(((90 - 60) * (90 - 60) + (30 - 60) * (30 - 60)) / 1.0), 1e-9);
    EXPECT_NEAR(pair.costDeviation, std::abs(first - second) / std::sqrt(2.0), 1e-9);

    EXPECT_DOUBLE_EQ(rows[0].grandTotalDuration, 165.0);
    EXPECT_DOUBLE_EQ(rows[0].grandTotalCost, first + second + other.totalCost);
    EXPECT_DOUBLE_EQ(pair.durationShare, 120.0 / 165.0);
}

// A command compiles the rules and the call types when it starts: its computations keep them (a command
// inside it changes nothing), and the computations after it see an edit made meanwhile.
TEST_P(CallStatisticsTest, ACommandRatesWithTheTablesOfItsStart)
{
    // A mobile number: one call type only holds for it, so its class moves when the types are reversed.
    StoreCall(kExtensionNumber, OleDate(2026, 11, 3, 10, 0, 0), 30, 2, QStringLiteral("3331234567"));
    const auto classOfCall = [this] {
        int result = -1;
        const std::vector<CostStatsRow> rows = CostRows(result);
        EXPECT_EQ(result, 1);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].totalDuration == 30.0)
                return static_cast<int>(i);
        return -1;
    };
    const int before = classOfCall();
    ASSERT_GE(before, 0);
    ASSERT_LT(before, kOtherRow) << "the call has a call type";
    const int reversed = kOtherRow - 1 - before;
    ASSERT_NE(reversed, before);
    {
        const CallStatistics::Command command(Statistics());
        std::reverse(m_callTypes.rules.begin(), m_callTypes.rules.end());
        EXPECT_EQ(classOfCall(), before);
        {
            const CallStatistics::Command inner(Statistics());
            EXPECT_EQ(classOfCall(), before);
        }
        EXPECT_EQ(classOfCall(), before);
    }
    EXPECT_EQ(classOfCall(), reversed);
}

TEST_P(CallStatisticsTest, LinesAndExtensionsWithoutNumber)
{
    StoreCall(kExtensionNumber, OleDate(2026, 11, 2, 9, 0, 0), 60, 1, QStringLiteral("0612345678"), 3);
    StoreCall(0, OleDate(2026, 11, 2, 9, 5, 0), 60, 1, QStringLiteral("0612345678"), 1);
    std::vector<CostStatsRow> rows(CallStatistics::kCostRows);
    int capacity = CallStatistics::kCostRows;
    int code = -1;
    m_request.item = 3;
    ASSERT_EQ(Statistics().ComputeLineCostStats(m_request, capacity, rows, code), 1);
    EXPECT_EQ(rows[0].grandTotalDuration, 60.0);

    // An index beyond the PBX's extensions has no dialling number: no calls, not those stored under 0.
    m_request.item = 7;
    ASSERT_EQ(Statistics().ComputeExtensionCostStats(m_request, capacity, rows, code), 1);
    EXPECT_EQ(rows[0].grandTotalDuration, 0.0);

    m_request.end = OleDate::Invalid();
    m_request.item = kExtension;
    EXPECT_EQ(Statistics().ComputeExtensionCostStats(m_request, capacity, rows, code), 0);
    EXPECT_EQ(code, kDbTableCheckFailed);
}

TEST_P(CallStatisticsTest, EfficiencyCountsSwitchboardClassesAndOutgoingCalls)
{
    const OleDate day(2026, 11, 5, 9, 0, 0);
    StoreSwitchboardCall(kExtension, day, 10, 1, 1);            // row 0: in, internal
    StoreSwitchboardCall(kExtension, day.AddSeconds(60), 30, 1, 1);
    StoreSwitchboardCall(kExtension, day.AddSeconds(120), 20, 1, 2);  // row 1: out, internal
    StoreSwitchboardCall(kExtension, m_request.end, 40, 2, 1);        // row 2, on the period's last second
    StoreSwitchboardCall(kExtension, day, 99, 2, 2);                  // out, external: not a switchboard class
    StoreSwitchboardCall(kExtension + 1, day, 99, 1, 1);              // another extension
    StoreCall(kExtensionNumber, day, 75, 4, QStringLiteral("0612345678"));  // row 3

    std::vector<CostStatsRow> rows(CallStatistics::kEfficiencyRows);
    int capacity = CallStatistics::kEfficiencyRows;
    int code = -1;
    ASSERT_EQ(Statistics().ComputeExtensionEfficiencyStats(m_request, capacity, rows, code), 1);
    EXPECT_EQ(capacity, CallStatistics::kEfficiencyRows);
    EXPECT_EQ(rows[0].totalDuration, 40.0);
    EXPECT_EQ(rows[0].meanDuration, 20.0);
    EXPECT_NEAR(rows[0].durationDeviation, std::sqrt(200.0), 1e-9);
    EXPECT_EQ(rows[1].totalDuration, 20.0);
    EXPECT_EQ(rows[2].totalDuration, 40.0);
    EXPECT_EQ(rows[3].totalDuration, 75.0);
    EXPECT_EQ(rows[3].meanDuration, 75.0);
    EXPECT_EQ(rows[0].grandTotalDuration, 175.0);
    EXPECT_EQ(rows[3].totalCost, 0.0);
    EXPECT_EQ(rows[3].costShare, 0.0);
    EXPECT_DOUBLE_EQ(rows[3].durationShare, 75.0 / 175.0);

    capacity = 3;
    EXPECT_EQ(Statistics().ComputeExtensionEfficiencyStats(m_request, capacity, rows, code), 0);
}

TEST_P(CallStatisticsTest, GroupsAverageTheirMembersMeans)
{
    const OleDate day(2026, 11, 5, 9, 0, 0);
    StoreCall(kExtensionNumber, day, 60, 1, QStringLiteral("8001"));
    StoreCall(kExtensionNumber, day.AddSeconds(100), 120, 1, QStringLiteral("8002"));
    StoreCall(201, day, 30, 1, QStringLiteral("8003"));
    StoreSwitchboardCall(0, day, 50, 1, 1);

    ExtensionGroup group;
    group.name = QStringLiteral("Tre");
    group.memberCount = 3;
    group.members = {static_cast<std::uint8_t>(kExtension), 0, 4};  // the last without calls
    ASSERT_EQ(Database().InsertGroup(group), kNoError);
    std::vector<GroupListEntry> groups;
    ASSERT_EQ(Database().SelectGroups(kPbx, groups), kNoError);
    ASSERT_EQ(groups.size(), 1u);

    std::vector<CostStatsRow> rows;
    int code = -1;
    ASSERT_TRUE(Statistics().ComputeGroupCostStats(groups[0].id, m_request, rows, code));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(CallStatistics::kCostRows));
    const CostStatsRow& other = rows[kOtherRow];
    EXPECT_EQ(other.totalDuration, 210.0);
    EXPECT_DOUBLE_EQ(other.meanDuration, (90.0 + 30.0 + 0.0) / 3);
    EXPECT_EQ(other.durationDeviation, 0.0);
    EXPECT_EQ(other.durationShare, 1.0);
    EXPECT_EQ(rows[0].grandTotalDuration, 210.0);
    EXPECT_DOUBLE_EQ(rows[0].grandTotalCost, 3 * (kTestPulseCost + kTestAnswerCharge));

    ASSERT_TRUE(Statistics().ComputeGroupEfficiencyStats(groups[0].id, m_request, rows, code));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(CallStatistics::kEfficiencyRows));
    EXPECT_EQ(rows[0].totalDuration, 50.0);
    EXPECT_EQ(rows[3].totalDuration, 210.0);
    EXPECT_DOUBLE_EQ(rows[3].meanDuration, 120.0 / 3);
    EXPECT_EQ(rows[0].grandTotalDuration, 260.0);

    group.id = groups[0].id;
    group.memberCount = 0;
    ASSERT_EQ(Database().UpdateGroup(group), kNoError);
    EXPECT_FALSE(Statistics().ComputeGroupCostStats(groups[0].id, m_request, rows, code));
    EXPECT_FALSE(Statistics().ComputeGroupEfficiencyStats(groups[0].id + 1, m_request, rows, code));
    EXPECT_EQ(code, kDbRecordSelection);
}

INSTANTIATE_DB_TEST(CallStatisticsTest);

}  // namespace
