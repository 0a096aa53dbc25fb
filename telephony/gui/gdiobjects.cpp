#include "gdiobjects.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

// The size of a LOGFONT of height 0: the dialogs' usual 8-point font on a 96 dpi screen.
constexpr int kDefaultPixelSize = 11;
constexpr int kHeavyWeight = 900;

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

QColor ColourFromColorRef(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}
