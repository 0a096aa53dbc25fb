#pragma once

#include <QString>

class CSqlDatabase;
class OperatorConsoleState;

// The texts that go with every object of the console: the status line under its icon, its info tip,
// the services it has enabled, and this workstation's own texts for the status bar. Names come from the
// database's labels and the address book through the database object. Indexes are in the combined
// numbering; an index beyond both PBXs gives empty texts.

// The status lines. Building them also tidies the tables as a ready extension or a free line is shown:
// its dialled digits, call direction or caller texts are cleared.
QString ExtensionStatusLine(OperatorConsoleState& state, CSqlDatabase& database, int index);
QString LineStatusLine(OperatorConsoleState& state, CSqlDatabase& database, int index);
QString EntryPhoneStatusLine(OperatorConsoleState& state, CSqlDatabase& database, int index);

// The info tips, copied into the buffer only when they fit (see CopyInfoTip); true when copied.
bool GetExtensionInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size);
bool GetLineInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size);
bool GetEntryPhoneInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size);
bool GetRelayInfoTip(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& buffer, int size);

// The services block of a tip: "\n" "SERVIZI ABILITATI:" and one line per service; empty for none.
QString FormatExtensionServicesText(OperatorConsoleState& state, CSqlDatabase& database, int index);
QString FormatLineServicesText(const OperatorConsoleState& state, int index);
// The status bar's services line: the PBX's and the own extension's services.
QString FormatOwnServicesText(OperatorConsoleState& state, CSqlDatabase& database);
// The own extension's two texts: its state (its display name when ready) and its peer.
void FormatOwnExtensionStatus(OperatorConsoleState& state, CSqlDatabase& database, QString& stateText,
                              QString& peerText);
