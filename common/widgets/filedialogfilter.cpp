#include "filedialogfilter.h"

#include <QStringList>

QString FileDialogFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].isEmpty())
            filters << parts[i];
    return filters.join(QStringLiteral(";;"));
}
