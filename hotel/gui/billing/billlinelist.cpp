#include "billlinelist.h"

#include "hoteltablesetup.h"
#include "sortlistctrl.h"
#include "stringtable.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>

namespace lodgix {

namespace {

constexpr unsigned kDescriptionText = 2147;
constexpr unsigned kUnitPriceText = 2148;
constexpr unsigned kQuantityText = 2149;
constexpr unsigned kNetAmountText = 2150;
constexpr unsigned kTaxText = 2151;
constexpr unsigned kTotalPriceText = 2152;
constexpr unsigned kTotalText = 2153;
constexpr unsigned kVatText = 2034;
constexpr int kClientMargin = 4;  // the list's client width less these pixels holds the columns
constexpr int kDescriptionChars = 24;  // the description column's least width, in average characters
const QString kWidestAmount = QStringLiteral("00000.00");

constexpr unsigned kReceiptColumns[] = {kDescriptionText, kUnitPriceText, kQuantityText, kTotalPriceText};
constexpr unsigned kInvoiceColumns[] = {kDescriptionText, kUnitPriceText, kVatText,     kQuantityText,
                                        kNetAmountText,   kTaxText,       kTotalPriceText};

// The width a heading needs in the list's header.
int HeadingWidth(const QHeaderView& header, const QString& text)
{
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.text = text;
    option.textAlignment = header.defaultAlignment();
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width();
}

}  // namespace

void SetBillListColumns(CSortListCtrl& list, BillListKind kind)
{
    const bool invoice = kind == BillListKind::kInvoice;
    const auto columns = invoice ? std::vector<unsigned>(std::begin(kInvoiceColumns), std::end(kInvoiceColumns))
                                 : std::vector<unsigned>(std::begin(kReceiptColumns), std::end(kReceiptColumns));
    // Numbers take what their heading or an amount needs; the description takes the rest of the width.
    const int amount = HeadingWidth(*list.header(), kWidestAmount);
    int client = 0;
    for (const unsigned text : columns) {
        const QString heading = LoadResString(text);
        const bool description = text == kDescriptionText;
        const int width = description ? std::max(HeadingWidth(*list.header(), heading),
                                                 list.fontMetrics().averageCharWidth() * kDescriptionChars)
                                      : std::max(HeadingWidth(*list.header(), heading), amount);
        list.InsertColumn(list.columnCount(), heading, CSortListCtrl::kText,
                          description ? Qt::AlignLeft : Qt::AlignHCenter, width);
        client += width;
    }
    list.header()->setMinimumSectionSize(0);
    list.header()->setSectionResizeMode(0, QHeaderView::Stretch);
    // Clicking a heading sorts nothing here: the handlers take a row's position as its line's index.
    list.header()->setSectionsClickable(false);
    list.setMinimumWidth(client + kClientMargin + 2 * list.frameWidth() +
                         list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list));
}

void CutInternetAccessNames(std::vector<BillLine>& lines)
{
    const QString name = QString::fromLatin1(kInternetAccessService);
    for (BillLine& line : lines)
        if (line.description.startsWith(name))
            line.description = name;
}

Money FillBillList(CSortListCtrl& list, std::vector<BillLine>& lines, BillListKind kind)
{
    CutInternetAccessNames(lines);
    const bool invoice = kind == BillListKind::kInvoice;
    list.DeleteAllItems();
    Money net;
    Money tax;
    Money gross;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const BillLine& line = lines[index];
        const int row = list.InsertItem(list.ItemCount(), line.description, static_cast<qint64>(index));
        // A long description is elided in its column; its tool tip keeps it whole.
        list.topLevelItem(row)->setToolTip(0, line.description);
        const QStringList cells =
            invoice ? QStringList{line.netUnitPrice.Text(), line.vat.Text(), QString::number(line.quantity),
                                  line.netAmount.Text(), line.taxAmount.Text(), line.grossAmount.Text()}
                    : QStringList{line.unitPrice.Text(), QString::number(line.quantity), line.grossAmount.Text()};
        for (int column = 0; column < cells.size(); ++column)
            list.SetItemText(row, column + 1, cells[column]);
        net = net + line.netAmount;
        tax = tax + line.taxAmount;
        gross = gross + line.grossAmount;
    }
    list.InsertItem(list.ItemCount(), QString(), -1);
    const int totals = list.InsertItem(list.ItemCount(), QString(), -1);
    if (invoice) {
        list.SetItemText(totals, 3, LoadResString(kTotalText) + u':');
        list.SetItemText(totals, 4, net.Text());
        list.SetItemText(totals, 5, tax.Text());
        list.SetItemText(totals, 6, gross.Text());
    } else {
        list.SetItemText(totals, 2, LoadResString(kTotalText));
        list.SetItemText(totals, 3, gross.Text());
    }
    list.setCurrentItem(nullptr);  // no row looks chosen before the user picks one
    return gross;
}

}  // namespace lodgix
