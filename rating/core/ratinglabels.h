#pragma once

#include <QString>

class CSqlDatabase;

// The names under which the rating program lists extensions and external lines: the label a user stored,
// else a name made of the object's number.

// Extensions are named by the suite's GetExtensionLabel (extensionlabel.h) with PbxTables's numbers.

// The line's label, else "EXT. " and the line's number (index + 1).
QString FormatLineName(CSqlDatabase& database, int pbx, int line);
