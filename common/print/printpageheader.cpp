#include "printpageheader.h"

#include "oledatetext.h"
#include "printtext.h"

#include <QImage>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

struct Logo {
    QImage image;
    int width = 0;   // device units: one pixel of the picture is one point
    int height = 0;
};

Logo LoadLogo(const PrintSettings& settings, const QPaintDevice& device)
{
    Logo logo;
    if (!(settings.flags & PrintSettings::kPrintLogo) || settings.logoPath.isEmpty())
        return logo;
    if (!logo.image.load(settings.logoPath) || logo.image.isNull())
        return Logo{};  // a logo that does not load is no logo
    logo.width = PointsToDevice(logo.image.width(), device);
    logo.height = PointsToDevice(logo.image.height(), device);
    return logo;
}

}  // namespace

int PrintPageHeader(const PrintSettings& settings, QPainter& painter, QRect& page, bool draw)
{
    const QPaintDevice& device = *painter.device();
    page = QRect(0, 0, device.width(), device.height());
    const Logo logo = LoadLogo(settings, device);
    const int margin = PointsToDevice(settings.leftMargin, device);
    const int top = PointsToDevice(settings.topMargin, device);
    const int gap = PointsToDevice(settings.headerGap, device);

    std::array<QFont, PrintSettings::kHeaderLineCount> fonts;
    int textHeight = 0;
    for (int line = 0; line < PrintSettings::kHeaderLineCount; ++line) {
        fonts[line] = DeviceFont(settings.headerFonts[line], device);
        textHeight += PrintTextLine(painter, fonts[line], settings.headerLines[line], Qt::black, kAlignLeft, 0, 0, false);
    }
    const int height = std::max(logo.height, textHeight);
    if (!draw)
        return height;

    const bool right = settings.headerPosition == PrintSettings::kTopRight ||
                       settings.headerPosition == PrintSettings::kBottomRight;
    const bool bottom = settings.headerPosition == PrintSettings::kBottomLeft ||
                        settings.headerPosition == PrintSettings::kBottomRight;
    if (!logo.image.isNull()) {
        const int x = right ? page.width() - margin - logo.width : margin;
        const int y = bottom ? page.height() - top - logo.height : top;
        painter.drawImage(QRect(x, y, logo.width, logo.height), logo.image);
    }
    const int x = right ? page.width() - logo.width - margin - gap : margin + gap + logo.width;
    int y = bottom ? page.height() - height - top : top;
    for (int line = 0; line < PrintSettings::kHeaderLineCount; ++line)
        y += PrintTextLine(painter, fonts[line], settings.headerLines[line], ColourOf(settings.headerColours[line]),
                           right ? kAlignRight : kAlignLeft, x, y, true);
    return height;
}

int PrintTitleLine(const PrintSettings& settings, QPainter& painter, bool draw, int y)
{
    const QPaintDevice& device = *painter.device();
    return PrintTextLine(painter, DeviceFont(settings.titleFont, device), settings.title, Qt::black, kAlignCentre,
                         device.width() / 2, y, draw);
}

void PrintPageFooter(const PrintSettings& settings, QPainter& painter, int page, int pageCount,
                     const QString& pageWord)
{
    const QPaintDevice& device = *painter.device();
    const QFont font = DeviceFont(settings.textFont, device);
    const int margin = PointsToDevice(settings.leftMargin, device);
    const int y = device.height() - PointsToDevice(settings.topMargin, device);
    const QString pages = QString::asprintf("%s%s%d%s%d", qUtf8Printable(pageWord), " ", page, "/", pageCount);
    PrintTextLine(painter, font, pages, Qt::black, kAlignRight, device.width() - margin, y, true);
    PrintTextLine(painter, font, FormatOleDate(OleDate::Now(), QLocale()), Qt::black, kAlignLeft, margin, y, true);
}
