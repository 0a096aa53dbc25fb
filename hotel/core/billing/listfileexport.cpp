#include "listfileexport.h"

#include <QFileInfo>

namespace lodgix {

namespace {

bool IsCsvFile(const QString& path) { return QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0; }

}  // namespace

QString ListFileName(const QString& chosen, bool csvFilter)
{
    if (!QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + (csvFilter ? QStringLiteral(".csv") : QStringLiteral(".txt"));
}

bool WriteListFile(const QAbstractItemModel& list, const std::vector<ListColumnKind>& kinds, const QString& path,
                   const QLocale& locale)
{
    ListExportFormat format = ListExportFormatFor(IsCsvFile(path), locale);
    format.kinds = kinds;
    return WriteListExportFile(ListExportText(list, format), path);
}

}  // namespace lodgix
