#include "ratinglistmodel.h"

void CRatingListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_columns.clear();
    endResetModel();
}

void CRatingListModel::AddColumn(const QString& heading, bool centred)
{
    const int column = static_cast<int>(m_columns.size());
    beginInsertColumns(QModelIndex(), column, column);
    m_columns.push_back({heading, centred});
    endInsertColumns();
}

void CRatingListModel::InsertRow(int position, Row row)
{
    beginInsertRows(QModelIndex(), position, position);
    m_rows.insert(m_rows.begin() + position, std::move(row));
    endInsertRows();
}

int CRatingListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CRatingListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant CRatingListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Row& row = RowAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < row.texts.size() ? row.texts[index.column()] : QString();
    case Qt::TextAlignmentRole:
        if (m_columns[static_cast<std::size_t>(index.column())].centred)
            return static_cast<int>(Qt::AlignCenter);
        return {};
    case Qt::DecorationRole:
        if (index.column() == 0 && !row.picture.isNull())
            return row.picture;
        return {};
    default:
        return {};
    }
}

QVariant CRatingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column& column = m_columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.heading;
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>((column.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

bool CRatingListModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 0 || row + count > rowCount())
        return false;
    if (count == 0)
        return true;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}
