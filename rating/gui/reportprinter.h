#pragma once

#include "printsettings.h"

#include <QFont>
#include <QImage>

class CRatingList;
class QPainter;

// The rating program's report: what the view's list shows laid out page by page on a printer, as rows
// (report view: title, optional charts, column headings, rows) or as rows of cards (picture view), with
// the page header on every page and the footer. One walk lays the report out: counting pages and
// drawing one page take the same breaks, so "Pagina n/m" always holds.

// The row number that stands for the column headings.
constexpr int kHeadingsRow = 0xFFFF;

// One row (or the headings) at y: the list's columns scaled to the page between the margins, each cell
// left-aligned in its column and cut at its end. Returns the height of the sample text in the font.
int PrintListRow(QPainter& painter, const PrintSettings& settings, const CRatingList& list, int row,
                 const QFont& font, int y, bool draw = true);

// `count` pictures of the list from item `first` (fewer when the list ends) side by side from the left
// margin at y, each as large in points as it is in pixels, separated by the block gap.
void PrintListPictures(QPainter& painter, const CRatingList& list, const PrintSettings& settings, int first,
                       int count, int y);

// Lays out the report. With `print` clear nothing is drawn and the number of pages is returned; with
// it set the same walk draws page `page` only, its footer showing `pageCount`. Charts (either may be
// null) are drawn side by side on page 1 of a report-view list.
int PrintListReport(const PrintSettings& settings, QPainter& painter, const CRatingList& list,
                    const QImage* chart1, const QImage* chart2, bool print, int pageCount, int page);
