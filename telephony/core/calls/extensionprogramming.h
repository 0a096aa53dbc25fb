#pragma once

#include "pbxstatetables.h"

#include <cstdint>

class CEngineClient;
class CSqlDatabase;

// An extension's programming record, changed by a command, made the PBX's: written to the PBX, stored in
// the PBX's programming table and handed to every workstation as the programming frame, which comes back
// to each console (this one too) as event 35 and updates its table there. The caller's record is the
// changed copy; the console's own table is left to that event. Stops at the first failure and returns
// its code (a missing database is a failed update); 0 when all three steps were taken.
int WriteExtensionProgramming(const CEngineClient& engine, CSqlDatabase* database, int pbxIdentifier,
                              const std::array<std::uint8_t, PbxStateTables::kExtensionProgrammingSize>& record);
