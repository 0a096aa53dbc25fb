#include "gdiobjects.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

// The size of a LOGFONT of height 0: the dialogs' usual 8-point font on a 96 dpi screen.
constexpr int kDefaultPixelSize = 11;
constexpr int kHeavyWeight = 900;
// A chosen font's point size becomes pixels on the 96 dpi screen the settings files were made for.
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr std::uint8_t kOutPrecision = 3;
constexpr std::uint8_t kClipPrecision = 2;
constexpr std::uint8_t kQuality = 2;
constexpr std::uint8_t kFixedPitchModern = 0x31;
constexpr std::uint8_t kVariablePitchSwiss = 0x22;

}  // namespace

QFont FontFromLogFont(const LogFont& font)
{
    QFont result(font.FaceName().isEmpty() ? QStringLiteral("Arial") : font.FaceName());
    const int height = font.Height();
    if (height < 0) {
        result.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height: the characters take what the font's line height leaves of it.
        result.setPixelSize(height);
        const int line = QFontMetrics(result).height();
        if (line > height)
            result.setPixelSize(std::max(1, height * height / line));
    } else {
        result.setPixelSize(kDefaultPixelSize);
    }
    const int weight = font.Weight();
    if (weight > 0)
        result.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, kHeavyWeight)));
    result.setItalic(font.Italic() != 0);
    result.setUnderline(font.Underline() != 0);
    result.setStrikeOut(font.StrikeOut() != 0);
    return result;
}

LogFont LogFontFromFont(const QFont& font)
{
    LogFont result;
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : static_cast<int>(std::lround(font.pointSizeF() * kPixelsPerPoint));
    result.SetHeight(-std::max(1, pixels));
    result.SetWeight(font.weight());
    result.SetItalic(font.italic() ? 1 : 0);
    result.SetUnderline(font.underline() ? 1 : 0);
    result.SetStrikeOut(font.strikeOut() ? 1 : 0);
    result.SetOutPrecision(kOutPrecision);
    result.SetClipPrecision(kClipPrecision);
    result.SetQuality(kQuality);
    result.SetPitchAndFamily(QFontInfo(font).fixedPitch() ? kFixedPitchModern : kVariablePitchSwiss);
    result.SetFaceName(font.family());
    return result;
}

QColor ColourFromColorRef(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

std::uint32_t ColorRefFromColour(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}
