#include "rowlist.h"

QString RowList::Text(qsizetype row, qsizetype column) const
{
    if (row < 0 || row >= Count())
        return {};
    return m_rows[static_cast<std::size_t>(row)].texts.value(column);
}
