#pragma once

#include "money.h"
#include "vatrate.h"

#include <QString>
#include <Qt>

#include <functional>
#include <vector>

class CNumericEdit;
class CSortListCtrl;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lodgix {

// The small pieces the administration dialogs build their controls from: each control carries its id as
// its object name, so that tests find it.
QLabel* AddLabel(QWidget* parent, int id, const QString& text);
QPushButton* AddButton(QWidget* parent, int id, const QString& text);
QLineEdit* AddEdit(QWidget* parent, int id, int maxLength);
// The row of a dialog's OK and Cancel buttons, on the right: OK runs `onOk`, Cancel rejects the dialog.
QHBoxLayout* OkCancelRow(QDialog* dialog, int okId, int cancelId, std::function<void()> onOk);
// A number edit with two decimals (prices, VAT) or an integer one.
CNumericEdit* AddNumber(QWidget* parent, int id, double minimum, double maximum, double value, bool integer = false);

// Amounts go through their "%0.2f" text both ways, so that an edit shows exactly what is stored.
double AmountValue(Money money);
Money MoneyOf(double value);
double RateValue(VatRate rate);
VatRate RateOf(double value);

// A column of a report list: heading, share of the width (in `parts` of the whole), sort type, alignment.
struct ListColumn {
    QString heading;
    int share = 1;
    int sortType = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};
// Adds the columns, sharing the list's width less 2 pixels on each side among them by their shares.
void SetListColumns(CSortListCtrl& list, const std::vector<ListColumn>& columns, int parts, int listWidth);
// Gives every heading and cell its whole text as tool tip: lists of many narrow columns cut their texts.
void ShowWholeTextsAsTips(CSortListCtrl& list);

}  // namespace lodgix
