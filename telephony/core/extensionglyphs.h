#pragma once

#include <array>
#include <cstdint>
#include <span>

// The service glyphs along the top edge of an extension's icon: four slots, A at the left corner, B
// beside it, C and D at the right. Each holds a glyph id or 0.
struct ExtensionGlyphSlots {
    enum Slot { kA, kB, kC, kD, kSlotCount };
    std::array<int, kSlotCount> glyph{};
};

// What decides the glyphs: the wake-up record (its byte 1, the wake-up switch: 2 set, other non-zero
// values another wake-up state), the extension's programming record (byte 5 local calls allowed, 8 do
// not disturb, 46 the various functions, 49 the follow-me target, 255 none), the unread-message count
// and the console's switch for the recorder glyph. The unread-message envelope takes the first slot
// left free in the order A, C, D, B, and is not drawn when all four are taken.
ExtensionGlyphSlots ChooseExtensionGlyphs(std::span<const std::uint8_t> wakeUp,
                                          std::span<const std::uint8_t> programming, std::uint8_t unreadCount,
                                          bool recorderGlyphSwitch);
