#include "hoverbutton.h"

#include "suitebitmaps.h"

#include <QMouseEvent>
#include <QPainter>

CHoverButton::CHoverButton(int stripX, int stripY, int width, int height, int keptValue1, int keptValue2,
                           std::uint16_t bitmapId, QWidget* parent)
    : QAbstractButton(parent),
      m_hover(width, height),
      m_stripX(stripX),
      m_stripY(stripY),
      m_keptValue1(keptValue1),
      m_keptValue2(keptValue2),
      m_bitmapId(bitmapId)
{
    setMouseTracking(true);
    resize(width, height);
}

CHoverButton::~CHoverButton() { m_hover.Release(*this); }

const QRegion& CHoverButton::ClipRegion()
{
    if (mask().isEmpty())
        setMask(m_hover.ClipRegion());
    return m_hover.ClipRegion();
}

void CHoverButton::paintEvent(QPaintEvent*)
{
    ClipRegion();
    const int face = GetFace();
    if (face < HoverControl::kNormal || face > HoverControl::kPressed)
        return;
    // The strip is read at every drawing, as the board draws rarely.
    const QImage strip = LoadBitmapResource(m_bitmapId);
    const int width = m_hover.Width();
    QPainter(this).drawImage(QPoint(0, 0), strip, QRect(m_stripX + face * width, m_stripY, width, m_hover.Height()));
}

void CHoverButton::mouseMoveEvent(QMouseEvent* event)
{
    m_hover.OnMouseMove(*this, event->position().toPoint());
    QAbstractButton::mouseMoveEvent(event);
}

void CHoverButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_hover.OnLeftButtonDown(*this);
    QAbstractButton::mousePressEvent(event);
}

void CHoverButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_hover.OnLeftButtonUp(*this);
    QAbstractButton::mouseReleaseEvent(event);
}

void CHoverButton::leaveEvent(QEvent* event)
{
    m_hover.OnLeave(*this);
    QAbstractButton::leaveEvent(event);
}
