#pragma once

#include "operatorconsolestate.h"

class CSqlDatabase;

// Reads the state of the workstation's PBX, and of a second PBX when one is asked for, from the
// engine's tables into the console's state. Returns 0 or the first error: a failed read, or the
// PBX's non-zero link state. A second PBX is read into tables of its own and joins only when its
// link is up, each combined count is at most 256 and every one of its reads succeeded.
// The unread counts are those of this workstation's messages (its associated extension).
int LoadPbxState(CSqlDatabase& database, OperatorConsoleState& state, int pbxIdentifier, int associatedExtension,
                 int secondPbxIdentifier);

// The database's list position of the PBX with that identifier (the PBX argument of its readers); -1 when
// it is not configured.
int PbxListPosition(const CSqlDatabase& database, int pbxIdentifier);
