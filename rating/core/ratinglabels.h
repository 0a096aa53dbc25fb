#pragma once

#include <QString>

class CSqlDatabase;
class PbxTables;

// The names under which the rating program lists extensions and external lines: the label a user stored,
// else a name made of the object's number.

// The extension's label, else "INT. " and its dialling number.
QString GetExtensionLabel(CSqlDatabase& database, const PbxTables& tables, int pbx, int extension);

// The line's label, else "EXT. " and the line's number (index + 1).
QString FormatLineName(CSqlDatabase& database, int pbx, int line);
