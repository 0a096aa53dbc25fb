#include "statementtext.h"

namespace lodgix {

QString Placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(u',');
}

QString Assignments(const QStringList& columns)
{
    QStringList assignments;
    for (const QString& column : columns)
        assignments << column + QStringLiteral("=?");
    return assignments.join(u',');
}

QString RowValues::InsertText(const QString& table) const
{
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), Placeholders(columns.size()));
}

QString RowValues::UpdateText(const QString& table) const
{
    return QStringLiteral("UPDATE %1 SET %2").arg(table, Assignments(columns));
}

}  // namespace lodgix
