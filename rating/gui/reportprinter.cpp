#include "reportprinter.h"

#include "cardimagelist.h"
#include "printpageheader.h"
#include "printtext.h"
#include "ratinglist.h"
#include "stringtable.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

constexpr unsigned kPageString = 1135;
constexpr int kHeadingWeight = 800;

// The page and where the walk stands on it.
class ReportWalk {
public:
    ReportWalk(const PrintSettings& settings, QPainter& painter, const CRatingList& list, bool print, int pageCount,
               int page)
        : m_settings(settings), m_painter(painter), m_list(list), m_print(print), m_pageCount(pageCount),
          m_pageToPrint(page)
    {
        const QPaintDevice& device = *painter.device();
        m_width = device.width();
        m_height = device.height();
        m_gap = PointsToDevice(settings.blockGap, device);
        m_top = PointsToDevice(settings.topMargin, device);
        m_margin = PointsToDevice(settings.leftMargin, device);
        m_textFont = DeviceFont(settings.textFont, device);
        m_headingFont = m_textFont;
        m_headingFont.setWeight(static_cast<QFont::Weight>(kHeadingWeight));
        m_rowHeight = PrintTextLine(painter, m_textFont, kSampleText, Qt::black, kAlignLeft, 0, 0, false);
        const bool header = settings.flags & PrintSettings::kPrintHeader;
        QRect pageRect;
        m_headerHeight = header ? PrintPageHeader(settings, painter, pageRect, false) : 0;
        m_headerAtTop = header && settings.headerPosition <= PrintSettings::kTopRight;
        m_headerAtBottom = header && !m_headerAtTop;
        m_limit = m_height - m_top - (m_headerAtBottom ? m_headerHeight + m_gap : 0);
        // The footer's line starts at the bottom margin: rows end a blank text line above it on every page,
        // so the footer's own height and that line stay free.
        if (settings.flags & PrintSettings::kPrintPageNumbers)
            m_limit = std::min(m_limit, m_height - m_top - m_rowHeight);
    }

    bool Drawing() const { return m_print && m_page == m_pageToPrint; }
    bool PrintedPageDone() const { return m_print && m_page >= m_pageToPrint && m_closed; }

    // Page 1: header, title, charts and headings.
    void OpenFirstPage(const QImage* chart1, const QImage* chart2)
    {
        OpenPage();
        m_y += PrintTitleLine(m_settings, m_painter, Drawing(), m_y) + m_gap;
        if (m_list.IsReport() && (chart1 || chart2)) {
            const QPaintDevice& device = *m_painter.device();
            int x = m_margin;
            int chartHeight = 0;
            for (const QImage* chart : {chart1, chart2}) {
                if (!chart)
                    continue;
                const QSize size(PointsToDevice(chart->width(), device), PointsToDevice(chart->height(), device));
                if (Drawing())
                    m_painter.drawImage(QRect(QPoint(x, m_y), size), *chart);
                x += size.width() + m_gap;
                chartHeight = std::max(chartHeight, size.height());
            }
            m_y += chartHeight + m_gap;
        }
        if (m_list.IsReport())
            PrintHeadings();
    }

    // Places a block of `height` (a row or a row of cards): false when it closed the printed page.
    // `draw` draws the block at the y it takes.
    template <typename Draw>
    bool Place(int height, Draw draw)
    {
        for (;;) {
            if (m_y + height <= m_limit) {
                if (Drawing())
                    draw(m_y);
                m_y += height;
                ++m_blocksOnPage;
                return true;
            }
            if (m_blocksOnPage == 0)
                return true;  // it fits on no page: it is left out, so that the walk ends
            ClosePage();
            if (PrintedPageDone())
                return false;
            ++m_page;
            OpenPage();
            if (m_list.IsReport())
                PrintHeadings();
        }
    }

    void Finish()
    {
        if (!m_closed)
            ClosePage();
    }

    int Pages() const { return m_page; }
    int RowHeight() const { return m_rowHeight; }
    int Gap() const { return m_gap; }
    int Margin() const { return m_margin; }
    int Width() const { return m_width; }
    const QFont& TextFont() const { return m_textFont; }

private:
    void OpenPage()
    {
        m_closed = false;
        m_blocksOnPage = 0;
        m_y = m_top;
        if (m_headerAtTop) {
            QRect page;
            if (Drawing())
                PrintPageHeader(m_settings, m_painter, page, true);
            m_y += m_headerHeight + m_gap;
        }
    }

    void PrintHeadings()
    {
        const int height = PrintListRow(m_painter, m_settings, m_list, kHeadingsRow, m_headingFont, m_y, Drawing());
        m_y += height;
        if (Drawing()) {
            m_painter.save();
            m_painter.setPen(QPen(Qt::black, std::max(1, m_rowHeight / 20)));
            m_painter.drawLine(m_margin, m_y, m_width - m_margin, m_y);
            m_painter.restore();
        }
        m_y += m_rowHeight / 2;
    }

