#include "admincontrols.h"

#include "lodgixdialog.h"
#include "numericedit.h"
#include "sortlistctrl.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {

namespace {

constexpr int kListMargin = 2;  // pixels kept free on each side of a list when its columns share the width

}  // namespace

QLabel* AddLabel(QWidget* parent, int id, const QString& text)
{
    auto label = new QLabel(text, parent);
    label->setObjectName(CLodgixDialog::Id(id));
    return label;
}

QPushButton* AddButton(QWidget* parent, int id, const QString& text)
{
    auto button = new QPushButton(text, parent);
    button->setObjectName(CLodgixDialog::Id(id));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* AddEdit(QWidget* parent, int id, int maxLength)
{
    auto edit = new QLineEdit(parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    edit->setMaxLength(maxLength);
    return edit;
}

CNumericEdit* AddNumber(QWidget* parent, int id, double minimum, double maximum, double value, bool integer)
{
    auto edit = new CNumericEdit(parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    if (integer)
        edit->SetFormat(CNumericEdit::kInteger, 0, 0);
    edit->SetRangeAndValue(minimum, maximum, value);
    return edit;
}

double AmountValue(Money money)
{
    return money.Text().toDouble();
}

Money MoneyOf(double value)
{
    Money money;
    Money::FromText(QString::asprintf("%0.2f", value), money);
    return money;
}

double RateValue(VatRate rate)
{
    return rate.Text().toDouble();
}

VatRate RateOf(double value)
{
    VatRate rate;
    VatRate::FromText(QString::asprintf("%0.2f", value), rate);
    return rate;
}

void SetListColumns(CSortListCtrl& list, const std::vector<ListColumn>& columns, int parts, int listWidth)
{
    const int width = listWidth - 2 * kListMargin;
    for (const ListColumn& column : columns)
        list.InsertColumn(list.columnCount(), column.heading, column.sortType, column.alignment,
                          width * column.share / parts);
}

}  // namespace lodgix
