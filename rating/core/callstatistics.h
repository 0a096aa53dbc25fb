#pragma once

#include "compiledrules.h"
#include "coststatsrow.h"
#include "loggedcall.h"
#include "ratingconfiguration.h"
#include "ruletable.h"
#include "statsrequest.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class CRatingDatabase;
class PbxTables;

// The statistics of the call log over a period: costs per call type of one extension or one external
// line, the efficiency of one extension (calls in and out, internal and external), and the same summed
// over an extension group. Each computation returns 1 when done (also with no call in the period) and 0
// when refused or failed; `code` then holds the database code to show (0 when refused for too few rows).
class CallStatistics {
public:
    static constexpr int kCostRows = 5;        // the call types and the row of calls that match none
    static constexpr int kEfficiencyRows = 4;  // in/out internal, in internal, in external, out external

    CallStatistics(CRatingDatabase& database, const PbxTables& tables, const RatingConfiguration& configuration,
                   const CallTypeTable& callTypes);

    // One command of the view (all the computations of one analysis): the rules and the call types are
    // compiled once when it starts and serve every computation until it ends. Without a command each
    // computation compiles its own. The compiled tables are copies: a command never spans an edit.
    class Command {
    public:
        explicit Command(CallStatistics& statistics);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        CallStatistics& m_statistics;
        bool m_started = false;  // false inside a command already running
    };

    // The call types that name the rows of the cost statistics (all but the last).
    const CallTypeTable& CallTypes() const { return m_callTypes; }

    // `capacity` is how many rows the caller offers (at most rows.size()); set to the rows filled.
    int ComputeExtensionCostStats(const StatsRequest& request, int& capacity, std::span<CostStatsRow> rows, int& code);
    int ComputeLineCostStats(const StatsRequest& request, int& capacity, std::span<CostStatsRow> rows, int& code);
    int ComputeExtensionEfficiencyStats(const StatsRequest& request, int& capacity, std::span<CostStatsRow> rows,
                                        int& code);

    // The members' statistics of a group summed; the group's means are the means of its members' means,
    // its deviations 0. False when the group cannot be read, has no member, or a member's computation fails.
    bool ComputeGroupCostStats(std::int32_t groupId, const StatsRequest& period, std::vector<CostStatsRow>& rows,
                               int& code);
    bool ComputeGroupEfficiencyStats(std::int32_t groupId, const StatsRequest& period,
                                     std::vector<CostStatsRow>& rows, int& code);

private:
    struct CompiledTables {
        CompiledTables(const RatingConfiguration& configuration, const CallTypeTable& callTypes);
        CompiledRules rules;
        CompiledRules callTypes;
    };
    // The running command's tables, or `local` compiled now.
    const CompiledTables& Tables(std::optional<CompiledTables>& local) const;

    enum class Subject { kExtension, kLine };
    int ComputeCostStats(Subject subject, const StatsRequest& request, int& capacity, std::span<CostStatsRow> rows,
                         int& code);
    // The outgoing calls of the extension by its dialling number; none for an extension without one.
    int SelectExtensionCalls(const StatsRequest& request, std::vector<LoggedCall>& calls);
    static void AddValue(double value, double& total, double& sum, double& sumOfSquares);

    CRatingDatabase& m_database;
    const PbxTables& m_tables;
    const RatingConfiguration& m_configuration;
    const CallTypeTable& m_callTypes;
    std::optional<CompiledTables> m_command;
};
