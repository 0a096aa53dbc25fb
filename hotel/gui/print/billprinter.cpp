#include "billprinter.h"

#include "money.h"
#include "oledatetext.h"
#include "printtext.h"
#include "printwalk.h"
#include "stringtable.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace lodgix {

namespace {

constexpr unsigned kPageText = 1217;
constexpr unsigned kReceiptTitle = 1218;
constexpr unsigned kInvoiceTitle = 1219;
constexpr unsigned kCustomerText = 1220;
constexpr unsigned kCompanyText = 1221;
constexpr unsigned kVatNumberText = 1222;
constexpr unsigned kTaxCodeText = 2072;
constexpr unsigned kDescriptionText = 1223;
constexpr unsigned kPriceText = 1224;
constexpr unsigned kVatText = 2034;
constexpr unsigned kQuantityText = 1225;
constexpr unsigned kNetText = 1226;
constexpr unsigned kTaxText = 1227;
constexpr unsigned kTotalText = 1228;
constexpr unsigned kTotalLineText = 1229;
constexpr unsigned kSignatureText = 1230;
constexpr unsigned kPaymentText = 2131;
// Cell texts start this many points right of their column's edge.
constexpr int kCellIndent = 5;

const QString kLabelSeparator = QStringLiteral(": ");

struct Totals {
    Money net;
    Money tax;
    Money gross;
};

Totals SumLines(const DocumentRecord& document)
{
    Totals totals;
    for (const BillLine& line : document.lines) {
        totals.net = totals.net + line.netAmount;
        totals.tax = totals.tax + line.taxAmount;
        totals.gross = totals.gross + line.grossAmount;
    }
    return totals;
}

bool IsInvoice(const DocumentRecord& document)
{
    return document.type == DocumentRecord::kInvoice;
}

// Column widths of a table of `width`: each one its share of the width; the last one takes what the
// divisions left over, so that the table closes at the right margin.
std::vector<int> Columns(int width, std::initializer_list<int> divisors)
{
    std::vector<int> widths;
    int used = 0;
    for (int divisor : divisors) {
        widths.push_back(width / divisor);
        used += widths.back();
    }
    widths.back() += width - used;
    return widths;
}

enum class CellAlign { kIndented, kCentred };

// One row of ruled cells: each cell's vertical rule at its right edge (the first one at its left edge too),
// from half a line above the text to the text line's bottom, so that the rows' rules join.
void DrawCells(QPainter& painter, const QFont& font, int x, int y, int height, int indent,
               const std::vector<int>& widths, const QStringList& texts, CellAlign align)
{
    const int top = y - height / 2;
    const int bottom = y + height;
    DrawRule(painter, x, top, x, bottom);
    for (std::size_t cell = 0; cell < widths.size(); ++cell) {
        const QString text = cell < static_cast<std::size_t>(texts.size()) ? texts[static_cast<qsizetype>(cell)]
                                                                              : QString();
        if (!text.isEmpty()) {
            painter.save();
            painter.setClipRect(x, top, widths[cell], bottom - top);
            if (align == CellAlign::kCentred)
                PrintTextLine(painter, font, text, Qt::black, kAlignCentre, x + widths[cell] / 2, y, true);
            else
                PrintTextLine(painter, font, text, Qt::black, kAlignLeft, x + indent, y, true);
            painter.restore();
        }
        x += widths[cell];
        DrawRule(painter, x, top, x, bottom);
    }
}

// Two rules: the table's edge and, half a line lower, the line where the next row's column rules begin.
void DrawDoubleRule(QPainter& painter, int left, int right, int y, int height)
{
    DrawRule(painter, left, y, right, y);
    DrawRule(painter, left, y + height / 2, right, y + height / 2);
}

}  // namespace

int PrintReportTitle(const PrintSettings& settings, const std::optional<OleDate>& date, QPainter& painter, bool draw,
                     int y)
{
    const QPaintDevice& device = *painter.device();
    const QFont font = HotelTitleFont(settings, device);
    const int x = PointsToDevice(settings.leftMargin, device);
    int height = 0;
    if (!(settings.flags & PrintSettings::kPreprintedDocumentNumber))
        height += PrintTextLine(painter, font, settings.title, Qt::black, kAlignLeft, x, y, draw);
    if (date)
        height += PrintTextLine(painter, font, FormatOleDate(*date, QLocale()), Qt::black, kAlignLeft, x, y + height,
                                draw);
    return height;
}

