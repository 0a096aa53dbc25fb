#include "callstatistics.h"

#include "callrating.h"
#include "engineerrorcode.h"
#include "pbxtables.h"
#include "ratingdatabase.h"
#include "statsformulas.h"

#include <algorithm>

namespace {

// The switchboard's classes of the efficiency analysis, in the order they are read: the kinds mask of
// CountCallLog (direction bits 0-2, line kind bits 3-4) and the row it fills.
struct SwitchboardClass {
    unsigned kinds;
    int row;
};
constexpr SwitchboardClass kSwitchboardClasses[] = {
    {10, 1},  // out (Uscente 2), internal
    {9, 0},   // in (Uscente 1), internal
    {17, 2},  // in, external
};
constexpr int kOutgoingExternalRow = 3;  // the extension's calls of LogCalls

// The switchboard log keeps the strict bounds of its callers; one second wider on each side takes the
// period's own first and last second too, as the call log's selects do (starts are whole seconds).
constexpr int kInclusiveMarginSeconds = 1;

}  // namespace

CallStatistics::CallStatistics(CRatingDatabase& database, const PbxTables& tables,
                               const RatingConfiguration& configuration, const CallTypeTable& callTypes)
    : m_database(database), m_tables(tables), m_configuration(configuration), m_callTypes(callTypes)
{
}

CallStatistics::CompiledTables::CompiledTables(const RatingConfiguration& configuration,
                                               const CallTypeTable& callTypes)
    : rules(configuration.rules, configuration.prefixGroups), callTypes(callTypes, configuration.prefixGroups)
{
}

CallStatistics::Command::Command(CallStatistics& statistics) : m_statistics(statistics)
{
    if (m_statistics.m_command)
        return;
    m_statistics.m_command.emplace(m_statistics.m_configuration, m_statistics.m_callTypes);
    m_started = true;
}

CallStatistics::Command::~Command()
{
    if (m_started)
        m_statistics.m_command.reset();
}

const CallStatistics::CompiledTables& CallStatistics::Tables(std::optional<CompiledTables>& local) const
{
    return m_command ? *m_command : local.emplace(m_configuration, m_callTypes);
}

void CallStatistics::AddValue(double value, double& total, double& sum, double& sumOfSquares)
{
    total += value;
    sum += value;
    sumOfSquares += value * value;
}

int CallStatistics::SelectExtensionCalls(const StatsRequest& request, std::vector<LoggedCall>& calls)
{
    calls.clear();
    const QString number = m_tables.DefaultExtensionNumber(request.pbx, request.item);
    bool isNumber = false;
    const int extensionNumber = number.toInt(&isNumber);
    if (!isNumber)
        return kNoError;  // no dialling number: the extension has no calls, rather than those of number 0
    int count = 0;
    return m_database.SelectExtensionCalls(request.pbx, extensionNumber, &request.start, &request.end, &calls, count);
}

int CallStatistics::ComputeCostStats(Subject subject, const StatsRequest& request, int& capacity,
                                     std::span<CostStatsRow> rows, int& code)
{
    code = kNoError;
    const int n = m_callTypes.Count() + 1;
    if (std::min<std::size_t>(static_cast<std::size_t>(std::max(capacity, 0)), rows.size()) <
        static_cast<std::size_t>(n))
        return 0;
    capacity = n;
    const std::span<CostStatsRow> classes = rows.first(static_cast<std::size_t>(n));
    std::fill(classes.begin(), classes.end(), CostStatsRow{});
    std::vector<LoggedCall> calls;
    int count = 0;
    code = subject == Subject::kExtension
               ? SelectExtensionCalls(request, calls)
               : m_database.SelectLineCalls(request.pbx, request.item, &request.start, &request.end, &calls, count);
    if (code != kNoError)
        return 0;
    std::vector<long long> counts(static_cast<std::size_t>(n), 0);
    const QByteArrayView configuration = m_tables.SystemConfigurationBytes(request.pbx);
    std::optional<CompiledTables> local;
    const CompiledTables& compiled = Tables(local);
    for (const LoggedCall& call : calls) {
        const CallRating rating =
            RateLoggedCall(call, configuration, compiled.rules, m_configuration.tariffs, m_configuration.variations);
        const std::uint16_t type = compiled.callTypes.FindMatchingRule(call.dialledNumber);
        const int row = type == kNoRule || type >= n ? n - 1 : type;
        CostStatsRow& target = classes[static_cast<std::size_t>(row)];
        AddValue(rating.cost, target.totalCost, target.meanCost, target.costDeviation);
        AddValue(static_cast<double>(rating.durationSeconds), target.totalDuration, target.meanDuration,
                 target.durationDeviation);
        ++counts[static_cast<std::size_t>(row)];
    }
    ComputeStatShares(classes);
    ComputeStatMeans(classes, counts);
    return 1;
}

