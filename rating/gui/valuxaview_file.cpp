// The view's file and settings commands: account view, save as, print settings, export and import of
// the configuration, and the enabling of their menu items.
#include "valuxaview.h"

#include "filedialogfilter.h"
#include "listexport.h"
#include "printsettingsdlg.h"
#include "ratingconfigurationfile.h"
#include "ratinglist.h"
#include "stringtable.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kFilterProgramString = 1002;
constexpr unsigned kSaveFilterString = 1198;
constexpr unsigned kSaveFailedString = 1200;
constexpr unsigned kImportFailedString = 1217;
constexpr unsigned kImportDoneString = 1218;
const QString kTextExtension = QStringLiteral(".txt");
const QString kCsvExtension = QStringLiteral(".csv");
const QString kExportExtension = QStringLiteral(".epc");

QString ExportFilter()
{
    return LoadResString(kFilterProgramString) + QStringLiteral(" (*") + kExportExtension + QStringLiteral(")|*") +
           kExportExtension + QStringLiteral("||");
}

}  // namespace

QString ReplaceExtension(const QString& chosen, const QString& extension)
{
    // Whatever extension was typed goes (with its point); so does one final point.
    QString path = chosen;
    const qsizetype point = path.lastIndexOf(u'.');
    if (point >= 0 && point > path.lastIndexOf(u'/'))
        path.truncate(point);
    return path + extension;
}

std::optional<bool> CValuxaView::IsCommandEnabled(int command) const
{
    const bool callLists = IsCallListMode() || m_mode == kStatisticsMode;
    const bool editors = m_mode == kRulesMode || m_mode == kPrefixesMode || m_mode == kTariffsMode;
    switch (command) {
    case kFileNewCommand:
        return editors && m_buttons[2]->isEnabled();
    case kFileOpenCommand:
        return m_mode == kAccountMode;
    case kFileSaveAsCommand:
        return (m_mode == kHistoryMode || m_mode == kStatisticsMode || m_mode == kLineHistoryMode) &&
               m_buttons[3]->isEnabled();
    case kFilePrintCommand:
    case kFilePrintPreviewCommand:
        return editors || (callLists && m_buttons[3]->isEnabled());
    case kViewAccountCommand:
        return true;
    case kPrintSettingsCommand:
    case kImportCommand:
    case kExportCommand:
        return !IsProtected();
    default:
        return std::nullopt;
    }
}

void CValuxaView::OnFileNew()
{
    if (m_mode == kRulesMode)
        OnAddCloneOrDeleteItem();
    else if (m_mode == kPrefixesMode || m_mode == kTariffsMode)
        OnCompute();
}

void CValuxaView::OnViewAccount()
{
    SetViewMode(kAccountMode, m_accountExtension, m_accountPbx);
}

bool CValuxaView::ChooseFileName(const QString& filter, bool save, QString& path, int& filterIndex)
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(FileDialogFilter(filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().constFirst();
    filterIndex = std::max<int>(0, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
    return true;
}

void CValuxaView::OnFileSaveAs()
{
    QString chosen;
    int filterIndex = 0;
    if (!ChooseFileName(LoadResString(kSaveFilterString), true, chosen, filterIndex))
        return;
    const bool csv = filterIndex != 0;
    const QString path = ReplaceExtension(chosen, csv ? kCsvExtension : kTextExtension);
    if (!ExportListToTextFile(*m_list->Model(), m_title->text(), path, csv))
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kSaveFailedString));
}

void CValuxaView::OnPrintSettings()
{
    CPrintSettingsDlg dialog(m_configuration.printSettings, PrintSettingsForm::Rating(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_configuration.printSettings = dialog.Record();
    SaveRatingConfiguration(RatingConfigurationPath(), kRatingFileTag, m_configuration);  // a failure changes nothing shown
}

void CValuxaView::OnExportConfiguration()
{
    QString chosen;
    int filterIndex = 0;
    if (!ChooseFileName(ExportFilter(), true, chosen, filterIndex))
        return;
    const QString path = ReplaceExtension(chosen, kExportExtension);
    if (SaveRatingConfiguration(path, kExportFileTag, m_configuration) != RatingFileResult::Ok)
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kSaveFailedString));
}

void CValuxaView::OnImportConfiguration()
{
    QString chosen;
    int filterIndex = 0;
    if (!ChooseFileName(ExportFilter(), false, chosen, filterIndex))
        return;
    const QString path = ReplaceExtension(chosen, kExportExtension);
    // Read into a copy: a refused file leaves the configuration in memory, and so the file written at
    // exit, as it was.
    RatingConfiguration imported;
    if (LoadRatingConfiguration(path, kExportFileOlderTag, kExportFileTag, imported) != RatingFileResult::Ok) {
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kImportFailedString));
        return;
    }
    m_configuration = imported;
    QMessageBox::information(this, LoadResString(kProgramNameString), LoadResString(kImportDoneString));
    PostToFrame(kAppExitCommand);
}
