#include "listreportprinter.h"

#include "billprinter.h"
#include "printpageheader.h"
#include "printtext.h"
#include "printwalk.h"
#include "stringtable.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTreeWidget>

#include <algorithm>

namespace lodgix {

namespace {

constexpr unsigned kPageText = 1217;
constexpr int kMaxHeadingCharacters = 128;

bool HeaderAtBottom(const PrintSettings& settings)
{
    return settings.headerPosition == PrintSettings::kBottomLeft ||
           settings.headerPosition == PrintSettings::kBottomRight;
}

}  // namespace

int PrintListReportRow(QPainter& painter, const PrintSettings& settings, const QTreeWidget& list, int row,
                       const QFont& font, int y, bool draw)
{
    const int height = LineHeight(painter, font);
    if (!draw)
        return height;
    const QPaintDevice& device = *painter.device();
    const int margin = PointsToDevice(settings.leftMargin, device);
    const qint64 printable = std::max(0, device.width() - 2 * margin);
    qint64 columnsWidth = 0;
    for (int column = 0; column < list.columnCount(); ++column)
        columnsWidth += list.columnWidth(column);
    const qint64 scale = std::max<qint64>(list.viewport()->width(), columnsWidth);
    if (scale <= 0)
        return height;  // no column has any width: nothing to print
    const QTreeWidgetItem* item = row == kListHeadingsRow ? list.headerItem() : list.topLevelItem(row);
    if (!item)
        return height;
    painter.save();
    int x = margin;
    for (int column = 0; column < list.columnCount(); ++column) {
        const int width = static_cast<int>(list.columnWidth(column) * printable / scale);
        QString text = item->text(column);
        if (row == kListHeadingsRow)
            text.truncate(kMaxHeadingCharacters);
        painter.setClipRect(x, y, width, height);
        PrintTextLine(painter, font, text, Qt::black, kAlignLeft, x, y, true);
        x += width;
    }
    painter.restore();
    return height;
}

void PrintListReportFooter(const PrintSettings& settings, QPainter& painter, int page, int pageCount)
{
    PrintPageFooter(settings, painter, page, pageCount, LoadResString(kPageText));
}

int PrintListReport(const PrintSettings& settings, QPainter& painter, const QTreeWidget& list, const QImage*,
                    const QImage*, bool print, int pageCount, int page)
{
    const QPaintDevice& device = *painter.device();
    const QFont rowFont = HotelLineFont(settings, device);
    const QFont headingFont = HotelBoldLineFont(settings, device);
    const int rowHeight = LineHeight(painter, rowFont);
    const bool header = settings.flags & PrintSettings::kPrintHeader;
    const bool headerAtBottom = header && HeaderAtBottom(settings);

    PageWalk walk(settings, painter, print, page);
    QRect pageRect;
    if (headerAtBottom)
        walk.SetLimit(walk.Limit() - PrintPageHeader(settings, painter, pageRect, false) - walk.Gap());
    // The headings in bold and their rule, on every page.
    auto headings = [&] {
        const int y = walk.Y();
        const int height = PrintListReportRow(painter, settings, list, kListHeadingsRow, headingFont, y, walk.Drawing());
        if (walk.Drawing())
            DrawRule(painter, walk.Margin(), y + height, walk.PageWidth() - walk.Margin(), y + height);
        walk.Advance(height + rowHeight / 2);
    };
    walk.SetHeaderAtTop(!headerAtBottom);
    walk.PageHeader();
    walk.Advance(PrintReportTitle(settings, std::nullopt, painter, walk.Drawing(), walk.Y()) + walk.Gap());
    headings();
    walk.SetOpener(headings);
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        const bool more = walk.Place(rowHeight, [&](int y) {
            PrintListReportRow(painter, settings, list, row, rowFont, y);
        });
        if (!more)
            break;
    }
    if (print && headerAtBottom)
        PrintPageHeader(settings, painter, pageRect, true);
    if (print && (settings.flags & PrintSettings::kPrintPageNumbers))
        PrintListReportFooter(settings, painter, page, pageCount);
    return walk.Page();
}

}  // namespace lodgix
