#include "sortlistrowsink.h"

#include "sortlistctrl.h"

void SortListRowSink::DeleteAll()
{
    m_list.DeleteAllItems();
}

void SortListRowSink::Append(const QStringList& texts, qint64 itemData)
{
    const int row = m_list.InsertItem(m_list.ItemCount(), texts.value(0), itemData);
    for (qsizetype column = 1; column < texts.size(); ++column)
        m_list.SetItemText(row, static_cast<int>(column), texts[column]);
}
