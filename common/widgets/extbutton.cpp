#include "extbutton.h"

#include "messagetarget.h"
#include "suitebitmaps.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

namespace {

constexpr int kLargeFontPixels = 15;
constexpr int kSmallFontPixels = 12;

QFont ButtonFont(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

CExtButton::CExtButton(std::uint8_t inactive, std::uint8_t shape, int width, int height, std::uint16_t bitmapId,
                       int value, std::uint32_t notifyMessage, int cornerSize, QWidget* parent)
    : QAbstractButton(parent),
      m_inactive(inactive),
      m_shape(shape),
      m_width(width),
      m_height(height),
      m_cornerSize(cornerSize),
      m_bitmapId(bitmapId),
      m_notifyMessage(notifyMessage),
      m_value(value),
      m_largeFont(ButtonFont(kLargeFontPixels)),
      m_smallFont(ButtonFont(kSmallFontPixels)),
      m_hover(width, height)
{
    setMouseTracking(true);  // every move counts, not only those with a button down
    resize(width, height);
}

CExtButton::~CExtButton() { m_hover.Release(*this); }

void CExtButton::SetFlashCycle(std::uint8_t litTicks, std::uint8_t cycleEnd)
{
    m_litTicks = litTicks;
    m_cycleEnd = cycleEnd;
}

void CExtButton::StartFlashTimer(int intervalMs) { m_flashTimer.start(intervalMs, this); }

void CExtButton::StopFlashTimer() { m_flashTimer.stop(); }

void CExtButton::OnFlashTimer()
{
    if (m_flashMode == 0 || m_flashMode == 1)
        return;
    if (m_flashCounter < m_litTicks) {
        SetFaceAndRedraw(HoverControl::kMouseOver);
        ++m_flashCounter;
        return;
    }
    m_flashCounter = m_flashCounter < m_cycleEnd ? std::uint8_t(m_flashCounter + 1) : std::uint8_t(0);
    SetFaceAndRedraw(HoverControl::kNormal);
}

void CExtButton::SetFaceAndRedraw(int face)
{
    if (m_hover.GetFace() == face)
        return;
    m_hover.SetFace(face);
    repaint();
}

void CExtButton::SetFollowLaidOutSize(bool on)
{
    m_followSize = on;
    const QSize face = FaceSize();
    m_hover.SetSize(face.width(), face.height());
    m_regionMade = false;
    update();
}

void CExtButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    if (m_followSize)
        SetFollowLaidOutSize(true);
}

const QRegion& CExtButton::ClipRegion()
{
    if (m_regionMade)
        return m_clipRegion;
    const int width = FaceSize().width();
    const int height = FaceSize().height();
    switch (m_shape) {
    case kEllipse: m_clipRegion = QRegion(0, 0, width, height, QRegion::Ellipse); break;
    case kRoundedRectangle: {
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width, height), m_cornerSize / 2.0, m_cornerSize / 2.0);
        m_clipRegion = QRegion(path.toFillPolygon().toPolygon());
        break;
    }
    case kInnerEllipse: m_clipRegion = QRegion(1, 1, width - 1, height - 1, QRegion::Ellipse); break;
    default: m_clipRegion = QRegion(0, 0, width, height); break;
    }
    m_regionMade = true;
    setMask(m_clipRegion);
    return m_clipRegion;
}

void CExtButton::paintEvent(QPaintEvent*)
{
    ClipRegion();
    QPainter painter(this);
    const QImage strip = LoadBitmapResource(m_bitmapId);
    const QSize face = FaceSize();
    const QRect source(GetFace() * m_width, 0, m_width, m_height);
    if (face == QSize(m_width, m_height))
        painter.drawImage(QPoint(0, 0), strip, source);
    else
        painter.drawImage(QRect(QPoint(0, 0), face), strip, source);
    if (m_textMode == kNoText)
        return;
    painter.setFont(TextFont());
    painter.setPen(isEnabled() ? Qt::black : Qt::darkGray);
    painter.drawText(TextPlace(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
}

QRect CExtButton::TextPlace() const
{
    const QFontMetrics metrics(TextFont());
    const QSize face = FaceSize();
    const int y = (face.height() - metrics.leading() - metrics.height()) / 2;
    if (m_textMode == kLargeTextLeft)
        return QRect(kTextIndent, y, width() - kTextIndent, metrics.height());
    const int textWidth = metrics.horizontalAdvance(text());
    return QRect(face.width() / 2 - textWidth / 2, y, textWidth + 1, metrics.height());
}

std::vector<PaintedText> CExtButton::TextsPainted() const
{
    if (m_textMode == kNoText || text().isEmpty())
        return {};
    return {{text(), TextFont(), TextPlace().intersected(rect())}};
}

void CExtButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_inactive)
        m_hover.OnMouseMove(*this, event->position().toPoint());
    QAbstractButton::mouseMoveEvent(event);
}

void CExtButton::mousePressEvent(QMouseEvent* event)
{
    if (!m_inactive) {
        if (event->button() == Qt::LeftButton) {
            m_hover.SetFace(HoverControl::kPressed);
        } else if (event->button() == Qt::RightButton) {
            if (m_notifyMessage != 0 && parentWidget())
                QtMessageTarget(parentWidget()).Post(m_notifyMessage, std::uint64_t(objectName().toUInt()), 0);
            m_hover.SetFace(HoverControl::kNormal);
            repaint();
        }
    }
    QAbstractButton::mousePressEvent(event);
}

void CExtButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_inactive && event->button() == Qt::LeftButton)
        m_hover.SetFace(HoverControl::kNormal);
    QAbstractButton::mouseReleaseEvent(event);
}

void CExtButton::leaveEvent(QEvent* event)
{
    if (!m_inactive)
        m_hover.OnLeave(*this);
    QAbstractButton::leaveEvent(event);
}

void CExtButton::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_flashTimer.timerId())
        OnFlashTimer();
    QAbstractButton::timerEvent(event);
}