int PrintCustomerBlock(const PrintSettings& settings, QPainter& painter, const DocumentRecord& document, bool draw,
                       int y)
{
    const QPaintDevice& device = *painter.device();
    const int x = PointsToDevice(settings.leftMargin, device);
    int height = PrintTextLine(painter, HotelTitleFont(settings, device), LoadResString(kCustomerText), Qt::black,
                               kAlignLeft, x, y, draw);
    height += PrintTextLine(painter, HotelTextFont(settings, device), document.guestName, Qt::black, kAlignLeft, x,
                            y + height, draw);
    return height;
}

int PrintCompanyBlock(const PrintSettings& settings, QPainter& painter, const DocumentRecord& document, bool draw,
                      int y)
{
    const QPaintDevice& device = *painter.device();
    const int x = device.width() - PointsToDevice(settings.leftMargin, device);
    int height = PrintTextLine(painter, HotelTitleFont(settings, device), LoadResString(kCompanyText), Qt::black,
                               kAlignRight, x, y, draw);
    QString city = document.companyCity + QStringLiteral(" (") + document.companyProvince + QStringLiteral("), ") +
                   document.companyCountry;
    if (!document.companyPostCode.isEmpty())
        city = document.companyPostCode + QStringLiteral(", ") + city;
    const QStringList lines = {document.companyName, document.companyAddress, city,
                               LoadResString(kVatNumberText) + kLabelSeparator + document.companyVatNumber,
                               LoadResString(kTaxCodeText) + kLabelSeparator + document.companyTaxCode};
    const QFont font = HotelTextFont(settings, device);
    for (const QString& line : lines)
        height += PrintTextLine(painter, font, line, Qt::black, kAlignRight, x, y + height, draw);
    return height;
}

int PrintBillTableLine(QPainter& painter, const PrintSettings& settings, const DocumentRecord& document, int index,
                       const QFont& font, int y, bool draw)
{
    const int height = LineHeight(painter, font);
    if (!draw)
        return height;
    const QPaintDevice& device = *painter.device();
    const int left = PointsToDevice(settings.leftMargin, device);
    const int width = device.width() - 2 * left;
    const int indent = PointsToDevice(kCellIndent, device);
    const int lines = static_cast<int>(document.lines.size());
    const bool invoice = IsInvoice(document);
    const std::vector<int> table = invoice ? Columns(width, {3, 9, 9, 9, 9, 9, 9}) : Columns(width, {2, 6, 6, 6});
    const std::vector<int> summary = Columns(width, {3, 9, 9, 9, 3});
    auto cells = [&](const QStringList& texts) {
        DrawCells(painter, font, left, y, height, indent, table, texts, CellAlign::kIndented);
    };
    auto summaryCells = [&](const QStringList& texts) {
        DrawCells(painter, font, left, y, height, indent, summary, texts, CellAlign::kCentred);
    };

    if (index == 0 || index == lines + 4 || index == lines + 11) {
        DrawDoubleRule(painter, left, left + width, y, height);
    } else if (index == 1) {
        const QString description = LoadResString(kDescriptionText);
        if (invoice)
            cells({description, LoadResString(kPriceText), LoadResString(kVatText), LoadResString(kQuantityText),
                   LoadResString(kNetText), LoadResString(kTaxText), LoadResString(kTotalText)});
        else
            cells({description, LoadResString(kPriceText), LoadResString(kQuantityText), LoadResString(kTotalText)});
    } else if (index >= 2 && index < lines + 2) {
        const BillLine& line = document.lines[static_cast<std::size_t>(index - 2)];
        const QString quantity = QString::number(line.quantity);
        if (invoice)
            cells({line.description, line.netUnitPrice.Text(), line.vat.Text(), quantity, line.netAmount.Text(),
                   line.taxAmount.Text(), line.grossAmount.Text()});
        else
            cells({line.description, line.unitPrice.Text(), quantity, line.grossAmount.Text()});
    } else if (index == lines + 2 || index == lines + 3) {
        cells({});
    } else if (index == lines + 5) {
        const Totals totals = SumLines(document);
        const QString total = LoadResString(kTotalLineText);
        if (invoice)
            cells({total, {}, {}, {}, totals.net.Text(), totals.tax.Text(), totals.gross.Text()});
        else
            cells({total, {}, {}, totals.gross.Text()});
        DrawRule(painter, left, y + height, left + width, y + height);
    } else if (index == lines + 12) {
        summaryCells({LoadResString(kPaymentText), LoadResString(kNetText), LoadResString(kTaxText),
                      LoadResString(kTotalText), LoadResString(kSignatureText)});
    } else if (index == lines + 13) {
        const Totals totals = SumLines(document);
        if (invoice)
            summaryCells({document.paymentType, totals.net.Text(), totals.tax.Text(), totals.gross.Text(), {}});
        else
            summaryCells({document.paymentType, {}, {}, totals.gross.Text(), {}});
        DrawRule(painter, left, y + height, left + width, y + height);
    }
    return height;
}

