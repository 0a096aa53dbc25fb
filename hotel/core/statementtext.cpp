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

}  // namespace lodgix
