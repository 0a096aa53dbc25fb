#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QPoint>
#include <QString>

class QFontMetrics;

// The two-line display of the PC-phone keypad: a light green panel, optionally framed, with the status
// line centred above the dial line. The owner sets both lines and the frame and redraws.
class CKeypadDisplay : public QAbstractButton {
    Q_OBJECT
public:
    static inline const QColor kGround = QColor(192, 220, 192);

    // Where the two lines start: the first line's centre and top, the second line's left and top.
    struct LinePositions {
        QPoint first;
        QPoint second;
    };
    static LinePositions PositionsFor(int width, int height, const QFontMetrics& metrics);

    explicit CKeypadDisplay(QWidget* parent = nullptr);

    void SetFramed(bool framed) { m_framed = framed; }
    bool IsFramed() const { return m_framed; }
    void SetFirstLine(const QString& text) { m_firstLine = text; }
    void SetSecondLine(const QString& text) { m_secondLine = text; }
    QString FirstLine() const { return m_firstLine; }
    QString SecondLine() const { return m_secondLine; }
    const QFont& TextFont() const { return m_font; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_framed = false;
    QString m_firstLine;
    QString m_secondLine;
    QFont m_font;
};