void PrintBillPageFooter(const PrintSettings& settings, QPainter& painter, const DocumentRecord&, int page,
                         int pageCount)
{
    const QPaintDevice& device = *painter.device();
    const QString text = QString::asprintf("%s %d/%d", qUtf8Printable(LoadResString(kPageText)), page, pageCount);
    PrintTextLine(painter, HotelLineFont(settings, device), text, Qt::black, kAlignRight,
                  device.width() - PointsToDevice(settings.leftMargin, device),
                  device.height() - PointsToDevice(settings.topMargin, device), true);
}

int PrintBillDocument(PrintSettings& settings, QPainter& painter, const DocumentRecord& document, const QImage*,
                      const QImage*, bool print, int pageCount, int page)
{
    const QPaintDevice& device = *painter.device();
    const QFont lineFont = HotelLineFont(settings, device);
    const QFont boldFont = HotelBoldLineFont(settings, device);
    settings.title = LoadResString(IsInvoice(document) ? kInvoiceTitle : kReceiptTitle) + u' ' + document.number;

    PageWalk walk(settings, painter, print, page);
    const int lineHeight = LineHeight(painter, lineFont);
    const int boldHeight = LineHeight(painter, boldFont);
    walk.PageHeader();
    walk.Advance(PrintReportTitle(settings, document.issued, painter, walk.Drawing(), walk.Y()) + walk.Gap());
    int blocks = PrintCustomerBlock(settings, painter, document, walk.Drawing(), walk.Y());
    if (IsInvoice(document))
        blocks = std::max(blocks, PrintCompanyBlock(settings, painter, document, walk.Drawing(), walk.Y()));
    walk.Advance(blocks + walk.Gap());

    // A continuation page repeats the column headings in bold between two rules; counting and printing
    // reserve the same room for it.
    walk.SetOpener([&] {
        const int left = walk.Margin();
        const int right = walk.PageWidth() - walk.Margin();
        const int top = walk.Y();
        const int text = top + boldHeight / 2;
        if (walk.Drawing()) {
            DrawRule(painter, left, top, right, top);
            PrintBillTableLine(painter, settings, document, 1, boldFont, text);
            DrawRule(painter, left, text + boldHeight, right, text + boldHeight);
        }
        walk.Advance(boldHeight / 2 + boldHeight + lineHeight / 2);
    });
    const int tableLines = static_cast<int>(document.lines.size()) + kBillFixedLines;
    for (int index = 0; index < tableLines; ++index) {
        const bool more = walk.Place(lineHeight, [&](int y) {
            PrintBillTableLine(painter, settings, document, index, lineFont, y);
        });
        if (!more)
            break;
    }
    if (print && (settings.flags & PrintSettings::kPrintPageNumbers))
        PrintBillPageFooter(settings, painter, document, page, pageCount);
    return walk.Page();
}

}  // namespace lodgix
