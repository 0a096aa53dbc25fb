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

}  // namespace

QString ListSeparator(const QLocale& locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

QString ListExportText(const QAbstractItemModel& list, const QString& title, bool csv, const QString& separator)
{
    const int columns = list.columnCount();
    QStringList headings;
    for (int column = 0; column < columns; ++column)
        headings << list.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();

    QString text = title;
    text += kLineEnd;
    text += headings.join(separator);
    text += kLineEnd;
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column) {
            const QString cell = list.data(list.index(row, column), Qt::DisplayRole).toString();
            cells << (csv ? CsvCell(cell) : cell);
        }
        text += cells.join(separator);
        text += kLineEnd;
    }
    return text;
}

bool ExportListToTextFile(const QAbstractItemModel& list, const QString& title, const QString& path, bool csv)
{
    const QString separator = csv ? ListSeparator() : kTab.toString();
    const QByteArray bytes = ListExportText(list, title, csv, separator).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(bytes) == bytes.size() && file.commit();
}
