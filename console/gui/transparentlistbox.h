#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include "paintedtexts.h"

#include <cstdint>
#include <optional>
#include <vector>

class QScrollBar;

// The status board's information list: lines of text drawn over a copy of the parent's picture under
// the list, so that the skin shows through, each with an optional shadow. The copy is taken again after
// the list moves or changes size. Lines cannot be selected by the user. When the lines pass the list's
// height a scroll bar appears at the right, and the wheel and the arrow, page, home and end keys scroll.
class CTransparentListBox : public QWidget, public PaintedTexts {
    Q_OBJECT
public:
    // The line height before any line is measured.
    static constexpr int kInitialItemHeight = 20;
    static constexpr int kDefaultShadowOffset = 3;
    // How a disabled list draws: grey lines over a white shadow.
    static constexpr QRgb kDisabledTextColour = 0x8C8C8C;
    static constexpr QRgb kDisabledShadowColour = 0xFFFFFF;

    explicit CTransparentListBox(QWidget* parent = nullptr);

    // Empties the list; with redraw, repaints it at once.
    void ResetContent(bool redraw = true);
    // Inserts a line at the position (-1: at the end) and returns its index. The first line of an empty
    // list sets the line height to its own text height.
    int InsertLine(int position, const QString& text, std::uintptr_t itemData = 0);
    // The list's own font when it has one, else the window's font.
    QFont GetFont() const;
    void SetOwnFont(const QFont& font);
    // Draws one line at the rectangle: the background under it, then the text (and its shadow).
    void DrawLine(QPainter& painter, int index, const QRect& rect, bool selected) const;
    // Makes a new, empty copy of the parent's picture of the list's size.
    void RecreateBackground();

    int Count() const { return int(m_lines.size()); }
    QString LineText(int index) const { return m_lines.value(index).text; }
    std::uintptr_t LineData(int index) const { return m_lines.value(index).data; }
    int ItemHeight() const { return m_itemHeight; }
    // The height of "XYZ" in the list's font, which is also kept as the line height.
    int MeasureItem();
    void SetSelected(int index, bool selected);
    void SetTopIndex(int index);
    int TopIndex() const { return m_topIndex; }
    // How many whole lines the list shows at once.
    int VisibleLines() const;
    QScrollBar* ScrollBar() const { return m_scrollBar; }
    void SetShadow(bool on, QColor colour = Qt::black, int offset = kDefaultShadowOffset);
    void SetTextColours(QColor text, QColor selectedText);
    // Whether the parent's pixels under the list have been copied since the last move or resize.
    bool BackgroundCaptured() const { return m_backgroundCaptured; }
    const QImage& Background() const { return m_background; }
    // The whole lines in sight, each in its place (the scroll bar brings the others).
    std::vector<PaintedText> TextsPainted() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int TextWidth() const;

    struct Line {
        QString text;
        std::uintptr_t data = 0;
        bool selected = false;
    };

    // Copies the parent's own picture (without its child windows) under the list, once.
    void CaptureBackground();
    void TakeNewBackground();
    int TextHeight(const QString& text) const;
    // Shows the scroll bar while the lines pass the height, and keeps it on the top index.
    void UpdateScrollBar();
    int LastTopIndex() const;

    bool m_backgroundCaptured = false;
    int m_itemHeight = kInitialItemHeight;
    QColor m_textColour;
    QColor m_selectedTextColour;
    QColor m_shadowColour = Qt::black;
    std::optional<QFont> m_font;
    QImage m_background;
    int m_shadowOffset = kDefaultShadowOffset;
    bool m_shadowOn = false;
    QList<Line> m_lines;
    int m_topIndex = 0;
    QScrollBar* m_scrollBar;
};
