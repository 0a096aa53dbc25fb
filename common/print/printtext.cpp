#include "printtext.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPointsPerInch = 72;

}  // namespace

int PointsToDevice(int points, const QPaintDevice& device)
{
    return static_cast<int>(std::lround(static_cast<double>(points) * device.logicalDpiY() / kPointsPerInch));
}

QFont DeviceFont(const LogFont& logFont, const QPaintDevice& device)
{
    QFont font(logFont.FaceName());
    font.setPixelSize(std::max(1, PointsToDevice(std::abs(logFont.Height()), device)));
    if (logFont.Weight() > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(logFont.Weight(), 1, 1000)));
    font.setItalic(logFont.Italic() != 0);
    font.setUnderline(logFont.Underline() != 0);
    font.setStrikeOut(logFont.StrikeOut() != 0);
    return font;
}

int PrintTextLine(QPainter& painter, const QFont& font, const QString& text, const QColor& colour,
                  int alignment, int x, int y, bool draw)
{
    const QFontMetrics metrics(font, painter.device());
    // The font's height less its size is the leading inside the glyph cell; a line takes both.
    const int internalLeading = std::max(0, metrics.height() - font.pixelSize());
    const int height = metrics.height() + internalLeading;
    if (!draw)
        return height;
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    const int width = metrics.horizontalAdvance(text);
    int left = x;
    if (alignment == kAlignRight)
        left = x - width;
    else if (alignment == kAlignCentre)
        left = x - width / 2;
    painter.drawText(left, y + metrics.ascent(), text);
    painter.restore();
    return height;
}

QColor ColourOf(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}
