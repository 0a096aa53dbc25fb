#pragma once

#include "oledate.h"
#include "ratinglistmodel.h"

#include <QWidget>

#include <optional>
#include <vector>

class CardImageList;
class QAbstractItemView;
class QListView;
class QStackedLayout;
class QTableView;

// The view's list: one model, shown either as a report (rows and columns, optionally with grid lines
// and sorted by its first column) or as pictures (one card per item). Export and printing read the model.
// Clicks report the hit row, -1 when no item was hit.
class CRatingList : public QWidget {
    Q_OBJECT
public:
    explicit CRatingList(QWidget* parent = nullptr);

    CRatingListModel* Model() const { return m_model; }

    // Deletes every row and every column.
    void Clear();
    void ShowReport(bool gridLines, bool sorted);
    void ShowPictures(const CardImageList& pictures, int count);
    bool IsReport() const;

    // Adds a column at least `minimumWidth` wide; FitColumns widens it to its contents.
    void AddColumn(const QString& heading, int minimumWidth, bool centred);
    // Sizes the report's columns to their headings and rows (FitColumnsToContents): called once a fill is done.
    void FitColumns();
    int ColumnCount() const;
    // Adds a row whose item data is `data`: at the end, or in a sorted list at its place by the first
    // column (after the rows of equal text). Returns that row. No row is looked for by its data: an
    // appended row costs the same in a long list as in a short one, a sorted one a binary search.
    int AddRow(const QStringList& texts, int data);
    // Appends a row of a call list; it keeps the call's start.
    int AddCallRow(const QStringList& texts, const OleDate& start);
    // The start a call row keeps; nothing for other rows (empty and total rows).
    std::optional<OleDate> RowStart(int row) const;
    QString Text(int row, int column) const;
    QString Heading(int column) const;
    int ColumnWidth(int column) const;
    // The pictures shown in picture view (nothing in report view) and their count.
    const CardImageList* Pictures() const { return IsReport() ? nullptr : m_cardImages; }
    int PictureCount() const { return IsReport() ? 0 : RowCount(); }
    // The row whose item data is `data`, -1 when none.
    int FindRow(int data) const;
    int RowData(int row) const;
    int RowCount() const;
    void EnsureVisible(int row);
    // The first selected row, -1 when none; SelectRow(-1) clears the selection.
    int SelectedRow() const;
    void SelectRow(int row);
    // The width the columns share.
    int InnerWidth() const;

signals:
    void Clicked(int row);
    void DoubleClicked(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* Current() const;
    // Puts the row in its place (the end, or its sorted place) and answers where.
    int PlaceRow(CRatingListModel::Row row);

    CRatingListModel* m_model;
    QTableView* m_report;
    QListView* m_pictures;
    QStackedLayout* m_stack;
    bool m_sorted = false;  // rows kept in the order of their first column
    std::vector<int> m_minimumWidths;  // of the report's columns
    const CardImageList* m_cardImages = nullptr;
};
