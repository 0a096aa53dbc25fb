#pragma once

#include "logfont.h"

#include <QColor>
#include <QFont>
#include <QString>

class QPaintDevice;
class QPainter;

// Sizes in points become device units by the device's vertical resolution, so that a layout measured on
// one printer keeps its proportions on another.
int PointsToDevice(int points, const QPaintDevice& device);

// The font a stored LOGFONTA describes (its height holds the size in points), sized for the device.
QFont DeviceFont(const LogFont& font, const QPaintDevice& device);

// Horizontal placement of a text line at its x.
enum TextAlignment : int {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignCentre = 6,
};

// The text printers measure lines with.
inline const QString kSampleText = QStringLiteral("ProvaCalcolo");

// One line of text with its top at y: returns the line's height (the font's height plus its internal
// leading). Draws only when `draw` is set; the painter's font, pen and alignment are left as they were.
int PrintTextLine(QPainter& painter, const QFont& font, const QString& text, const QColor& colour,
                  int alignment, int x, int y, bool draw);

// A stored COLORREF (0x00BBGGRR) as a colour.
QColor ColourOf(std::uint32_t colorRef);
