#include "pbxlistediting.h"

#include "configurationbox.h"
#include "engineerrorcode.h"
#include "pbxentrydlg.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QTreeWidget>

namespace {

constexpr unsigned kIdentifierString = 10026;
constexpr unsigned kResourceString = 10027;
constexpr unsigned kDuplicateIdentifierString = 10032;
constexpr unsigned kDuplicateResourceString = 10033;
constexpr unsigned kDeleteQuestionString = 10044;
constexpr unsigned kNewPbxTitleString = 10028;
constexpr unsigned kPbxNotSavedString = 10903;
// The identifier takes three quarters of the list's width, the resource the rest.
constexpr int kIdentifierShare = 3;
constexpr int kShares = 4;

// Refuses, with its error box, an entry whose identifier or port another PBX than `row` has.
bool IsFreeEntry(QWidget* parent, const CSqlDatabase& database, int row, const QString& identifier, int port)
{
    for (int pbx = 0; pbx < database.PbxCount(); ++pbx) {
        if (pbx == row)
            continue;
        if (database.PbxIdentifier(pbx).compare(identifier, Qt::CaseInsensitive) == 0) {
            ShowConfigurationError(parent, kDuplicateIdentifierString);
            return false;
        }
        if (database.PbxComNumber(pbx) == port) {
            ShowConfigurationError(parent, kDuplicateResourceString);
            return false;
        }
    }
    return true;
}

}  // namespace

void SetUpPbxList(QTreeWidget* list, int width)
{
    list->setRootIsDecorated(false);
    list->setMinimumWidth(width);
    list->setHeaderLabels({LoadResString(kIdentifierString), LoadResString(kResourceString)});
    list->setColumnWidth(0, width * kIdentifierShare / kShares);
    list->header()->setStretchLastSection(true);
}

QString PbxResourceText(int comNumber)
{
    return comNumber > 0 ? kSerialResourcePrefix + QString::number(comNumber) : kLanResource;
}

void FillPbxList(QTreeWidget* list, const CSqlDatabase& database)
{
    list->clear();
    for (int pbx = 0; pbx < database.PbxCount(); ++pbx)
        new QTreeWidgetItem(list, {database.PbxIdentifier(pbx), PbxResourceText(database.PbxComNumber(pbx))});
}

bool EditPbxEntry(QWidget* parent, CSqlDatabase& database, int row)
{
    const bool isNew = row < 0 || row >= database.PbxCount();
    QString identifier = isNew ? QString() : database.PbxIdentifier(row);
    QString resource = isNew ? QString() : PbxResourceText(database.PbxComNumber(row));
    for (;;) {
        CPbxEntryDlg entry(identifier, resource, parent);
        if (isNew)
            entry.setWindowTitle(LoadResString(kNewPbxTitleString));
        if (entry.exec() != QDialog::Accepted)
            return false;
        const int port = ResourcePortNumber(entry.Resource());
        if (!IsFreeEntry(parent, database, isNew ? -1 : row, entry.Identifier(), port))
            return false;
        const int result = isNew ? database.InsertEngineConfiguration(database.PbxCount(), entry.Identifier(), port)
                                 : database.UpdateEngineConfiguration(database.PbxComId(row), entry.Identifier(), port);
        const QString problem = database.LastError();
        database.LoadEngineConfiguration();
        if (result == kNoError)
            return true;
        // The write failed: the user sees why, and gets the entry back as typed to try again or cancel.
        ShowEngineErrorBox(parent, kPbxNotSavedString, std::uint8_t(result), problem);
        identifier = entry.Identifier();
        resource = entry.Resource();
    }
}

bool DeletePbxEntry(QWidget* parent, CSqlDatabase& database, int row)
{
    if (row < 0 || row >= database.PbxCount())
        return false;
    QMessageBox question(QMessageBox::Question, LoadResString(kWarningCaptionString),
                         LoadResString(kDeleteQuestionString) + database.PbxIdentifier(row),
                         QMessageBox::Yes | QMessageBox::No, parent);
    if (question.exec() != QMessageBox::Yes)
        return false;
    const int result = database.DeleteEngineConfiguration(database.PbxComId(row));
    const QString problem = database.LastError();
    database.LoadEngineConfiguration();
    if (result != kNoError)
        ShowEngineErrorBox(parent, kPbxNotSavedString, std::uint8_t(result), problem);
    return result == kNoError;
}
