#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <vector>

// The cells of the planning grid: per row its text per column, its item data and a colour per cell
// (a COLORREF kept until drawn; kNoColour draws white). Each row keeps its own colours, so every row of
// the grid has them, the weekday row and one per room however many rooms there are.
class PlanningGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr std::uint32_t kNoColour = 0xFFFFFFFF;
    static constexpr int kColourRole = Qt::UserRole;
    static constexpr int kItemDataRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Clear();
    int InsertColumn(int column, const QString& heading);
    int InsertRow(int row, const QString& text, qint64 itemData);
    void SetCell(int row, int column, const QString& text, std::uint32_t colour);
    QString Text(int row, int column) const;
    std::uint32_t Colour(int row, int column) const;
    qint64 ItemData(int row) const;

private:
    struct Row {
        QStringList texts;
        std::vector<std::uint32_t> colours;
        qint64 itemData = 0;
    };

    QStringList m_headings;
    std::vector<Row> m_rows;
};
