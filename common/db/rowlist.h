#pragma once

#include "rowsink.h"

#include <vector>

// A RowSink that keeps the rows in memory, in the order they came.
class RowList : public RowSink {
public:
    struct Row {
        QStringList texts;
        qint64 itemData = 0;
    };

    void DeleteAll() override { m_rows.clear(); }
    void Append(const QStringList& texts, qint64 itemData) override { m_rows.push_back({texts, itemData}); }

    const std::vector<Row>& Rows() const { return m_rows; }
    qsizetype Count() const { return static_cast<qsizetype>(m_rows.size()); }
    // A cell's text; empty outside the list.
    QString Text(qsizetype row, qsizetype column) const;

private:
    std::vector<Row> m_rows;
};
