#include "ratinglabels.h"

#include "sqldatabase.h"

QString FormatLineName(CSqlDatabase& database, int pbx, int line)
{
    const QString label = database.GetLineLabel(pbx, line);
    if (!label.isEmpty())
        return label;
    return QStringLiteral("EXT. %1").arg(line + 1);
}
