#pragma once

#include "money.h"
#include "oledate.h"
#include "vatrate.h"

#include <QString>

class CNumericEdit;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QWidget;

namespace lodgix {

class CHotelDatabase;

// Controls of the front desk's dialogs, each named by its control id.
QLabel* DeskLabel(QWidget* parent, int id, const QString& text);
QPushButton* DeskButton(QWidget* parent, int id, const QString& text);
QDateEdit* DeskDateEdit(QWidget* parent, int id);
// An integer edit (decimals 0) or an amount edit (two decimals) over the range.
CNumericEdit* DeskNumber(QWidget* parent, int id, int decimals, double minimum, double maximum);

// The five treatments, "Solo pernottamento" .. "Altro", the first selected.
void FillTreatmentCombo(QComboBox* combo);
// "Nessun gruppo" (item data 0), then each group of the hotel with that booking-group value that loads, as
// its name and creation date, the id as item data.
void FillGroupCombo(QComboBox* combo, CHotelDatabase& database, int hotelId, int bookingGroup);
// Selects the entry whose item data is the id; false (selection unchanged) when none has it.
bool SelectItemData(QComboBox* combo, int id);

// Amounts and rates as the amount edits hold them (a double with two decimals) and back, to the cent.
double EditValue(Money amount);
double EditValue(VatRate rate);
Money MoneyOfEdit(double value);
VatRate VatOfEdit(double value);

OleDate ToOleDate(const QDate& date);
QDate ToQDate(const OleDate& date);

}  // namespace lodgix
