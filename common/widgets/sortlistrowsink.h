#pragma once

#include "rowsink.h"

class CSortListCtrl;

// Lets a query fill a sortable list directly: the rows replace the list's, each with its item data.
class SortListRowSink : public RowSink {
public:
    explicit SortListRowSink(CSortListCtrl& list) : m_list(list) {}

    void DeleteAll() override;
    void Append(const QStringList& texts, qint64 itemData) override;

private:
    CSortListCtrl& m_list;
};
