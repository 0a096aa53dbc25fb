#pragma once

#include "oledate.h"

#include <QByteArray>
#include <QString>

class CSqlDatabase;

// Records of the engine's call paths, for tests that store calls the way the engine does.

// A call of the PBX's own log (CSqlDatabase::InsertLoggedCall): the start's date and time, the duration,
// the line, the pulses (32 bits, most significant byte first), outgoing 1 or 0 and the dialled number. The
// end is start + duration, on the next day past midnight.
QByteArray PbxLogRecord(const OleDate& start, int durationSeconds, int line, quint32 pulses, int outgoing,
                        const QString& number);

// The console's state of a switchboard call (CSqlDatabase::InsertCallSwNew): line kind (IndiceEsterna),
// Scatti, direction (Uscente), start and number.
QByteArray SwitchboardCallState(const OleDate& start, int lineKind, int pulses, int direction, const QString& number);

// Stores what the engine's start-up reads from a PBX of two extensions, renumbered with direct numbers:
// extension 0 has no programmed number (it dials 2001), extension 1 has kRenumberedExtension. False when a
// record could not be stored.
inline constexpr int kRenumberedExtension = 301;
bool StoreRenumberedPbx(CSqlDatabase& database, int pbx, const QString& model);
