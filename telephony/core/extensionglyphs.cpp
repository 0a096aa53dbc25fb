#include "extensionglyphs.h"

namespace {

constexpr int kWakeUpSetGlyph = 200;
constexpr int kWakeUpOtherGlyph = 201;
constexpr int kLocalCallsBarredGlyph = 203;
constexpr int kFollowMeGlyph = 312;
constexpr int kDoNotDisturbGlyph = 313;
constexpr int kUnreadMessagesGlyph = 316;
constexpr int kRecorderGlyph = 332;

constexpr std::size_t kWakeUpSwitch = 1;
constexpr std::uint8_t kWakeUpSet = 2;
constexpr std::size_t kLocalCallsAllowed = 5;
constexpr std::size_t kDoNotDisturb = 8;
constexpr std::size_t kVariousFunctions = 46;
constexpr std::uint8_t kRecorderFunction = 0x80;
constexpr std::size_t kFollowMeTarget = 49;
constexpr std::uint8_t kNoFollowMe = 255;

std::uint8_t At(std::span<const std::uint8_t> record, std::size_t offset, std::uint8_t missing)
{
    return offset < record.size() ? record[offset] : missing;
}

}  // namespace

ExtensionGlyphSlots ChooseExtensionGlyphs(std::span<const std::uint8_t> wakeUp,
                                          std::span<const std::uint8_t> programming, std::uint8_t unreadCount,
                                          bool recorderGlyphSwitch)
{
    ExtensionGlyphSlots slots;
    const std::uint8_t wake = At(wakeUp, kWakeUpSwitch, 0);
    if (wake != 0)
        slots.glyph[ExtensionGlyphSlots::kA] = wake == kWakeUpSet ? kWakeUpSetGlyph : kWakeUpOtherGlyph;
    if (At(programming, kLocalCallsAllowed, 1) == 0)
        slots.glyph[ExtensionGlyphSlots::kC] = kLocalCallsBarredGlyph;
    if (recorderGlyphSwitch && (At(programming, kVariousFunctions, 0) & kRecorderFunction) != 0)
        slots.glyph[ExtensionGlyphSlots::kD] = kRecorderGlyph;
    else if (At(programming, kDoNotDisturb, 0) != 0)
        slots.glyph[ExtensionGlyphSlots::kD] = kDoNotDisturbGlyph;
    if (At(programming, kFollowMeTarget, kNoFollowMe) != kNoFollowMe)
        slots.glyph[ExtensionGlyphSlots::kB] = kFollowMeGlyph;
    if (unreadCount != 0) {
        for (const auto slot : {ExtensionGlyphSlots::kA, ExtensionGlyphSlots::kC, ExtensionGlyphSlots::kD,
                                ExtensionGlyphSlots::kB}) {
            if (slots.glyph[slot] == 0) {
                slots.glyph[slot] = kUnreadMessagesGlyph;
                break;
            }
        }
    }
    return slots;
}
