#pragma once

#include "operatorconsolestate.h"

#include <QString>

#include <cstdint>
#include <functional>

// The console's texts for the objects of both PBXs in the combined numbering: dialling numbers, display
// names with their fallbacks and cache, and the clean-up of dialled numbers. An index beyond both PBXs
// gives an empty text and touches no table.

enum class PbxLabelKind { Extension, Line, EntryPhone, Relay };
// Reads an object's label by PBX identifier and local index (the database's label tables); empty when
// the object has none or the read fails.
using PbxLabelReader = std::function<QString(PbxLabelKind kind, int pbxIdentifier, int localIndex)>;

class CSqlDatabase;
// The label reader over the database's label tables.
PbxLabelReader DatabaseLabelReader(CSqlDatabase& database);

QString DefaultExtensionNumber(const OperatorConsoleState& state, int index);
QString FormatExtensionPortCode(const OperatorConsoleState& state, int index);
QString FormatEntryPhoneNumber(const OperatorConsoleState& state, int index);
// The digits that seize a line of the first PBX (0 any line, 1.. line index + 1, 255 none).
QString FormatLineAccessCode(const OperatorConsoleState& state, std::uint8_t lineNumber);

// The name builders: the cached name unless it is "**NOTVALID**", else the label or the fallback ("INT. "
// and the number, "EXT. ", "ENT. ", "LOAD " or "DOOR " and the local index + 1), stored in the cache.
QString FormatExtensionName(OperatorConsoleState& state, const PbxLabelReader& labels, int index);
QString FormatLineName(OperatorConsoleState& state, const PbxLabelReader& labels, int index);
QString FormatEntryPhoneName(OperatorConsoleState& state, const PbxLabelReader& labels, int index);
QString FormatRelayName(OperatorConsoleState& state, const PbxLabelReader& labels, int index);

// Keeps digits, '#', '*' and '+'; drops a leading "+" and the own country code; any other '+' becomes "00".
void CleanPhoneNumber(QString& number, const QString& countryCode);
// Drops the outside-line prefix of a dialled number ("0"; "6" or "*" and one or two digits; "86" and one
// or two digits, the longer forms when the first PBX has 10 lines or more).
void StripDialPrefix(QString& number, int firstLineCount);
