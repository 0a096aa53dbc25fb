#pragma once

#include <QString>
#include <QStringList>

class CSortListCtrl;
class QComboBox;
class QWidget;

// What the contact dialogs share: the contact list's columns (the 16 texts of a contact, Name to
// OfficeFaxNumber, then the owner and the shared and editable marks), the search combos and the texts
// of the address book's refusals.
namespace ContactList {

constexpr int kTexts = 16;
constexpr int kColumns = 19;
constexpr int kOwnerColumn = 16;
constexpr int kSharedColumn = 17;
constexpr int kEditableColumn = 18;
constexpr int kFirstNumberColumn = 8;
constexpr int kNumbers = 8;
const QString kMark = QStringLiteral("X");

// The address book's results that the dialogs tell apart.
constexpr int kContactKept = 54;   // a contact of that name exists (or a shared one is closed to deletion)
constexpr int kNumberTaken = 56;   // another contact holds one of the numbers
constexpr int kContactClosed = 57;  // another workstation's contact, closed to changes

constexpr unsigned kProgramNameString = 1004;

// Inserts the first `count` columns with their headings.
void AddColumns(CSortListCtrl& list, int count);
// Each column one tenth of the list's width less 4 pixels.
void FitColumns(CSortListCtrl& list);
// A row's first `count` texts.
QStringList RowTexts(const CSortListCtrl& list, int row, int count = kTexts);
// The rows selected, in list order.
QList<int> SelectedRows(const CSortListCtrl& list);

// The search controls: the nine "Ricerca per " items and the three books, with the book given selected.
void FillSearchCombos(QComboBox& field, QComboBox& book, int selectedBook);

// The box of a refused save or deletion of the contact: 56 names the contact holding a number, 57 and
// 54 the owner; any other failure is the query error. Shown with the stop icon.
void ShowRefusal(QWidget* parent, int result, const QString& name, const QString& other);

}  // namespace ContactList
