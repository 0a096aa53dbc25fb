#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace lodgix {

// Pieces of statements built from column lists: "?,?,?" and "a=?,b=?".
QString Placeholders(qsizetype count);
QString Assignments(const QStringList& columns);

// The columns a statement writes and their values, in one order.
struct RowValues {
    QStringList columns;
    QVariantList values;

    void Add(const QString& column, const QVariant& value)
    {
        columns << column;
        values << value;
    }
    QString InsertText(const QString& table) const;  // INSERT INTO table (a,b) VALUES (?,?)
    QString UpdateText(const QString& table) const;  // UPDATE table SET a=?,b=?
};

}  // namespace lodgix
