#include "picturechoosers.h"

#include "engineerrorcode.h"
#include "mainsettings.h"
#include "operatorconsolestate.h"
#include "statustexts.h"

#include <array>

namespace {

constexpr int kStyles = 10;
using StyleSet = std::array<int, kStyles>;
struct ExtensionSets {
    StyleSet busy;
    StyleSet free;
    StyleSet held;
};
// Bitmap ids of the extension pictures by PBX (first, second) and style.
constexpr std::array<ExtensionSets, 2> kExtensionPictures{{
    {{204, 333, 342, 345, 348, 351, 354, 374, 379, 376},
     {243, 335, 341, 344, 347, 350, 353, 356, 378, 381},
     {315, 334, 340, 343, 346, 349, 352, 355, 377, 380}},
    {{319, 338, 359, 361, 363, 366, 369, 375, 385, 382},
     {318, 337, 358, 360, 362, 365, 368, 371, 384, 387},
     {317, 336, 357, 373, 372, 364, 367, 370, 383, 386}},
}};

struct LinePictures {
    int free;
    int held;
    int busy;
};
constexpr std::array<LinePictures, 2> kLinePictures{{{247, 314, 246}, {321, 320, 322}}};
constexpr int kLineBeyond = 246;

struct EntryPhonePictures {
    int idle;
    int active;
};
constexpr std::array<EntryPhonePictures, 2> kEntryPhonePictures{{{213, 212}, {323, 324}}};
constexpr int kEntryPhoneBeyond = 213;

struct RelayPictures {
    int loadOn;
    int loadOff;
    int door;
};
constexpr std::array<RelayPictures, 2> kRelayPictures{{{310, 211, 308}, {326, 325, 327}}};
constexpr int kRelayBeyond = 308;
constexpr std::size_t kRelayKind = 2;  // Attuatore of the relay programming: non-zero a load relay

// The flash phase of each kind's work bytes.
constexpr std::size_t kExtensionFlash = 0;
constexpr std::size_t kLineFlash = 2;
constexpr std::size_t kEntryPhoneFlash = 0;

constexpr int kStyleShift = 1;  // bit 0 of the per-object byte is the shown flag

// Service glyphs and the bytes they show.
constexpr int kWakeUpOnceGlyph = 200;
constexpr int kWakeUpGlyph = 201;
constexpr int kLocalCallsDisabledGlyph = 203;
constexpr int kFollowMeGlyph = 312;
constexpr int kDoNotDisturbGlyph = 313;
constexpr int kUnreadGlyph = 316;
constexpr int kVoiceMailGlyph = 332;
constexpr std::size_t kWakeUpEnabled = 1;  // of the wake-up record: 2 once, other non-zero daily
constexpr std::uint8_t kWakeUpOnce = 2;
constexpr std::size_t kLocalCallsEnabled = 5;
constexpr std::size_t kDoNotDisturb = 8;
constexpr std::size_t kVariousFunctions = 46;
constexpr std::uint8_t kVoiceMailBit = 0x80;
constexpr std::size_t kFollowMe = 49;
constexpr std::uint8_t kNoFollowMe = 255;

}  // namespace

int ExtensionPictureStyle(const MainSettings& settings, int index)
{
    if (index < 0 || index >= MainSettings::kObjects)
        return 0;
    const int style = settings.ObjectFlags(MainSettings::kExtensions, index) >> kStyleShift;
    return style < kStyles ? style : 0;
}

int GetExtensionPicture(OperatorConsoleState& state, CSqlDatabase& database, const MainSettings& settings, int index,
                        QString& text)
{
    const auto object = state.SplitExtension(index);
    if (!object) {
        text.clear();
        return kExtensionPictures[1].busy[0];
    }
    const auto at = static_cast<std::size_t>(index);
    const ExtensionSets& sets = kExtensionPictures[static_cast<std::size_t>(object->pbx)];
    const auto style = static_cast<std::size_t>(ExtensionPictureStyle(settings, index));
    std::uint8_t& flash = state.tables.extensionWork[at][kExtensionFlash];
    int picture = sets.busy[style];
    switch (state.tables.extensionStatus[at].State()) {
    case kStateReady:
        picture = sets.free[style];
        break;
    case kStateIncomingCall:
        picture = flash ? sets.free[style] : sets.busy[style];
        break;
    case kStateCallWaiting:
    case kStateCallHeld:
    case kStatePause:
    case kStateArriving:
        picture = flash ? sets.free[style] : sets.held[style];
        break;
    default:
        flash = 0;
        break;
    }
    text = ExtensionStatusLine(state, database, index);
    return picture;
}

