#pragma once

#include "hovercontrol.h"

#include <QAbstractButton>

#include <cstdint>

// A round bitmap button of the status board: three faces (normal, mouse over, pressed) side by side in a
// strip that starts at (strip x, strip y), each width x height; it follows the pointer as the hover control
// does and is shaped as the ellipse (0, 0, width + 1, height + 1). A face other than 0, 1 or 2 draws nothing.
class CHoverButton : public QAbstractButton {
    Q_OBJECT
public:
    CHoverButton(int stripX, int stripY, int width, int height, int keptValue1, int keptValue2,
                 std::uint16_t bitmapId, QWidget* parent = nullptr);
    ~CHoverButton() override;

    int GetFace() const { return m_hover.GetFace(); }
    void SetFace(int face) { m_hover.SetFace(face); }
    const QRegion& ClipRegion();
    QSize sizeHint() const override { return {m_hover.Width(), m_hover.Height()}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    HoverControl m_hover;
    int m_stripX;
    int m_stripY;
    int m_keptValue1;
    int m_keptValue2;
    std::uint16_t m_bitmapId;
};
