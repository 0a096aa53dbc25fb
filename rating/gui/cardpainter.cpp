#include "cardpainter.h"

#include <QFontMetrics>

QFont CardFont()
{
    QFont font(CardPainter::kFamily);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setWeight(QFont::Normal);
    // The largest pixel size whose cell still fits the card font's height.
    for (int pixels = CardPainter::kCellHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= CardPainter::kCellHeight)
            break;
    }
    return font;
}

QColor ColourFromColorRef(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

CardPainter::CardPainter(QImage& image) : m_painter(&image)
{
    const QFont font = CardFont();
    m_painter.setFont(font);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics metrics(font);
    m_textHeight = metrics.height();
    m_internalLeading = std::max(0, metrics.height() - font.pixelSize());
    m_externalLeading = metrics.leading();
    m_ascent = metrics.ascent();
}

int CardPainter::TextWidth(const QString& text) const
{
    return m_painter.fontMetrics().horizontalAdvance(text);
}

void CardPainter::DrawText(int x, int top, const QString& text, const QColor& colour)
{
    m_painter.setPen(colour);
    m_painter.drawText(x, top + m_ascent, text);
}

void CardPainter::DrawCentredText(int centreX, int top, const QString& text, const QColor& colour)
{
    DrawText(centreX - TextWidth(text) / 2, top, text, colour);
}

void CardPainter::DrawBox(int left, int top, int right, int bottom, const QColor& fill)
{
    if (right <= left || bottom <= top)
        return;
    m_painter.fillRect(left, top, right - left, bottom - top, fill);
    m_painter.setPen(QPen(Qt::black, 0));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}
