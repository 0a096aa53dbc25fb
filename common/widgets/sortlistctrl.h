#pragma once

#include <QTreeWidget>

#include <cstdint>
#include <vector>

// A report list that sorts its rows by a clicked column: as text without case, as numbers, or as dates
// and times in the user's locale. Each column keeps its own direction, which flips at every sort by it,
// so the first click sorts descending. Emptying the list resets the directions; the columns' sort types
// stay. A cell may carry a value under kSortRole (a QDateTime, QDate or number) that a date or number
// column sorts by instead of its text, so that a column shown in any format sorts by what it means.
//
// Each row carries a number of its own (its item data), as the windows' lists keep a record's key.
class CSortListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    enum SortType : std::uint8_t { kText = 0, kNumber = 1, kDate = 2 };
    static constexpr int kItemDataRole = Qt::UserRole;
    static constexpr int kSortRole = Qt::UserRole + 1;
    static constexpr int kMaxColumns = 256;
    static constexpr int kDefaultColumnWidth = 100;

    explicit CSortListCtrl(QWidget* parent = nullptr);

    // Inserts a column before `column` (at the end when beyond): its heading, sort type, alignment of its
    // cells and width. Returns the new column's index, -1 past kMaxColumns.
    int InsertColumn(int column, const QString& heading, int sortType, Qt::Alignment format = Qt::AlignLeft,
                     int width = kDefaultColumnWidth);
    int ColumnSortType(int column) const;

    // Inserts a row before `row` (at the end when beyond) with the first column's text; returns its index.
    int InsertItem(int row, const QString& text, qint64 itemData = 0);
    bool SetItemText(int row, int column, const QString& text);
    void SetSortValue(int row, int column, const QVariant& value);
    QString ItemText(int row, int column) const;
    qint64 ItemData(int row) const;
    int ItemCount() const { return topLevelItemCount(); }
    // Deletes every row; the next sort by any column is descending again.
    void DeleteAllItems();

    // Sorts by the column (what a click on its heading does): its direction flips first.
    void SortByColumn(int column);
    int SortColumn() const { return m_sortColumn; }
    // True when the column's last sort was descending.
    bool IsDescending(int column) const;

private:
    std::vector<std::uint8_t> m_sortTypes;
    std::vector<std::uint8_t> m_directions;
    std::vector<Qt::Alignment> m_formats;
    int m_sortColumn = 0;
};
