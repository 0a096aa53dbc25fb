#pragma once

#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

// The numbering plan of a PBX: the numbers by which its extensions, lines and entry phones are dialled,
// worked out from its initialization record, its system configuration and, for renumbered extensions,
// the programmed number. Pure functions of one PBX's records and a local index (0 = the PBX's first
// object of that kind); an index beyond the PBX gives an empty text.

// The number programmed for an extension: bytes 35 (low) and 36 (high) of its 50-byte programming
// record (byte 0 the object type); 0 for a shorter record.
std::uint16_t ProgrammedExtensionNumber(std::span<const std::uint8_t> programming);

// Whether the PBX is renumbered with bit 0x40 of ExtensioneBitmap1 set: its extensions answer on their
// programmed numbers, its lines on 86.. and its relays on the four-digit service codes.
bool UsesExtendedNumbering(const PbxSystemConfiguration& configuration);

// The dialling number of an extension. Without renumbering the extensions count from 21 (NEXO28) or
// 201 with at most 100 extensions, else from 201 (NEXO28) or 2001. With renumbering the programmed
// number decides, shifted by the three-digit and bit-0x40 settings; extensions without one fall back to
// the plan's own numbers.
QString DefaultExtensionNumber(std::uint8_t extension, const PbxInitialization& initialization,
                               const PbxSystemConfiguration& configuration, std::uint16_t programmedNumber);

// "#" and the extension's index with two digits (PBX of at most 100 extensions) or three.
QString FormatExtensionPortCode(std::uint8_t extension, const PbxInitialization& initialization);

// Line numbers of FormatLineAccessCode: 0 any line, k = line index + 1, 255 none.
inline constexpr std::uint8_t kAnyLine = 0;
inline constexpr std::uint8_t kNoLine = 255;

// The digits that seize a line of the PBX (the operator console uses its first PBX): empty for kNoLine,
// "0" for any line, else 60 + k (fewer than 10 lines) or 600 + k, and 860 + k or 8600 + k when the PBX
// uses the extended numbering.
QString FormatLineAccessCode(std::uint8_t lineNumber, const PbxInitialization& initialization,
                             const PbxSystemConfiguration& configuration);

// The dialling number of an entry phone: index + 71 (fewer than 10 entry phones) or index + 701.
QString FormatEntryPhoneNumber(std::uint8_t entryPhone, const PbxInitialization& initialization);

// One object of the operator console's combined numbering, where the objects of both PBXs count in one
// sequence per kind (the first PBX's first).
struct CombinedObject {
    int pbx = 0;              // 0 first PBX, 1 second PBX
    std::uint8_t local = 0;   // index within that PBX
};
// Index i of a kind with firstCount objects on the first PBX and secondCount on the second; none beyond
// both.
std::optional<CombinedObject> SplitCombinedIndex(unsigned index, unsigned firstCount, unsigned secondCount);
