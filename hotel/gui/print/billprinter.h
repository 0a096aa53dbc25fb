#pragma once

#include "documentrecord.h"
#include "printsettings.h"

#include <QFont>
#include <QImage>

#include <optional>

class QPainter;

namespace lodgix {

// A receipt or an invoice on paper: title and date, the customer (and, on an invoice, the company), the
// ruled table of its lines with totals, the payment summary with the signature box, and "Pagina n/m".

// The table's fixed lines besides the bill's own: rules, headings, two empty rows, totals, blanks and
// the summary.
inline constexpr int kBillFixedLines = 14;

// The settings' title (in the title font, at the left margin) unless flag 8 says the paper carries its
// number; then the date, when one is given, on the next line (or in the title's place). Returns the
// height taken; draws only when `draw` is set.
int PrintReportTitle(const PrintSettings& settings, const std::optional<OleDate>& date, QPainter& painter,
                     bool draw, int y);
// "CLIENTE" and the customer's name at the left margin.
int PrintCustomerBlock(const PrintSettings& settings, QPainter& painter, const DocumentRecord& document, bool draw,
                       int y);
// "AZIENDA" and the company's name, address, city line, VAT number and tax code, right-aligned at the right
// margin.
int PrintCompanyBlock(const PrintSettings& settings, QPainter& painter, const DocumentRecord& document, bool draw,
                      int y);
// Line `index` of the table (0 to lines + 13) in the font, its text's top at y; returns the font's line
// height. Draws only when `draw` is set.
int PrintBillTableLine(QPainter& painter, const PrintSettings& settings, const DocumentRecord& document, int index,
                       const QFont& font, int y, bool draw = true);
// "Pagina page/count" right-aligned at the bottom margin.
void PrintBillPageFooter(const PrintSettings& settings, QPainter& painter, const DocumentRecord& document, int page,
                         int pageCount);
// Lays the bill out. With `print` clear nothing is drawn and the number of pages is returned; with it set
// the same walk draws page `page`, its footer showing `pageCount`, and returns the page it stopped on. The
// title field of the settings takes the bill's title ("FATTURA N." or "RICEVUTA FISCALE N." and the number).
// The hotel passes no pictures; they are accepted and not printed.
int PrintBillDocument(PrintSettings& settings, QPainter& painter, const DocumentRecord& document,
                      const QImage* picture1, const QImage* picture2, bool print, int pageCount, int page);

}  // namespace lodgix
