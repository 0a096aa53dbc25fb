#include "exportlisttofile.h"

#include "adminstrings.h"
#include "filedialogfilter.h"
#include "listfileexport.h"
#include "lodgixmessagebox.h"
#include "sortlistctrl.h"
#include "stringtable.h"

#include <QLabel>
#include <QFileDialog>

namespace lodgix {

bool ExportListToFile(QWidget* parent, const CSortListCtrl& list, const std::vector<bool>& textColumns)
{
    QFileDialog dialog(parent, LoadResString(kExportTitleString));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = FileDialogFilter(LoadResString(kExportFilterString)).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const bool csv = filters.indexOf(dialog.selectedNameFilter()) == 1;
    return SaveListFile(parent, list, textColumns, ListFileName(dialog.selectedFiles().constFirst(), csv));
}

bool SaveListFile(QWidget* parent, const CSortListCtrl& list, const std::vector<bool>& textColumns, const QString& path)
{
    std::vector<ListColumnKind> kinds(static_cast<std::size_t>(list.columnCount()), ListColumnKind::kPlain);
    for (std::size_t column = 0; column < kinds.size(); ++column) {
        if (list.ColumnSortType(static_cast<int>(column)) == CSortListCtrl::kNumber)
            kinds[column] = ListColumnKind::kNumeric;
        else if (column < textColumns.size() && textColumns[column])
            kinds[column] = ListColumnKind::kText;
    }
    if (!WriteListFile(*list.model(), kinds, path)) {
        LodgixMessageBox(parent, kFileSaveFailedString, QMessageBox::Critical);
        return false;
    }
    return true;
}

}  // namespace lodgix
