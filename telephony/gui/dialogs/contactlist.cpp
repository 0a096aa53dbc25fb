#include "contactlist.h"

#include "sortlistctrl.h"
#include "stringtable.h"

#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>

namespace {

// Headings in column order: Nome ... Fax ufficio, Utente, Condiviso, Modificabile.
constexpr unsigned kHeadings[ContactList::kColumns] = {10069, 10070, 10071, 10072, 10073, 10074, 10075,
                                                       1227,  10076, 10077, 10082, 10083, 10080, 10081,
                                                       10078, 10079, 10107, 10105, 10106};
constexpr int kSearchFields = 8;  // the columns a search may take; the ninth item searches the numbers
constexpr unsigned kSearchBy = 10100;
constexpr unsigned kNumbersItem = 10108;
constexpr unsigned kBooks[] = {10101, 10102, 10103};
constexpr int kColumnMargin = 4;
constexpr int kColumnShare = 10;
constexpr unsigned kCannotChange = 10089;
constexpr unsigned kNumberBelongsTo = 10090;
constexpr unsigned kMadeReadOnlyBy = 10091;
constexpr unsigned kQueryError = 15044;
const QString kClosingQuote = QStringLiteral("\"");

}  // namespace

namespace ContactList {

void AddColumns(CSortListCtrl& list, int count)
{
    for (int column = 0; column < count; ++column)
        list.InsertColumn(column, LoadResString(kHeadings[column]), CSortListCtrl::kText);
}

void FitColumns(CSortListCtrl& list)
{
    const int width = list.viewport()->width() / kColumnShare - kColumnMargin;
    for (int column = 0; column < list.columnCount(); ++column)
        list.setColumnWidth(column, width);
}

QStringList RowTexts(const CSortListCtrl& list, int row, int count)
{
    QStringList texts;
    for (int column = 0; column < count; ++column)
        texts << list.ItemText(row, column);
    return texts;
}

QList<int> SelectedRows(const CSortListCtrl& list)
{
    QList<int> rows;
    for (int row = 0; row < list.ItemCount(); ++row)
        if (list.topLevelItem(row)->isSelected())
            rows << row;
    return rows;
}

void FillSearchCombos(QComboBox& field, QComboBox& book, int selectedBook)
{
    const QString searchBy = LoadResString(kSearchBy);
    for (int column = 0; column < kSearchFields; ++column)
        field.addItem(searchBy + LoadResString(kHeadings[column]));
    field.addItem(searchBy + LoadResString(kNumbersItem));
    field.setCurrentIndex(0);
    for (unsigned text : kBooks)
        book.addItem(LoadResString(text));
    book.setCurrentIndex(selectedBook);
}

void ShowRefusal(QWidget* parent, int result, const QString& name, const QString& other)
{
    QString text;
    if (result == kNumberTaken)
        text = LoadResString(kCannotChange) + name + LoadResString(kNumberBelongsTo) + other + kClosingQuote;
    else if (result == kContactClosed || result == kContactKept)
        text = LoadResString(kCannotChange) + name + LoadResString(kMadeReadOnlyBy) + other + kClosingQuote;
    else
        text = LoadResString(kQueryError);
    QMessageBox::critical(parent, LoadResString(kProgramNameString), text);
}

}  // namespace ContactList
