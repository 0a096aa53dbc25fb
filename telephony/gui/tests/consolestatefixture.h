#pragma once

#include "operatorconsolestate.h"

// A console state of one PBX with these object counts, every table at its initial value.
inline void MakeConsoleState(OperatorConsoleState& state, int extensions, int lines, int entryPhones, int relays)
{
    auto& counts = state.firstInitialization.bytes;
    counts[PbxInitialization::kExtensionCountOffset] = static_cast<std::uint8_t>(extensions);
    counts[PbxInitialization::kLineCountOffset] = static_cast<std::uint8_t>(lines);
    counts[PbxInitialization::kEntryPhoneCountOffset] = static_cast<std::uint8_t>(entryPhones);
    counts[PbxInitialization::kRelayCountOffset] = static_cast<std::uint8_t>(relays);
    state.tables.Allocate({extensions, lines, entryPhones, relays});
    for (auto& programming : state.tables.extensionProgramming) {
        programming[5] = 1;    // local calls allowed
        programming[49] = 255;  // no follow-me
    }
}
