#include "printwalk.h"

#include "printpageheader.h"
#include "printtext.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace lodgix {

namespace {

constexpr int kBoldWeight = 800;
// A rule is as thick as a hundredth of an inch, and at least one dot.
constexpr int kRulesPerInch = 100;

}  // namespace

PageWalk::PageWalk(const PrintSettings& settings, QPainter& painter, bool print, int page)
    : m_settings(settings), m_painter(painter), m_print(print), m_pageToPrint(page)
{
    const QPaintDevice& device = *painter.device();
    m_width = device.width();
    m_height = device.height();
    m_margin = PointsToDevice(settings.leftMargin, device);
    m_top = PointsToDevice(settings.topMargin, device);
    m_gap = PointsToDevice(settings.blockGap, device);
    m_limit = m_height - m_top;
    m_y = m_top;
}

void PageWalk::PageHeader()
{
    if (!(m_settings.flags & PrintSettings::kPrintHeader) || !m_headerAtTop)
        return;
    // Measured once per walk: the header loads the logo file, which every page of a long list would
    // otherwise read again.
    QRect page;
    if (m_headerHeight < 0 || Drawing())
        m_headerHeight = PrintPageHeader(m_settings, m_painter, page, Drawing());
    m_y += m_headerHeight + m_gap;
}

bool PageWalk::Place(int height, const std::function<void(int y)>& draw)
{
    if (m_stopped)
        return false;
    for (;;) {
        if (m_y + height <= m_limit) {
            if (Drawing())
                draw(m_y);
            m_y += height;
            ++m_linesOnPage;
            return true;
        }
        if (m_linesOnPage == 0)
            return true;  // taller than an empty page: left out, so that paging cannot stall
        if (Drawing()) {
            m_stopped = true;
            return false;
        }
        ++m_page;
        m_linesOnPage = 0;
        m_y = m_top;
        PageHeader();
        if (m_opener)
            m_opener();
    }
}

QFont HotelLineFont(const PrintSettings& settings, const QPaintDevice& device)
{
    return DeviceFont(settings.textFont, device);
}

QFont HotelBoldLineFont(const PrintSettings& settings, const QPaintDevice& device)
{
    QFont font = HotelLineFont(settings, device);
    font.setWeight(static_cast<QFont::Weight>(kBoldWeight));
    return font;
}

QFont HotelTextFont(const PrintSettings& settings, const QPaintDevice& device)
{
    return DeviceFont(settings.footerFont, device);
}

QFont HotelTitleFont(const PrintSettings& settings, const QPaintDevice& device)
{
    return DeviceFont(settings.titleFont, device);
}

int LineHeight(QPainter& painter, const QFont& font)
{
    return PrintTextLine(painter, font, kSampleText, Qt::black, kAlignLeft, 0, 0, false);
}

void DrawRule(QPainter& painter, int x1, int y1, int x2, int y2)
{
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1, painter.device()->logicalDpiY() / kRulesPerInch)));
    painter.drawLine(x1, y1, x2, y2);
    painter.restore();
}

}  // namespace lodgix