int CallStatistics::ComputeExtensionCostStats(const StatsRequest& request, int& capacity, std::span<CostStatsRow> rows,
                                              int& code)
{
    return ComputeCostStats(Subject::kExtension, request, capacity, rows, code);
}

int CallStatistics::ComputeLineCostStats(const StatsRequest& request, int& capacity, std::span<CostStatsRow> rows,
                                         int& code)
{
    return ComputeCostStats(Subject::kLine, request, capacity, rows, code);
}

int CallStatistics::ComputeExtensionEfficiencyStats(const StatsRequest& request, int& capacity,
                                                    std::span<CostStatsRow> rows, int& code)
{
    code = kNoError;
    if (std::min<std::size_t>(static_cast<std::size_t>(std::max(capacity, 0)), rows.size()) <
        static_cast<std::size_t>(kEfficiencyRows))
        return 0;
    capacity = kEfficiencyRows;
    const std::span<CostStatsRow> classes = rows.first(kEfficiencyRows);
    std::fill(classes.begin(), classes.end(), CostStatsRow{});

    std::vector<LoggedCall> calls;
    if ((code = SelectExtensionCalls(request, calls)) != kNoError)
        return 0;
    const QByteArrayView configuration = m_tables.SystemConfigurationBytes(request.pbx);
    CostStatsRow& outgoing = classes[kOutgoingExternalRow];
    std::optional<CompiledTables> local;
    const CompiledTables& compiled = Tables(local);
    for (const LoggedCall& call : calls) {
        const CallRating rating =
            RateLoggedCall(call, configuration, compiled.rules, m_configuration.tariffs, m_configuration.variations);
        AddValue(static_cast<double>(rating.durationSeconds), outgoing.totalDuration, outgoing.meanDuration,
                 outgoing.durationDeviation);
    }
    const long long outgoingCount = static_cast<long long>(calls.size());
    ComputeStatMeans(classes.subspan(kOutgoingExternalRow, 1), {&outgoingCount, 1});

    const OleDate from = request.start.AddSeconds(-kInclusiveMarginSeconds);
    const OleDate to = request.end.AddSeconds(kInclusiveMarginSeconds);
    for (const SwitchboardClass& kind : kSwitchboardClasses) {
        std::vector<CallLogEntry> entries;
        int count = 0;
        code = m_database.CountCallLog(request.pbx, request.item, kind.kinds, &from, &to, &entries, count);
        if (code != kNoError)
            return 0;
        CostStatsRow& row = classes[static_cast<std::size_t>(kind.row)];
        for (const CallLogEntry& entry : entries)
            AddValue(SecondsOfDay(entry.duration), row.totalDuration, row.meanDuration, row.durationDeviation);
        const long long n = static_cast<long long>(entries.size());
        ComputeStatMeans(classes.subspan(static_cast<std::size_t>(kind.row), 1), {&n, 1});
    }
    ComputeStatShares(classes);
    return 1;
}
