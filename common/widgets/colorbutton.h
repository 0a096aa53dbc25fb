#pragma once

#include <QImage>
#include <QPushButton>

#include <cstdint>

// A push button whose face shows a colour swatch and a small drop-down arrow. The dialog that owns it
// opens the colour chooser on a click and sets the chosen colour.
class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);

    // Stores the colour (a COLORREF, 0x00BBGGRR) and draws the face again at the button's size.
    void SetColor(std::uint32_t colour);
    std::uint32_t Color() const { return m_colour; }
    const QImage& Face() const { return m_face; }

private:
    std::uint32_t m_colour = 0;
    QImage m_face;
};
