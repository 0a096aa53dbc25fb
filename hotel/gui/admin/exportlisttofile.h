#pragma once

#include <QString>

#include <vector>

class CSortListCtrl;
class QWidget;

namespace lodgix {

// Saves a list as a tab-separated ".txt" or a ".csv" file chosen in the save dialog: numeric columns (by
// the list's sort type) with the locale's decimal sign, the columns flagged in `textColumns` as text that
// spreadsheets keep whole (phone numbers, leading zeros). Tells the user when the file cannot be written.
// Returns false when nothing was written (cancelled or failed).
bool ExportListToFile(QWidget* parent, const CSortListCtrl& list, const std::vector<bool>& textColumns = {});
// The writing step of the export, to a path already chosen (".csv" or not tells the format); tells the user
// when the file cannot be written.
bool SaveListFile(QWidget* parent, const CSortListCtrl& list, const std::vector<bool>& textColumns, const QString& path);

}  // namespace lodgix
