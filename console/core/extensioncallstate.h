#pragma once

#include "oledate.h"

#include <QString>

#include <array>
#include <cstdint>

// What the console knows of the call an extension is in, from the PBX's events: its partner, the
// extension it passed from or to, what kind of call it is, when it began and the number. Written into the
// software call log when the extension returns to idle, then reset.
struct ExtensionCallState {
    static constexpr std::uint8_t kNone = 255;  // no partner, no extension
    static constexpr qsizetype kNumberMaxLength = 50;

    enum CallKind : std::uint8_t {
        kNoCall = 0,
        kIncoming = 1,    // ringing, no number yet
        kConnected = 2,   // connected, or incoming with a number
        kUnanswered = 3,
        kOutgoing = 4,
    };

    std::uint8_t LinkType = kNone;    // PbxObjectType of the partner
    std::uint8_t LinkIndex = kNone;   // the partner's index
    std::uint8_t HandedFrom = kNone;  // the extension whose call passed to this one
    std::uint8_t HandedTo = kNone;    // the extension this call was linked to at its end
    std::uint8_t Kind = kNoCall;
    OleDate Start;                    // 0 (the default date): no start
    QString Number;                   // caller or dialled number, at most kNumberMaxLength characters

    void SetNumber(const QString& number) { Number = number.left(kNumberMaxLength); }
    friend bool operator==(const ExtensionCallState&, const ExtensionCallState&) = default;
};

inline constexpr int kMaxPbxLinks = 5;
inline constexpr int kExtensionsPerPbx = 256;
// Resets every extension of a PBX.
inline constexpr unsigned kAllCallStates = 0xFFFF;

// One entry per PBX index and extension index.
using ExtensionCallStateTable =
    std::array<std::array<ExtensionCallState, kExtensionsPerPbx>, kMaxPbxLinks>;

// Resets one extension's entry, or with kAllCallStates every entry of the PBX. Any other extension index
// beyond the table, or a PBX index beyond it, resets nothing.
void ResetExtensionCallStates(ExtensionCallStateTable& table, unsigned pbxIndex, unsigned extensionIndex);
