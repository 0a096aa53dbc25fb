#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>

// What the tariff and rule cards share: the small card font (Arial, 12 units high, normal weight;
// Liberation Sans stands in), its line metrics, text placed by the top of its cell as the pictures'
// coordinates are given, and outlined rectangles that cover the pixels from left/top up to but not
// including right/bottom.
class CardPainter {
public:
    static constexpr int kCellHeight = 12;
    static inline const QString kFamily = QStringLiteral("Liberation Sans");

    explicit CardPainter(QImage& image);

    int TextHeight() const { return m_textHeight; }
    int InternalLeading() const { return m_internalLeading; }
    int ExternalLeading() const { return m_externalLeading; }
    int LineHeight() const { return m_textHeight + m_externalLeading; }
    int TextWidth(const QString& text) const;

    void DrawText(int x, int top, const QString& text, const QColor& colour = Qt::black);
    void DrawCentredText(int centreX, int top, const QString& text, const QColor& colour = Qt::black);
    void DrawBox(int left, int top, int right, int bottom, const QColor& fill);

private:
    QPainter m_painter;
    int m_textHeight = 0;
    int m_internalLeading = 0;
    int m_externalLeading = 0;
    int m_ascent = 0;
};

// The font of the cards, sized so that its cell is kCellHeight pixels high.
QFont CardFont();

// A COLORREF (0x00BBGGRR) as a colour.
QColor ColourFromColorRef(std::uint32_t colorRef);
