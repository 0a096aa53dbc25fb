#pragma once

#include <QModelIndex>
#include <QTableView>

#include <cstdint>

class PlanningGridModel;

// The front desk's room-by-day grid: a column per day under its heading, row 0 the weekdays, then a
// row per room (its text the room, its item data the room's id). Each cell has a background colour (a
// COLORREF, kept until drawn; none draws white), row 0 column 0 is always white, and the cell last
// clicked is black. A click on a day cell of a room (not row 0, not column 0) signals the room's item
// data and the column.
class CPlanningGridCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int kMaxColumns = 32;
    // Room beside a text in its column (the heading's and the cells').
    static constexpr int kTextMargin = 12;

    explicit CPlanningGridCtrl(QWidget* parent = nullptr);
    ~CPlanningGridCtrl() override;

    // Forgets the clicked cell, deletes every row and every column.
    void Clear();
    // A centred column at the index, as wide as its heading; the new column's index.
    int AddColumn(int column, const QString& heading);
    // A row with the text in column 0 (widened to it) and its item data; 1, or -1 when the grid has no
    // column to hold it.
    int AddRow(int row, const QString& text, qint64 itemData);
    // Only for an existing row and an existing column below kMaxColumns: the cell's text and colour
    // (the column widened to the text); 1, else 0 and nothing changes.
    int SetCell(int row, int column, const QString& text, std::uint32_t colour);

    int RowCount() const;
    int ColumnCount() const;
    QString CellText(int row, int column) const;
    std::uint32_t CellColour(int row, int column) const;
    qint64 ItemData(int row) const;
    // The cell last clicked; invalid when none.
    QModelIndex ClickedCell() const { return m_clicked; }

signals:
    // A day cell of a room was clicked: the row's item data (its low 16 bits) and the column.
    void CellClicked(int itemData, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void WidenTo(int column, const QString& text);

    PlanningGridModel* m_model;
    QPersistentModelIndex m_clicked;
};
