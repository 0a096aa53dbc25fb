#include "startupprogress.h"

#include "stringtable.h"

QString PbxProgressText(unsigned stringId, const QString& pbxName)
{
    return LoadResString(stringId) + pbxName + QStringLiteral("...");
}
