#pragma once

#include <QString>
#include <QStringList>

// Where the queries of the operator console put their rows: a list of rows of texts, each with a number
// of its own (the row's key, such as a message's IDMessage). A query first deletes every row, then
// appends one row per record it reads. Windows show the rows; tests and other callers keep them.
class RowSink {
public:
    virtual ~RowSink() = default;

    virtual void DeleteAll() = 0;
    virtual void Append(const QStringList& texts, qint64 itemData) = 0;
};
