#pragma once

#include <QImage>
#include <QSize>

// The operator console's pictures and service glyphs, drawn by their resource id: extensions 57 x 25 (ten
// styles, a busy, free and held set per PBX), lines 49 x 28, entry phones 29 x 41, relays 36 x 36 and the
// 11 x 11 service glyphs. Each set has its ground colour, each style its symbol, and the second PBX's
// pictures carry a blue corner mark. An id of no picture gives a null image.
namespace IconArtwork {

constexpr QSize kExtensionSize{57, 25};
constexpr QSize kLineSize{49, 28};
constexpr QSize kEntryPhoneSize{29, 41};
constexpr QSize kRelaySize{36, 36};
constexpr QSize kGlyphSize{11, 11};

// Service glyphs.
constexpr int kWakeUpSetGlyph = 200;
constexpr int kWakeUpOtherGlyph = 201;
constexpr int kLocalCallsBarredGlyph = 203;
constexpr int kFollowMeGlyph = 312;
constexpr int kDoNotDisturbGlyph = 313;
constexpr int kUnreadMessagesGlyph = 316;
constexpr int kRecorderGlyph = 332;

// The extension picture of a style (0-9) in a set, for the first (0) or second (1) PBX.
enum class ExtensionSet { Busy, Free, Held };
int ExtensionPictureId(int pbx, ExtensionSet set, int style);

// The picture of an id; cached, so that redrawing an icon costs no drawing of its picture.
const QImage& Picture(int id);

}  // namespace IconArtwork
