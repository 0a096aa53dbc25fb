#pragma once

#include <QAbstractItemModel>
#include <QLocale>
#include <QString>

#include <optional>
#include <vector>

// The list separator of CSV files for a locale: ';' where the decimal separator is a comma (as in
// Italy), ',' elsewhere.
QString ListSeparator(const QLocale& locale = QLocale());

// The text of a list as the export writes it: the title, the column headings joined by the separator,
// then one line per row with its cells; every line ends in CR LF. In CSV mode each cell is written as
// ="cell" (so that a spreadsheet keeps leading zeros), with any double quote inside doubled.
QString ListExportText(const QAbstractItemModel& list, const QString& title, bool csv, const QString& separator);

// How a column's cells go into a CSV file: as they are (quoted when they hold the separator, a quote or a
// line break), as text for spreadsheets (="cell", leading zeros kept) or as numbers ("." becomes the
// locale's decimal sign). A tab file writes every kind as it is, tabs and line breaks made blanks.
enum class ListColumnKind { kPlain, kText, kNumeric };

struct ListExportFormat {
    bool csv = false;
    QString separator = QStringLiteral("\t");
    QString decimalSign = QStringLiteral(".");  // of numeric cells in CSV
    std::optional<QString> title;               // a first line, when there is one
    std::vector<ListColumnKind> kinds;          // per column; columns beyond it are plain
};

// The text of a list in that format: the title, the headings, one line per row; every line ends in CR LF.
QString ListExportText(const QAbstractItemModel& list, const ListExportFormat& format);
// The format of a tab file, or of a CSV file with the locale's list separator and decimal sign.
ListExportFormat ListExportFormatFor(bool csv, const QLocale& locale = QLocale());
// Writes the text as UTF-8, whole (temporary file, then rename); false when it cannot be.
bool WriteListExportFile(const QString& text, const QString& path);

// Writes the list to `path` as UTF-8 text, tab-separated or, in CSV mode, separated by the locale's list
// separator. The file is written whole (temporary file, then rename); false when it cannot be.
bool ExportListToTextFile(const QAbstractItemModel& list, const QString& title, const QString& path, bool csv);
