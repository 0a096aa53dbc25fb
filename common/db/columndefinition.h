#pragma once

#include <QString>

#include <span>

// One column of the static column table from which missing tables are created: its name and its
// declared type ("smallint", "integer", "float", "datetime", "varchar(n)", "integer not null identity").
// SqlDialect turns the declared type into the backend's own.
struct ColumnDefinition {
    const char* name;
    const char* type;
};

// A table is a contiguous run of the column table.
using ColumnRun = std::span<const ColumnDefinition>;

// The width n of a "varchar(n)" column; 0 for any other type.
int VarcharWidth(const ColumnDefinition& column);

// The tables whose runs the column table holds, in its order.
enum class EngineTable {
    kEngineConfiguration,
    kInitialization,
    kSystemConfiguration,
    kDerivedProgrammations,
    kLineProgrammations,
    kEntryPhoneProgrammations,
    kRelayProgrammations,
    kDerivedStatus,
    kEntryPhoneStatus,
    kLineStatus,
    kRelayStatus,
    kSystemProgrammations,
    kLogCalls,
    kLogCallsSwNew,
    kWakeEvents,
    kAlarmEvents,
    kDerivedLabel,
    kAlarmLabel,
    kLineLabel,
    kEntryPhoneLabel,
    kRelayLabel,
    kAddressBook,
};

struct TableDefinition {
    const char* name;  // a per-PBX table's base name, without "_" and the PBX identifier
    bool perPbx;
    ColumnRun columns;
};

const TableDefinition& Table(EngineTable table);
QString TableName(EngineTable table);  // the base name

// The PBX's own snapshot tables (refilled at each engine start), in the order of their creation.
std::span<const EngineTable> PbxSnapshotTables();
// The shared tables whose rows are keyed by a PBX index in their column PbxIdentifier.
std::span<const EngineTable> PbxKeyedTables();
