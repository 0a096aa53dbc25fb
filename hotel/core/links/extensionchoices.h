#pragma once

#include <QStringList>

class CSqlDatabase;

namespace lodgix {

// The names of a PBX's extensions in extension order, as a room's extension is chosen: each extension's
// label, else "INT. " and its dialling number. When the PBX's records cannot be read, "INT. 1" to
// "INT. 255", so that a room can still be described.
QStringList ExtensionChoices(CSqlDatabase& database, int pbx);

}  // namespace lodgix
