#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include <optional>
#include <vector>

// The rows of the view's list: per row its texts, its item data, a call row's start and a picture. A row
// is one record, its texts shared with the caller's list, so that a list of many thousands of calls fills
// as fast as the widgets can show it.
class CRatingListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        QStringList texts;            // one per column; missing ones read as empty
        int data = 0;                 // the item data
        std::optional<double> start;  // a call row's start, in days
        QIcon picture;                // shown in picture view
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Deletes every row and every column.
    void Clear();
    void AddColumn(const QString& heading, bool centred);
    void InsertRow(int position, Row row);
    const Row& RowAt(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    struct Column {
        QString heading;
        bool centred = false;
    };
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
};
