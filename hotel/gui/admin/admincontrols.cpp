#include "admincontrols.h"

#include "adminstrings.h"
#include "lodgixdialog.h"
#include "numericedit.h"
#include "sortlistctrl.h"
#include "stringtable.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidgetItem>

#include <algorithm>
#include <cmath>

namespace lodgix {

namespace {

constexpr int kListMargin = 2;  // pixels kept free on each side of a list when its columns share the width
constexpr int kEditPadding = 16;  // an edit's frame and margins around its text

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

QHBoxLayout* OkCancelRow(QDialog* dialog, int okId, int cancelId, std::function<void()> onOk)
{
    QPushButton* ok = AddButton(dialog, okId, LoadResString(kOkButtonString));
    QPushButton* cancel = AddButton(dialog, cancelId, LoadResString(kCancelString));
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

CNumericEdit* AddNumber(QWidget* parent, int id, double minimum, double maximum, double value, bool integer)
{
    auto edit = new CNumericEdit(parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    if (integer)
        edit->SetFormat(CNumericEdit::kInteger, 0, 0);
    edit->SetRangeAndValue(minimum, maximum, value);
    // Room for the widest value of the range, so that no amount is shown cut.
    const QString widest = CNumericEdit::FormatValue(std::max(std::abs(minimum), std::abs(maximum)) * (minimum < 0 ? -1 : 1),
                                                     edit->GetFormatMode(), edit->GetDecimals(), edit->GetDigits());
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(widest) + kEditPadding);
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

void ShowWholeTextsAsTips(CSortListCtrl& list)
{
    for (int column = 0; column < list.columnCount(); ++column)
        list.headerItem()->setToolTip(column, list.headerItem()->text(column));
    for (int row = 0; row < list.ItemCount(); ++row) {
        QTreeWidgetItem* item = list.topLevelItem(row);
        for (int column = 0; column < list.columnCount(); ++column)
            item->setToolTip(column, item->text(column));
    }
}

}  // namespace lodgix
