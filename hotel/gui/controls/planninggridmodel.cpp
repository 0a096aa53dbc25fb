#include "planninggridmodel.h"

int PlanningGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int PlanningGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant PlanningGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: return Text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        // The weekday row is centred, the rooms' rows read from the left.
        return QVariant::fromValue(index.row() == 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    case kColourRole: return QVariant::fromValue(Colour(index.row(), index.column()));
    case kItemDataRole: return ItemData(index.row());
    default: return {};
    }
}

QVariant PlanningGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headings.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headings.at(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

void PlanningGridModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_headings.clear();
    endResetModel();
}

int PlanningGridModel::InsertColumn(int column, const QString& heading)
{
    const int at = column < 0 || column > columnCount() ? columnCount() : column;
    beginInsertColumns({}, at, at);
    m_headings.insert(at, heading);
    for (Row& row : m_rows) {
        row.texts.insert(at, QString());
        row.colours.insert(row.colours.begin() + at, kNoColour);
    }
    endInsertColumns();
    return at;
}

int PlanningGridModel::InsertRow(int row, const QString& text, qint64 itemData)
{
    const int at = row < 0 || row > rowCount() ? rowCount() : row;
    beginInsertRows({}, at, at);
    Row added;
    for (int column = 0; column < columnCount(); ++column)
        added.texts << QString();
    added.colours.assign(static_cast<std::size_t>(columnCount()), kNoColour);
    if (columnCount() > 0)
        added.texts[0] = text;
    added.itemData = itemData;
    m_rows.insert(m_rows.begin() + at, std::move(added));
    endInsertRows();
    return at;
}

void PlanningGridModel::SetCell(int row, int column, const QString& text, std::uint32_t colour)
{
    Row& cell = m_rows[static_cast<std::size_t>(row)];
    cell.texts[column] = text;
    cell.colours[static_cast<std::size_t>(column)] = colour;
    emit dataChanged(index(row, column), index(row, column));
}

QString PlanningGridModel::Text(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return m_rows[static_cast<std::size_t>(row)].texts.at(column);
}

std::uint32_t PlanningGridModel::Colour(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return kNoColour;
    return m_rows[static_cast<std::size_t>(row)].colours[static_cast<std::size_t>(column)];
}

qint64 PlanningGridModel::ItemData(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<std::size_t>(row)].itemData : 0;
}