int GetLinePicture(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& text)
{
    const auto object = state.SplitLine(index);
    if (!object) {
        text.clear();
        return kLineBeyond;
    }
    const auto at = static_cast<std::size_t>(index);
    const LinePictures& set = kLinePictures[static_cast<std::size_t>(object->pbx)];
    std::uint8_t& flash = state.tables.lineWork[at][kLineFlash];
    int picture = set.busy;
    switch (state.tables.lineStatus[at].State()) {
    case kStateReady:
        picture = set.free;
        break;
    case kStateCallWaiting:
    case kStateCallHeld:
        picture = flash ? set.free : set.held;
        break;
    case kStateArriving:
        picture = flash ? set.free : set.busy;
        break;
    default:
        flash = 0;
        break;
    }
    text = LineStatusLine(state, database, index);
    return picture;
}

int GetEntryPhonePicture(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& text)
{
    const auto object = state.SplitEntryPhone(index);
    if (!object) {
        text.clear();
        return kEntryPhoneBeyond;
    }
    const auto at = static_cast<std::size_t>(index);
    const EntryPhonePictures& set = kEntryPhonePictures[static_cast<std::size_t>(object->pbx)];
    std::uint8_t& flash = state.tables.entryPhoneWork[at][kEntryPhoneFlash];
    int picture = set.active;
    switch (state.tables.entryPhoneStatus[at].State()) {
    case kStateReady:
        picture = set.idle;
        break;
    case kStateDialling:
        picture = flash ? set.active : set.idle;
        break;
    default:
        flash = 0;
        break;
    }
    text = EntryPhoneStatusLine(state, database, index);
    return picture;
}

int GetRelayPicture(const OperatorConsoleState& state, int index)
{
    const auto object = state.SplitRelay(index);
    if (!object)
        return kRelayBeyond;
    const auto at = static_cast<std::size_t>(index);
    const RelayPictures& set = kRelayPictures[static_cast<std::size_t>(object->pbx)];
    if (state.tables.relayProgramming[at][kRelayKind] == 0)
        return set.door;
    return state.tables.relayStatus[at] ? set.loadOn : set.loadOff;
}

ExtensionGlyphs ExtensionServiceGlyphs(const OperatorConsoleState& state, bool voiceMailGlyph, int index)
{
    ExtensionGlyphs glyphs;
    if (!state.SplitExtension(index))
        return glyphs;
    const auto at = static_cast<std::size_t>(index);
    const auto& wakeUp = state.tables.extensionWakeUp[at];
    const auto& programming = state.tables.extensionProgramming[at];
    if (wakeUp[kWakeUpEnabled] != 0)
        glyphs.a = wakeUp[kWakeUpEnabled] == kWakeUpOnce ? kWakeUpOnceGlyph : kWakeUpGlyph;
    if (programming[kLocalCallsEnabled] == 0)
        glyphs.c = kLocalCallsDisabledGlyph;
    if (voiceMailGlyph && (programming[kVariousFunctions] & kVoiceMailBit))
        glyphs.d = kVoiceMailGlyph;
    else if (programming[kDoNotDisturb] != 0)
        glyphs.d = kDoNotDisturbGlyph;
    if (programming[kFollowMe] != kNoFollowMe)
        glyphs.b = kFollowMeGlyph;
    if (state.tables.extensionUnread[at] != 0) {
        for (int* slot : {&glyphs.a, &glyphs.c, &glyphs.d, &glyphs.b}) {
            if (*slot == 0) {
                *slot = kUnreadGlyph;
                break;
            }
        }
    }
    return glyphs;
}
