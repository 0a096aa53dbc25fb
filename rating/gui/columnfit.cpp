#include "columnfit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <numeric>

namespace {

// The row of a column whose text is the widest in the table's font: the one cell the delegate then measures,
// so that a list of many thousands of calls costs one text measure per cell.
int WidestRow(const QTableView& table, const QAbstractItemModel& model, int column)
{
    const QFontMetrics metrics(table.font());
    int widest = -1;
    int widestAdvance = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.index(row, column).data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            continue;
        const int advance = metrics.horizontalAdvance(text);
        if (advance > widestAdvance) {
            widest = row;
            widestAdvance = advance;
        }
    }
    return widest;
}

// The width a column needs for its heading and its widest cell, as the header and the delegate lay them out.
int ContentWidth(const QTableView& table, const QAbstractItemModel& model, int column)
{
    int width = table.horizontalHeader()->isHidden() ? 0 : table.horizontalHeader()->sectionSizeHint(column);
    if (const int row = WidestRow(table, model, column); row >= 0) {
        // The grid line takes the last pixel of a cell.
        const int grid = table.showGrid() ? 1 : 0;
        width = std::max(width, table.sizeHintForIndex(model.index(row, column)).width() + grid);
    }
    return width;
}

// The width the columns can share without a horizontal scroll bar: the table's inside, less the vertical
// scroll bar when the rows need one.
int RoomForColumns(const QTableView& table)
{
    const int frame = 2 * table.frameWidth();
    int room = table.width() - frame;
    const int header = table.horizontalHeader()->isHidden() ? 0 : table.horizontalHeader()->sizeHint().height();
    const bool scrolls = table.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
                         (table.verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
                          table.verticalHeader()->length() > table.height() - frame - header);
    if (scrolls)
        room -= table.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &table);
    return room;
}

}  // namespace

void FitColumnsToContents(QTableView& table, const std::vector<int>& minimumWidths)
{
    const QAbstractItemModel* model = table.model();
    if (!model || model->columnCount() == 0)
        return;
    const int columns = model->columnCount();
    std::vector<int> contents(static_cast<std::size_t>(columns));
    std::vector<int> widths(static_cast<std::size_t>(columns));
    for (int column = 0; column < columns; ++column) {
        const auto at = static_cast<std::size_t>(column);
        contents[at] = ContentWidth(table, *model, column);
        widths[at] = std::max(contents[at], at < minimumWidths.size() ? minimumWidths[at] : 0);
    }
    const int room = RoomForColumns(table);
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    const int needed = std::accumulate(contents.begin(), contents.end(), 0);
    if (total > room && needed <= room) {
        // Each column gives up its room beyond its contents in proportion to it, until the columns fit.
        const long long slack = total - needed;
        const long long excess = total - room;
        for (std::size_t at = 0; at < widths.size(); ++at) {
            const long long own = widths[at] - contents[at];
            widths[at] -= static_cast<int>((own * excess + slack - 1) / slack);
            widths[at] = std::max(widths[at], contents[at]);
        }
    }
    // The last column stretches over what is left only while every column fits: past that, the table scrolls
    // and a stretched column would be cut instead.
    const bool fits = std::accumulate(widths.begin(), widths.end(), 0) <= room;
    QHeaderView* header = table.horizontalHeader();
    header->setStretchLastSection(false);
    for (int column = 0; column < columns; ++column)
        table.setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    if (fits)
        header->setStretchLastSection(true);
}
