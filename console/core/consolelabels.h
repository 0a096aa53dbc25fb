#pragma once

#include <QByteArray>
#include <QString>

class BoundPbxRecords;
class CSqlDatabase;

// The names the console gives to a call's partner: the label users stored for the object, else a
// fallback text with its number. The label tables are keyed by the PBX's index.

// The extension's stored label; when empty, "INT. " (string 1025) and the extension's dialling number
// worked out from the PBX's initialization, system configuration and the extension's programming record.
QString FormatExtensionLabel(int extension, int pbx, CSqlDatabase& database, const QByteArray& initialization,
                             const QByteArray& configuration, const QByteArray& programming);
// "INT. " and the extension's dialling number, whatever label is stored.
QString ExtensionNumberName(int extension, const QByteArray& initialization, const QByteArray& configuration,
                            const QByteArray& programming);
// The same for this workstation's PBX with its record copies; a plain "INT. " when they are not loaded.
QString GetExtensionLabel(int extension, int pbx, CSqlDatabase& database, BoundPbxRecords& records);
// The stored line label, else string 1026 and the line's index + 1.
QString FormatLineLabel(int line, int pbx, CSqlDatabase& database);
// The stored entry-phone label, else string 1027 and the entry phone's index + 1.
QString FormatEntryPhoneLabel(int entryPhone, int pbx, CSqlDatabase& database);
