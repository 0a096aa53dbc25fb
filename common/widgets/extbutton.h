#pragma once

#include "hovercontrol.h"
#include "paintedtexts.h"

#include <QAbstractButton>
#include <QBasicTimer>
#include <QFont>
#include <QRegion>
#include <QString>

#include <cstdint>

// A bitmap button of the suite's windows: three faces (normal, mouse over, pressed) side by side in one
// strip bitmap, a shape that masks the window, the window text in one of two sizes, a notice to the parent
// on a right click and a timed flashing between the normal and the mouse-over face.
//
// The control's id is its objectName (a number); the right-click notice is posted to the parent window as
// the notify message with wParam = that id. An inactive button keeps its face and sends no notice; its
// clicks still reach the owner through clicked().
class CExtButton : public QAbstractButton, public PaintedTexts {
    Q_OBJECT
public:
    enum Shape : std::uint8_t {
        kRectangle = 0,
        kEllipse = 1,
        kRoundedRectangle = 2,  // elliptic corners of corner size x corner size
        kInnerEllipse = 3,      // the ellipse one pixel in from the top and left
    };
    enum TextMode : std::uint8_t {
        kNoText = 0,
        kLargeTextLeft = 1,  // the large font, from x = kTextIndent
        // any other value: the small font, centred
        kSmallTextCentred = 2,
    };
    // Where text mode 1 starts: right of the picture that the faces carry at their left.
    static constexpr int kTextIndent = 40;
    // The flashing's timer tick on the control, started by the owner.
    static constexpr int kFlashTimerId = 1;

    CExtButton(std::uint8_t inactive, std::uint8_t shape, int width, int height, std::uint16_t bitmapId, int value,
               std::uint32_t notifyMessage, int cornerSize, QWidget* parent = nullptr);
    ~CExtButton() override;

    void SetTextMode(std::uint8_t mode) { m_textMode = mode; }
    // With this on, the faces, the shape and the hover rectangle take the size the button is laid out at
    // (the strip's face stretched to it) instead of the size it was made with.
    void SetFollowLaidOutSize(bool on);
    std::uint8_t GetTextMode() const { return m_textMode; }
    // The text kept for the owner; the drawn text is the window text (QAbstractButton::text()).
    void SetKeptText(const QString& text) { m_keptText = text; }
    QString GetKeptText() const { return m_keptText; }
    int GetValue() const { return m_value; }

    // Flash mode 0 or 1: no flashing; any other value flashes on the timer: the mouse-over face while
    // the tick counter is below the lit ticks, then the normal face until the counter wraps after the
    // cycle end.
    void SetFlashMode(std::uint8_t mode) { m_flashMode = mode; }
    void SetFlashCycle(std::uint8_t litTicks, std::uint8_t cycleEnd);
    void StartFlashTimer(int intervalMs);
    void StopFlashTimer();
    // One tick of timer 1.
    void OnFlashTimer();

    int GetFace() const { return m_hover.GetFace(); }
    bool HasMouseCapture() const { return m_hover.HasCapture(); }
    // The shape's region, made at the first painting and kept as the window's mask.
    const QRegion& ClipRegion();
    const QFont& LargeFont() const { return m_largeFont; }
    const QFont& SmallFont() const { return m_smallFont; }
    QSize sizeHint() const override { return {m_width, m_height}; }
    // The size the faces are drawn at.
    QSize FaceSize() const { return m_followSize ? size() : QSize(m_width, m_height); }
    // The window text where the text mode paints it, cut to the button.
    std::vector<PaintedText> TextsPainted() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetFaceAndRedraw(int face);
    const QFont& TextFont() const { return m_textMode == kLargeTextLeft ? m_largeFont : m_smallFont; }
    QRect TextPlace() const;

    QString m_keptText;
    std::uint8_t m_textMode = kNoText;
    QRegion m_clipRegion;
    bool m_regionMade = false;
    std::uint8_t m_inactive;
    std::uint8_t m_shape;
    std::uint8_t m_flashMode = 0;
    int m_width;
    int m_height;
    int m_cornerSize;
    std::uint16_t m_bitmapId;
    std::uint8_t m_flashCounter = 0;
    std::uint8_t m_litTicks = 0;
    std::uint8_t m_cycleEnd = 0;
    std::uint32_t m_notifyMessage;
    int m_value;
    QFont m_largeFont;
    QFont m_smallFont;
    HoverControl m_hover;
    bool m_followSize = false;
    QBasicTimer m_flashTimer;
};
