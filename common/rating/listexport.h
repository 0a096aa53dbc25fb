#pragma once

#include <QAbstractItemModel>
#include <QLocale>
#include <QString>

// The list separator of CSV files for a locale: ';' where the decimal separator is a comma (as in
// Italy), ',' elsewhere.
QString ListSeparator(const QLocale& locale = QLocale());

// The text of a list as the export writes it: the title, the column headings joined by the separator,
// then one line per row with its cells; every line ends in CR LF. In CSV mode each cell is written as
// ="cell" (so that a spreadsheet keeps leading zeros), with any double quote inside doubled.
QString ListExportText(const QAbstractItemModel& list, const QString& title, bool csv, const QString& separator);

// Writes the list to `path` as UTF-8 text, tab-separated or, in CSV mode, separated by the locale's list
// separator. The file is written whole (temporary file, then rename); false when it cannot be.
bool ExportListToTextFile(const QAbstractItemModel& list, const QString& title, const QString& path, bool csv);
