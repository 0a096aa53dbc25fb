#pragma once

#include "listexport.h"

#include <QAbstractItemModel>
#include <QLocale>
#include <QString>

#include <vector>

namespace lodgix {

// The file the export of a list writes: a name without an extension gets ".txt" (the tab filter) or ".csv".
QString ListFileName(const QString& chosen, bool csvFilter);

// Writes the list to the file, whole: the headings, then one line per row. A ".csv" file is separated by the
// locale's list separator, its cells written by their column's kind; any other file by tabs. False when the
// file cannot be written.
bool WriteListFile(const QAbstractItemModel& list, const std::vector<ListColumnKind>& kinds, const QString& path,
                   const QLocale& locale = QLocale());

}  // namespace lodgix
