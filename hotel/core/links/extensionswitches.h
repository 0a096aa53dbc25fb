#pragma once

#include "engineclient.h"
#include "extensiontables.h"

#include <QByteArray>

class CSqlDatabase;

namespace lodgix {

// The front desk's switches of a room's extension on its PBX, through the engine.
inline constexpr int kPbxRequestSeconds = 6;      // the time budget of each programming or wake-up request
inline constexpr qsizetype kOutsideCallsByte = 5;  // ChiamateUrbaneAbilita in an extension's programming
inline constexpr qsizetype kWakeUpModeByte = 1;    // 0 disabled, 1 daily, 2 single
inline constexpr int kNoExtensionData = -1;        // the room's extension records were never read

// Outside calls of the room's extension on or off. The programming is read again from the database, which
// follows every change the engine and the other workstations made since start-up, and only the outside-call
// byte changes. Only after the PBX acknowledged the write is the record stored, kept in the tables and
// passed to the engine for the other workstations. The write's result, or the database read's code, or
// kNoExtensionData.
int SwitchOutsideCalls(const CEngineClient& engine, CSqlDatabase& database, ExtensionTables& tables, int roomIndex,
                       bool enable);

// Sends the room's wake-up record (extension index, mode, hour, minute, second). After the PBX's
// acknowledgement it is kept in the tables and written to the extension's state row; the request's result,
// else the database's, else 0. Nothing is kept when the PBX did not take it.
int SendWakeUp(const CEngineClient& engine, CSqlDatabase& database, ExtensionTables& tables, int roomIndex,
               const QByteArray& wakeUp);

}  // namespace lodgix