    void ClosePage()
    {
        m_closed = true;
        if (!Drawing())
            return;
        if (m_headerAtBottom) {
            QRect page;
            PrintPageHeader(m_settings, m_painter, page, true);
        }
        if (m_settings.flags & PrintSettings::kPrintPageNumbers)
            PrintPageFooter(m_settings, m_painter, m_page, m_pageCount, LoadResString(kPageString));
    }

    const PrintSettings& m_settings;
    QPainter& m_painter;
    const CRatingList& m_list;
    const bool m_print;
    const int m_pageCount;
    const int m_pageToPrint;
    int m_width = 0;
    int m_height = 0;
    int m_gap = 0;
    int m_top = 0;
    int m_margin = 0;
    QFont m_textFont;
    QFont m_headingFont;
    int m_rowHeight = 0;
    int m_headerHeight = 0;
    bool m_headerAtTop = false;
    bool m_headerAtBottom = false;
    int m_limit = 0;
    int m_page = 1;
    int m_y = 0;
    int m_blocksOnPage = 0;
    bool m_closed = false;
};

}  // namespace

int PrintListRow(QPainter& painter, const PrintSettings& settings, const CRatingList& list, int row,
                 const QFont& font, int y, bool draw)
{
    const QPaintDevice& device = *painter.device();
    const int height = PrintTextLine(painter, font, kSampleText, Qt::black, kAlignLeft, 0, 0, false);
    if (!draw)
        return height;
    const int margin = PointsToDevice(settings.leftMargin, device);
    const int pageWidth = std::max(1, device.width() - 2 * margin);
    int listWidth = list.InnerWidth();
    int columnsWidth = 0;
    for (int column = 0; column < list.ColumnCount(); ++column)
        columnsWidth += list.ColumnWidth(column);
    // Columns wider than the list window (or a list never laid out) share the page by their own sum.
    listWidth = std::max(listWidth, columnsWidth);
    if (listWidth <= 0)
        return height;
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    int x = margin;
    for (int column = 0; column < list.ColumnCount(); ++column) {
        const int width = static_cast<int>(static_cast<qint64>(list.ColumnWidth(column)) * pageWidth / listWidth);
        const QString text = row == kHeadingsRow ? list.Heading(column) : list.Text(row, column);
        painter.drawText(QRect(x, y, width, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        x += width;
    }
    painter.restore();
    return height;
}

void PrintListPictures(QPainter& painter, const CRatingList& list, const PrintSettings& settings, int first,
                       int count, int y)
{
    const CardImageList* pictures = list.Pictures();
    if (!pictures)
        return;
    const QPaintDevice& device = *painter.device();
    const int gap = PointsToDevice(settings.blockGap, device);
    int x = PointsToDevice(settings.leftMargin, device);
    for (int item = first; item < first + count && item < list.PictureCount(); ++item) {
        const QImage image = pictures->Image(item);
        const QRect target(x, y, PointsToDevice(image.width(), device), PointsToDevice(image.height(), device));
        painter.fillRect(target, Qt::white);
        painter.drawImage(target, image);
        x += target.width() + gap;
    }
}

int PrintListReport(const PrintSettings& settings, QPainter& painter, const CRatingList& list,
                    const QImage* chart1, const QImage* chart2, bool print, int pageCount, int page)
{
    ReportWalk walk(settings, painter, list, print, pageCount, page);
    walk.OpenFirstPage(chart1, chart2);
    if (list.IsReport()) {
        for (int row = 0; row < list.RowCount(); ++row) {
            const bool more = walk.Place(walk.RowHeight(), [&](int y) {
                PrintListRow(painter, settings, list, row, walk.TextFont(), y);
            });
            if (!more)
                return walk.Pages();
        }
    } else if (const CardImageList* pictures = list.Pictures()) {
        const QPaintDevice& device = *painter.device();
        const QSize card(PointsToDevice(pictures->ImageSize().width(), device),
                         PointsToDevice(pictures->ImageSize().height(), device));
        const int usable = walk.Width() - 2 * walk.Margin();
        const int perRow = std::max(1, usable / std::max(1, card.width() + walk.Gap()));
        const int items = list.PictureCount();
        for (int first = 0; first < items; first += perRow) {
            const bool more = walk.Place(card.height() + walk.Gap(), [&](int y) {
                PrintListPictures(painter, list, settings, first, perRow, y);
            });
            if (!more)
                return walk.Pages();
        }
    }
    walk.Finish();
    return walk.Pages();
}
