#pragma once

#include "printsettings.h"

#include <QFont>

#include <functional>

class QPainter;

namespace lodgix {

// Where a printout's layout stands: the page, the y of the next line and whether the page being laid
// out is the one being drawn. Counting the pages and drawing one of them take the same steps through one
// walk, so that a page count never disagrees with the pages drawn.
class PageWalk {
public:
    // What a new page shows under its header before its first line (a bill's or a report's repeated
    // headings); it is drawn only when the walk draws that page, and it takes its height either way.
    using PageOpener = std::function<void()>;

    PageWalk(const PrintSettings& settings, QPainter& painter, bool print, int page);

    bool Drawing() const { return m_print && m_page == m_pageToPrint; }
    bool Stopped() const { return m_stopped; }
    int Page() const { return m_page; }
    int Y() const { return m_y; }
    void Advance(int height) { m_y += height; }
    void SetOpener(PageOpener opener) { m_opener = std::move(opener); }
    // A header printed at the page's bottom takes no room at its top (its caller draws it).
    void SetHeaderAtTop(bool atTop) { m_headerAtTop = atTop; }

    // The page header (flag 2) and a block gap, drawn when this page is drawn.
    void PageHeader();
    // Places a line of `height`: on a page that cannot take it, the walk moves to the next page (or stops
    // when the drawn page ended). `draw` gets the line's top. A line that fits on no page is left out,
    // so that the walk always ends. False once the drawn page ended.
    bool Place(int height, const std::function<void(int y)>& draw);

    // Distances of the page in device units.
    int Margin() const { return m_margin; }
    int Top() const { return m_top; }
    int Gap() const { return m_gap; }
    int PageWidth() const { return m_width; }
    int PageHeight() const { return m_height; }
    int PrintableWidth() const { return m_width - 2 * m_margin; }
    // The bottom of the last line of a page.
    int Limit() const { return m_limit; }
    void SetLimit(int limit) { m_limit = limit; }

private:
    const PrintSettings& m_settings;
    QPainter& m_painter;
    const bool m_print;
    const int m_pageToPrint;
    int m_width = 0;
    int m_height = 0;
    int m_margin = 0;
    int m_top = 0;
    int m_gap = 0;
    int m_limit = 0;
    int m_page = 1;
    int m_y = 0;
    int m_linesOnPage = 0;
    bool m_stopped = false;
    bool m_headerAtTop = true;
    int m_headerHeight = -1;  // not measured yet
    PageOpener m_opener;
};

// The fonts of the hotel's printouts: the record's field at 900 prints the table lines, rows and page
// numbers (its bold form the headings), the one at 960 the customer and company blocks. The record names
// them by the rating program's use of the same bytes.
QFont HotelLineFont(const PrintSettings& settings, const QPaintDevice& device);
QFont HotelBoldLineFont(const PrintSettings& settings, const QPaintDevice& device);
QFont HotelTextFont(const PrintSettings& settings, const QPaintDevice& device);
QFont HotelTitleFont(const PrintSettings& settings, const QPaintDevice& device);
// A line's height in a font: measured on the sample text, as every printer of the suite measures.
int LineHeight(QPainter& painter, const QFont& font);
// A rule of the thin pen the printouts draw with.
void DrawRule(QPainter& painter, int x1, int y1, int x2, int y2);

}  // namespace lodgix
