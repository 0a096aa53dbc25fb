#pragma once

#include "printsettings.h"

#include <QFont>
#include <QImage>

class QPainter;
class QTreeWidget;

namespace lodgix {

// A front-desk list on paper: page header, title, the column headings in bold under a rule, the rows,
// and "Pagina n/m" with the print date. Every hotel list is a report list.

// The row index that prints the column headings.
inline constexpr int kListHeadingsRow = -1;

// One line of the list at y in the font (row kListHeadingsRow: the headings, at most 128 characters
// each). Columns keep their proportions across the printable width: they are scaled by the larger of the
// list window's width and the columns' total, so that the line stays inside the margins. Returns the
// font's line height; draws only when `draw` is set.
int PrintListReportRow(QPainter& painter, const PrintSettings& settings, const QTreeWidget& list, int row,
                       const QFont& font, int y, bool draw = true);
// "Pagina page/count" at the right margin and the print's date and time at the left, at the bottom margin.
void PrintListReportFooter(const PrintSettings& settings, QPainter& painter, int page, int pageCount);
// Lays the list out. With `print` clear nothing is drawn and the number of pages is returned; with it set
// the same walk draws page `page`, its footer showing `pageCount`, and returns the page it stopped on.
// The title is the settings' title field. The hotel passes no pictures; they are accepted and not printed.
int PrintListReport(const PrintSettings& settings, QPainter& painter, const QTreeWidget& list,
                    const QImage* picture1, const QImage* picture2, bool print, int pageCount, int page);

}  // namespace lodgix
