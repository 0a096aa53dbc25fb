#include "ratinglabels.h"

#include "pbxtables.h"
#include "sqldatabase.h"

QString GetExtensionLabel(CSqlDatabase& database, const PbxTables& tables, int pbx, int extension)
{
    const QString label = database.GetDerivedLabel(pbx, extension);
    if (!label.isEmpty())
        return label;
    return QStringLiteral("INT. ") + tables.DefaultExtensionNumber(pbx, extension);
}

QString FormatLineName(CSqlDatabase& database, int pbx, int line)
{
    const QString label = database.GetLineLabel(pbx, line);
    if (!label.isEmpty())
        return label;
    return QStringLiteral("EXT. %1").arg(line + 1);
}
