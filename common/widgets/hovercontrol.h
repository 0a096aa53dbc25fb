#pragma once

#include <QPoint>
#include <QRegion>

class QWidget;

// The mouse tracking of the suite's bitmap buttons: the face follows the pointer (1 over the button's
// rectangle, 0 outside, 2 while the left button is down) and the button holds the mouse while the pointer
// is over it, so that it hears when the pointer leaves. The face is drawn clipped to an ellipse.
class HoverControl {
public:
    enum Face { kNormal = 0, kMouseOver = 1, kPressed = 2 };

    HoverControl(int width, int height) : m_width(width), m_height(height) {}

    // Each handler redraws the control when the face needs it; the caller does the default handling.
    void OnMouseMove(QWidget& control, const QPoint& position);
    void OnLeftButtonDown(QWidget& control);
    void OnLeftButtonUp(QWidget& control);
    // The pointer left the control's window while it did not hold the mouse.
    void OnLeave(QWidget& control);
    // Gives up the mouse, when held.
    void Release(QWidget& control);

    // The ellipse that clips the face, made on first use: (0, 0, width + 1, height + 1).
    const QRegion& ClipRegion();

    int GetFace() const { return m_face; }
    void SetFace(int face) { m_face = face; }
    bool HasCapture() const { return m_capture; }
    // The hover rectangle follows a control whose size changed after it was made.
    void SetSize(int width, int height)
    {
        m_width = width;
        m_height = height;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    void Redraw(QWidget& control);

    int m_face = kNormal;
    int m_width;
    int m_height;
    bool m_capture = false;
    QRegion m_clipRegion;
    bool m_regionMade = false;
};
