#pragma once

#include <QString>

class CSqlDatabase;
class QTreeWidget;
class QWidget;

// The list of installed PBXs as the configuration sheet and the first-run wizard manage it: two columns
// (identifier, three quarters of the width; resource, one quarter), a new PBX or a change through the PBX
// entry dialog, a removal after a question. Changes go to the database at once.

// The two column headings, for a list of that width.
void SetUpPbxList(QTreeWidget* list, int width);
// One row per PBX of the database's loaded list: its identifier and "COM" + its port, or "LAN".
void FillPbxList(QTreeWidget* list, const CSqlDatabase& database);
QString PbxResourceText(int comNumber);

// The entry dialog, empty for a new PBX (row < 0) or filled with the row. An identifier that another PBX
// has (without regard to case) or a port that another uses is refused with its error box; otherwise the
// PBX is inserted with the next ComID, or updated. True when the database changed.
bool EditPbxEntry(QWidget* parent, CSqlDatabase& database, int row);
// Asks whether to remove the row's PBX and removes it on yes. True when it was removed.
bool DeletePbxEntry(QWidget* parent, CSqlDatabase& database, int row);
