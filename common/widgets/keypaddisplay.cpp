#include "keypaddisplay.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A small serif face, lighter than normal, ten pixels high.
const QString kFontFamily = QStringLiteral("Times New Roman");
constexpr int kFontPixelHeight = 10;
constexpr int kFontWeight = 200;
// The dial line starts this far from the left edge.
constexpr int kSecondLineLeft = 2;

}  // namespace

CKeypadDisplay::LinePositions CKeypadDisplay::PositionsFor(int width, int height, const QFontMetrics& metrics)
{
    const int lineHeight = metrics.height();
    const int leading = metrics.leading();
    const int top = (height - 2 * lineHeight - 2 * leading) / 2;
    return {QPoint(width / 2, top), QPoint(kSecondLineLeft, top + lineHeight + leading)};
}

CKeypadDisplay::CKeypadDisplay(QWidget* parent) : QAbstractButton(parent)
{
    m_font.setFamily(kFontFamily);
    m_font.setPixelSize(kFontPixelHeight);
    m_font.setWeight(static_cast<QFont::Weight>(kFontWeight));
    m_font.setStyleStrategy(QFont::PreferDefault);
    setFocusPolicy(Qt::NoFocus);
}

void CKeypadDisplay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, kGround);
    if (m_framed) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(m_font);
    const LinePositions at = PositionsFor(width(), height(), metrics);
    const int firstWidth = metrics.horizontalAdvance(m_firstLine);
    painter.drawText(QPoint(at.first.x() - firstWidth / 2, at.first.y() + metrics.ascent()), m_firstLine);
    painter.drawText(QPoint(at.second.x(), at.second.y() + metrics.ascent()), m_secondLine);
}
