#pragma once

class CSqlDatabase;
class QDialog;
struct ConsoleWindowContext;

// Connects a dialog's own database as the program connects its one. On failure the dialog, once it
// runs, shows the error box (text 15000 + the code, 151 without an installation that names a server)
// and closes at once; false then.
bool ConnectOwnDatabase(QDialog& dialog, CSqlDatabase& database, const ConsoleWindowContext& context);
