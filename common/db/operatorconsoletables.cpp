#include "operatorconsoletables.h"

namespace {

constexpr ColumnDefinition kAlarmEventsNew[] = {
    {"PbxIdentifier", "smallint"}, {"TipoOggetto", "smallint"}, {"IndiceOggetto", "smallint"},
    {"TipoAllarme", "smallint"},   {"Ora", "datetime"},         {"OraRisposta", "datetime"},
    {"Esito", "smallint"},         {"IndiceDerivato", "smallint"},
};

constexpr ColumnDefinition kInternalMessage[] = {
    {"IDMessage", "integer not null identity"}, {"PbxIdentifier", "smallint"}, {"Source", "smallint"},
    {"Dest", "smallint"}, {"MessageDate", "datetime"}, {"MessageText", "varchar(512)"}, {"IsRead", "smallint"},
    {"DestPbxIdentifier", "smallint"},
};

constexpr ColumnDefinition kInternalMessageUpgrade[] = {
    {"DestPbxIdentifier", "smallint NOT NULL DEFAULT 0"},
};

constexpr ColumnDefinition kNewNotes[] = {
    {"IDNote", "integer not null identity"}, {"PbxIdentifier", "smallint"}, {"IndiceDerivato", "smallint"},
    {"DataNota", "datetime"}, {"Link", "smallint"}, {"Numero", "varchar(50)"}, {"Nota", "varchar(512)"},
};

}  // namespace

namespace OperatorConsoleTables {
ColumnRun AlarmEventsNew() { return kAlarmEventsNew; }
ColumnRun InternalMessage() { return kInternalMessage; }
ColumnRun NewNotes() { return kNewNotes; }
ColumnRun InternalMessageUpgrade() { return kInternalMessageUpgrade; }
}  // namespace OperatorConsoleTables
