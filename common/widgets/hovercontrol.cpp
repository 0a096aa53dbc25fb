#include "hovercontrol.h"

#include <QWidget>

void HoverControl::OnMouseMove(QWidget& control, const QPoint& position)
{
    if (!m_capture) {
        control.grabMouse();
        m_capture = true;
    }
    // The rectangle decides, whatever the shape that clips the drawing.
    if (QRect(0, 0, m_width, m_height).contains(position)) {
        m_face = kMouseOver;
    } else {
        m_face = kNormal;
        Release(control);
    }
    Redraw(control);
}

void HoverControl::OnLeftButtonDown(QWidget& control)
{
    m_face = kPressed;
    Redraw(control);
}

void HoverControl::OnLeftButtonUp(QWidget& control)
{
    m_face = kNormal;
    Redraw(control);
}

void HoverControl::OnLeave(QWidget& control)
{
    if (m_face == kNormal && !m_capture)
        return;
    m_face = kNormal;
    Release(control);
    Redraw(control);
}

void HoverControl::Release(QWidget& control)
{
    if (!m_capture)
        return;
    control.releaseMouse();
    m_capture = false;
}

const QRegion& HoverControl::ClipRegion()
{
    if (!m_regionMade) {
        m_clipRegion = QRegion(0, 0, m_width + 1, m_height + 1, QRegion::Ellipse);
        m_regionMade = true;
    }
    return m_clipRegion;
}

void HoverControl::Redraw(QWidget& control) { control.repaint(); }
