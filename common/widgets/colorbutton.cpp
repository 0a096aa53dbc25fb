#include "colorbutton.h"

#include "printtext.h"

#include <QPainter>
#include <QPolygon>

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {}

void CColorButton::SetColor(std::uint32_t colour)
{
    m_colour = colour;
    const int w = width();
    const int h = height();
    QImage face(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    face.fill(palette().color(QPalette::Button));
    {
        QPainter painter(&face);
        painter.setPen(Qt::black);
        painter.setBrush(ColourOf(colour));
        // The swatch from (w/6, h/6) to (w*3/6, h*5/6), the corner ends excluded as a GDI rectangle has it.
        painter.drawRect(QRect(QPoint(w / 6, h / 6), QPoint(w * 3 / 6 - 1, h * 5 / 6 - 1)));
        painter.setBrush(Qt::black);
        const QPolygon arrow({QPoint(w * 3 / 6 + w / 6, h * 2 / 6), QPoint(w * 3 / 6 + w * 2 / 6, h * 2 / 6),
                              QPoint(w * 3 / 6 + w * 3 / 12, h * 4 / 6)});
        painter.drawPolygon(arrow);
    }
    m_face = face;
    setIcon(QIcon(QPixmap::fromImage(m_face)));
    setIconSize(m_face.size());
    repaint();
}
