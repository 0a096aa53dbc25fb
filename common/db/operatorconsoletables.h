#pragma once

#include "columndefinition.h"

// The operator console's own tables, shared by every workstation and created by the console when
// missing (without a PBX suffix): alarm events with their answers, operator messages, call notes.
namespace OperatorConsoleTables {
ColumnRun AlarmEventsNew();
ColumnRun InternalMessage();
ColumnRun NewNotes();

// The column that older InternalMessage tables lack, as the upgrade adds it: old rows get 0.
ColumnRun InternalMessageUpgrade();

// Widths kept in code: the tables of older installations may declare narrower columns.
inline constexpr int kMessageTextWidth = 512;
inline constexpr int kNoteNumberWidth = 50;
inline constexpr int kNoteTextWidth = 512;
}  // namespace OperatorConsoleTables
