#include "transparentlistbox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kDrawTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
const QString kMeasureText = QStringLiteral("XYZ");

}  // namespace

CTransparentListBox::CTransparentListBox(QWidget* parent)
    : QWidget(parent),
      m_textColour(palette().color(QPalette::WindowText)),
      m_selectedTextColour(palette().color(QPalette::HighlightedText)),
      m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel comes from the copy of the parent
    setFocusPolicy(Qt::WheelFocus);         // the keys scroll it
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_topIndex)
            SetTopIndex(value);
    });
    RecreateBackground();
}

int CTransparentListBox::VisibleLines() const { return qMax(1, height() / qMax(1, m_itemHeight)); }

int CTransparentListBox::LastTopIndex() const { return qMax(0, int(m_lines.size()) - VisibleLines()); }

void CTransparentListBox::UpdateScrollBar()
{
    const bool needed = LastTopIndex() > 0;
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_scrollBar->setRange(0, LastTopIndex());
    m_scrollBar->setPageStep(VisibleLines());
    m_scrollBar->setValue(m_topIndex);
    m_scrollBar->setVisible(needed);
}

void CTransparentListBox::ResetContent(bool redraw)
{
    m_lines.clear();
    m_topIndex = 0;
    UpdateScrollBar();
    if (redraw)
        repaint();
}

int CTransparentListBox::TextHeight(const QString& text) const
{
    const QFontMetrics metrics(GetFont());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, qMax(width(), 1), 0), kDrawTextFlags, text);
    return qMax(bounds.height(), metrics.height());
}

int CTransparentListBox::InsertLine(int position, const QString& text, std::uintptr_t itemData)
{
    if (m_lines.isEmpty())
        m_itemHeight = TextHeight(text);
    const int index = (position < 0 || position > m_lines.size()) ? int(m_lines.size()) : position;
    m_lines.insert(index, Line{text, itemData, false});
    UpdateScrollBar();
    update();
    return index;
}

QFont CTransparentListBox::GetFont() const { return m_font ? *m_font : font(); }

void CTransparentListBox::SetOwnFont(const QFont& font)
{
    m_font = font;
    update();
}

int CTransparentListBox::MeasureItem()
{
    m_itemHeight = TextHeight(kMeasureText);
    UpdateScrollBar();
    return m_itemHeight;
}

void CTransparentListBox::SetSelected(int index, bool selected)
{
    if (index >= 0 && index < m_lines.size())
        m_lines[index].selected = selected;
    update();
}

void CTransparentListBox::SetTopIndex(int index)
{
    m_topIndex = qBound(0, index, qMax(0, int(m_lines.size()) - 1));
    UpdateScrollBar();
    update();
}

void CTransparentListBox::SetShadow(bool on, QColor colour, int offset)
{
    m_shadowOn = on;
    m_shadowColour = colour;
    m_shadowOffset = offset;
    update();
}

void CTransparentListBox::SetTextColours(QColor text, QColor selectedText)
{
    m_textColour = text;
    m_selectedTextColour = selectedText;
    update();
}

void CTransparentListBox::RecreateBackground()
{
    m_background = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    m_background.fill(Qt::transparent);
    m_backgroundCaptured = false;
}

void CTransparentListBox::CaptureBackground()
{
    if (m_backgroundCaptured)
        return;
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    if (m_background.size() != size())
        RecreateBackground();
    m_background.fill(Qt::transparent);
    // Only the parent's own painting: the list and its siblings are not in the copy.
    QPainter painter(&m_background);
    parent->render(&painter, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    m_backgroundCaptured = true;
}

void CTransparentListBox::TakeNewBackground()
{
    m_backgroundCaptured = false;
    update();
}

void CTransparentListBox::DrawLine(QPainter& painter, int index, const QRect& rect, bool selected) const
{
    if (index < 0 || index >= m_lines.size())
        return;
    painter.drawImage(rect.topLeft(), m_background, rect);
    painter.setFont(GetFont());
    const QString& text = m_lines[index].text;
    const bool enabled = isEnabled();
    if (m_shadowOn) {
        painter.setPen(enabled ? m_shadowColour : QColor(kDisabledShadowColour));
        painter.drawText(rect.translated(m_shadowOffset, m_shadowOffset), kDrawTextFlags, text);
    }
    QColor colour = selected ? m_selectedTextColour : m_textColour;
    if (!enabled)
        colour = QColor(kDisabledTextColour);
    painter.setPen(colour);
    painter.drawText(rect, kDrawTextFlags, text);
}

void CTransparentListBox::paintEvent(QPaintEvent*)
{
    CaptureBackground();
    QImage memory(size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&memory);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_background);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QRect line(0, 0, TextWidth(), m_itemHeight);
        for (int index = m_topIndex; index < m_lines.size() && line.top() < height(); ++index) {
            DrawLine(painter, index, line, m_lines[index].selected);
            line.translate(0, m_itemHeight);
        }
    }
    QPainter(this).drawImage(0, 0, memory);
}

int CTransparentListBox::TextWidth() const
{
    // The text keeps clear of the scroll bar.
    return m_scrollBar->isVisible() ? m_scrollBar->x() : width();
}

std::vector<PaintedText> CTransparentListBox::TextsPainted() const
{
    std::vector<PaintedText> texts;
    const int end = std::min(int(m_lines.size()), m_topIndex + VisibleLines());
    for (int index = m_topIndex; index < end; ++index)
        texts.push_back(
            {m_lines[index].text, GetFont(), QRect(0, (index - m_topIndex) * m_itemHeight, TextWidth(), m_itemHeight)});
    return texts;
}

void CTransparentListBox::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TakeNewBackground();
}

void CTransparentListBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecreateBackground();
    UpdateScrollBar();
    TakeNewBackground();
}

void CTransparentListBox::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    SetTopIndex(qMin(m_topIndex - steps, LastTopIndex()));
    event->accept();
}

void CTransparentListBox::keyPressEvent(QKeyEvent* event)
{
    int top = m_topIndex;
    switch (event->key()) {
    case Qt::Key_Up: --top; break;
    case Qt::Key_Down: ++top; break;
    case Qt::Key_PageUp: top -= VisibleLines(); break;
    case Qt::Key_PageDown: top += VisibleLines(); break;
    case Qt::Key_Home: top = 0; break;
    case Qt::Key_End: top = LastTopIndex(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    SetTopIndex(qBound(0, top, LastTopIndex()));
    event->accept();
}
