#include "listexport.h"

#include <QSaveFile>
#include <QStringList>

namespace {

constexpr QStringView kLineEnd = u"\r\n";
constexpr QStringView kTab = u"\t";

QString CsvCell(QString text)
{
    text.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("=\"") + text + u'"';
}

// A cell of a CSV file as it is, quoted (quotes doubled) when it would otherwise end early.
QString PlainCsvCell(const QString& text, const QString& separator)
{
    const bool needsQuotes = text.contains(separator) || text.contains(u'"') || text.contains(u'\n') ||
                             text.contains(u'\r');
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// A cell of a tab file: a tab or a line break inside it would move the columns or the rows.
QString TabCell(QString text)
{
    for (const QChar c : {QChar(u'\t'), QChar(u'\r'), QChar(u'\n')})
        text.replace(c, u' ');
    return text;
}

QString FormattedCell(const QString& text, ListColumnKind kind, const ListExportFormat& format)
{
    if (!format.csv)
        return TabCell(text);
    switch (kind) {
    case ListColumnKind::kText:
        return CsvCell(text);
    case ListColumnKind::kNumeric: {
        QString number = text;
        return PlainCsvCell(number.replace(u'.', format.decimalSign), format.separator);
    }
    case ListColumnKind::kPlain:
        break;
    }
    return PlainCsvCell(text, format.separator);
}

QStringList Headings(const QAbstractItemModel& list)
{
    QStringList headings;
    for (int column = 0; column < list.columnCount(); ++column)
        headings << list.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return headings;
}

QString CellText(const QAbstractItemModel& list, int row, int column)
{
    return list.data(list.index(row, column), Qt::DisplayRole).toString();
}

}  // namespace

QString ListSeparator(const QLocale& locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

QString ListExportText(const QAbstractItemModel& list, const QString& title, bool csv, const QString& separator)
{
    const int columns = list.columnCount();
    QString text = title;
    text += kLineEnd;
    text += Headings(list).join(separator);
    text += kLineEnd;
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column) {
            const QString cell = CellText(list, row, column);
            cells << (csv ? CsvCell(cell) : cell);
        }
        text += cells.join(separator);
        text += kLineEnd;
    }
    return text;
}

QString ListExportText(const QAbstractItemModel& list, const ListExportFormat& format)
{
    const auto kindOf = [&](int column) {
        const auto index = static_cast<std::size_t>(column);
        return index < format.kinds.size() ? format.kinds[index] : ListColumnKind::kPlain;
    };
    QString text;
    if (format.title) {
        text += *format.title;
        text += kLineEnd;
    }
    // Headings are names, never numbers or texts to keep as typed.
    QStringList headings;
    for (const QString& heading : Headings(list))
        headings << (format.csv ? PlainCsvCell(heading, format.separator) : TabCell(heading));
    text += headings.join(format.separator);
    text += kLineEnd;
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column)
            cells << FormattedCell(CellText(list, row, column), kindOf(column), format);
        text += cells.join(format.separator);
        text += kLineEnd;
    }
    return text;
}

ListExportFormat ListExportFormatFor(bool csv, const QLocale& locale)
{
    ListExportFormat format;
    format.csv = csv;
    if (csv) {
        format.separator = ListSeparator(locale);
        format.decimalSign = locale.decimalPoint();
    }
    return format;
}

bool WriteListExportFile(const QString& text, const QString& path)
{
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(bytes) == bytes.size() && file.commit();
}

bool ExportListToTextFile(const QAbstractItemModel& list, const QString& title, const QString& path, bool csv)
{
    const QString separator = csv ? ListSeparator() : kTab.toString();
    return WriteListExportFile(ListExportText(list, title, csv, separator), path);
}
