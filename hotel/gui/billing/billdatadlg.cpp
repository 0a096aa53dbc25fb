#include "billdatadlg.h"

#include "admincontrols.h"
#include "deskform.h"
#include "gridlines.h"
#include "lodgixmessagebox.h"
#include "serviceeditdlg.h"
#include "sortlistctrl.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lodgix {
namespace {

constexpr unsigned kNewServiceString = 2027;    // "Nuovo servizio"
constexpr unsigned kVatString = 2034;           // "IVA (%)"
constexpr unsigned kMissingDataString = 2037;   // "Mancano alcuni dati obbligatori"
constexpr unsigned kCancelString = 2047;        // "Annulla"
constexpr unsigned kDeleteString = 2059;        // "Elimina"
constexpr unsigned kModifyString = 2079;        // "Modifica"
constexpr unsigned kDeleteQuestionString = 2124;  // "Confermi l'eliminazione del servizio"
constexpr unsigned kReceiptString = 2128;       // "Ricevuta fiscale"
constexpr unsigned kInvoiceString = 2129;       // "Fattura"
constexpr unsigned kConfirmString = 2140;       // "Conferma"
constexpr unsigned kDescriptionString = 2147;   // "Descrizione"
constexpr unsigned kUnitPriceString = 2148;     // "Prezzo unitario"
constexpr unsigned kQuantityString = 2149;      // "Quantità"
constexpr unsigned kNetString = 2150;           // "Imponibile"
constexpr unsigned kTaxString = 2151;           // "Imposta"
constexpr unsigned kTotalPriceString = 2152;    // "Prezzo totale"
constexpr unsigned kTotalString = 2153;         // "TOTALE"
constexpr int kFieldRows = 5;

}  // namespace

const std::vector<CBillDataDlg::Field>& CBillDataDlg::Fields()
{
    static const std::vector<Field> fields = {
        {kGuestName, 1434, 2062, false, true, &DocumentRecord::guestName},
        {kPayment, 1449, 2131, false, true, &DocumentRecord::paymentType},
        {kCompanyName, 1435, 2082, true, true, &DocumentRecord::companyName},
        {kAddress, 1437, 2006, true, true, &DocumentRecord::companyAddress},
        {kCity, 1439, 2007, true, true, &DocumentRecord::companyCity},
        {kProvince, 1443, 2008, true, true, &DocumentRecord::companyProvince},
        {kPostCode, 1441, 2009, true, false, &DocumentRecord::companyPostCode},
        {kCountry, 1445, 2010, true, true, &DocumentRecord::companyCountry},
        {kVatNumber, 1447, 2015, true, true, &DocumentRecord::companyVatNumber},
        {kTaxCode, 1451, 2072, true, true, &DocumentRecord::companyTaxCode},
    };
    return fields;
}

CBillDataDlg::CBillDataDlg(DocumentRecord& record, CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_record(record), m_database(database), m_list(new CSortListCtrl(this)),
      m_newLine(DeskButton(this, kNewLine, LoadResString(kNewServiceString))),
      m_editLineButton(DeskButton(this, kEditLine, LoadResString(kModifyString))),
      m_deleteLine(DeskButton(this, kDeleteLine, LoadResString(kDeleteString)))
{
    setObjectName(QStringLiteral("CBillDataDlg"));
    setWindowTitle(QStringLiteral("%1 %2 %3").arg(LoadResString(kModifyString),
                                                  LoadResString(IsInvoice() ? kInvoiceString : kReceiptString),
                                                  record.number));
    auto fields = new QGridLayout;
    int at = 0;
    for (const Field& field : Fields()) {
        auto edit = new QLineEdit(this);
        edit->setObjectName(Id(field.edit));
        edit->setMaxLength(kTextLength);
        // A receipt names its guest only: the company's texts are neither shown nor kept.
        const bool used = !field.companyField || IsInvoice();
        if (used)
            edit->setText(record.*field.member);
        edit->setEnabled(used);
        // The payment method's mark has its blank, the others none, as the printed forms show them.
        const QString mark = field.edit == kPayment ? QStringLiteral(" *") : QStringLiteral("*");
        const QString text = LoadResString(field.text) + (field.required ? mark : QString());
        const int row = at % kFieldRows;
        const int column = at / kFieldRows * 2;
        fields->addWidget(DeskLabel(this, field.label, text), row, column);
        fields->addWidget(edit, row, column + 1);
        m_edits.emplace_back(edit, &field);
        ++at;
    }

    m_list->setObjectName(Id(kList));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    ShowGridLines(*m_list);
    m_list->setMinimumWidth(kListWidth);
    AddColumns();
    connect(m_list, &QTreeWidget::itemClicked, this, [this] { OnRowClicked(); });
    connect(m_newLine, &QPushButton::clicked, this, [this] { OnNewLine(); });
    connect(m_editLineButton, &QPushButton::clicked, this, [this] { OnEditLine(); });
    connect(m_deleteLine, &QPushButton::clicked, this, [this] { OnDeleteLine(); });
    QPushButton* confirm = DeskButton(this, kConfirm, LoadResString(kConfirmString));
    QPushButton* cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(confirm, &QPushButton::clicked, this, [this] { OnConfirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto lineButtons = new QHBoxLayout;
    lineButtons->addWidget(m_newLine);
    lineButtons->addWidget(m_editLineButton);
    lineButtons->addWidget(m_deleteLine);
    lineButtons->addStretch();
    lineButtons->addWidget(confirm);
    lineButtons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list);
    layout->addLayout(lineButtons);
    FillLines();
}

void CBillDataDlg::AddColumns()
{
    // An invoice: the description a third of the width, six amounts a ninth each; a receipt: the
    // description half of it, three amounts a sixth each.
    std::vector<ListColumn> columns{{LoadResString(kDescriptionString), 3, CSortListCtrl::kText}};
    const std::vector<unsigned> amounts = IsInvoice()
                                              ? std::vector<unsigned>{kUnitPriceString, kVatString, kQuantityString,
                                                                      kNetString, kTaxString, kTotalPriceString}
                                              : std::vector<unsigned>{kUnitPriceString, kQuantityString, kTotalPriceString};
    for (unsigned heading : amounts)
        columns.push_back({LoadResString(heading), 1, CSortListCtrl::kNumber, Qt::AlignRight});
    SetListColumns(*m_list, columns, 3 + static_cast<int>(amounts.size()), kListWidth);
}

void CBillDataDlg::FillLines()
{
    m_list->DeleteAllItems();
    Money net;
    Money tax;
    Money gross;
    for (std::size_t index = 0; index < m_record.lines.size(); ++index) {
        const BillLine& line = m_record.lines[index];
        const int row = m_list->InsertItem(m_list->ItemCount(), line.description, static_cast<qint64>(index));
        const QString quantity = QString::number(line.quantity);
        const QStringList cells = IsInvoice()
                                      ? QStringList{line.netUnitPrice.Text(), line.vat.Text(), quantity,
                                                    line.netAmount.Text(), line.taxAmount.Text(), line.grossAmount.Text()}
                                      : QStringList{line.unitPrice.Text(), quantity, line.grossAmount.Text()};
        for (int column = 0; column < cells.size(); ++column)
            m_list->SetItemText(row, column + 1, cells[column]);
        net = net + line.netAmount;
        tax = tax + line.taxAmount;
        gross = gross + line.grossAmount;
    }
    m_list->InsertItem(m_list->ItemCount(), QString(), kNoLine);
    const int totals = m_list->InsertItem(m_list->ItemCount(), QString(), kNoLine);
    if (IsInvoice()) {
        m_list->SetItemText(totals, 3, LoadResString(kTotalString) + QLatin1Char(':'));
        m_list->SetItemText(totals, 4, net.Text());
        m_list->SetItemText(totals, 5, tax.Text());
        m_list->SetItemText(totals, 6, gross.Text());
    } else {
        m_list->SetItemText(totals, 2, LoadResString(kTotalString));
        m_list->SetItemText(totals, 3, gross.Text());
    }
    ShowWholeTextsAsTips(*m_list);  // a description of 63 characters outgrows its column
    m_editLineButton->setEnabled(false);
    m_deleteLine->setEnabled(false);
    m_newLine->setEnabled(m_record.lines.size() < static_cast<std::size_t>(DocumentRecord::kMaxLines));
}

int CBillDataDlg::SelectedLine() const
{
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return -1;
    const qint64 line = m_list->ItemData(m_list->indexOfTopLevelItem(item));
    return line >= 0 && line < static_cast<qint64>(m_record.lines.size()) ? static_cast<int>(line) : -1;
}

bool CBillDataDlg::EditLine(BillLine& line)
{
    CServiceEditDlg dialog(CServiceEditDlg::kPlain, 0, m_database, this);
    if (!line.description.isEmpty()) {
        dialog.SetDescription(line.description);
        dialog.SetPrice(line.unitPrice);
        dialog.SetVat(line.vat);
        dialog.SetQuantity(line.quantity);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    line.description = dialog.Description();
    line.quantity = static_cast<quint16>(dialog.Quantity());
    line.unitPrice = dialog.Price();
    line.vat = dialog.Vat();
    return true;
}

void CBillDataDlg::OnRowClicked()
{
    const bool onLine = SelectedLine() >= 0;
    m_editLineButton->setEnabled(onLine);
    m_deleteLine->setEnabled(onLine);
}

void CBillDataDlg::OnNewLine()
{
    BillLine line;
    if (!EditLine(line))
        return;
    AddBillLine(BillLine::Make(line.description, line.quantity, line.unitPrice, line.vat), m_record.lines);
    FillLines();
}

void CBillDataDlg::OnEditLine()
{
    const int index = SelectedLine();
    if (index < 0)
        return;
    BillLine line = m_record.lines[static_cast<std::size_t>(index)];
    if (!EditLine(line))
        return;
    UpdateBillLine(line, m_record.lines, index);
    FillLines();
}

void CBillDataDlg::OnDeleteLine()
{
    const int index = SelectedLine();
    if (index < 0 || LodgixMessageBox(this, kDeleteQuestionString, QMessageBox::Question,
                                      QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    RemoveBillLine(m_record.lines, index);
    FillLines();
}

void CBillDataDlg::OnConfirm()
{
    const bool complete = std::all_of(m_edits.begin(), m_edits.end(), [this](const auto& entry) {
        const Field& field = *entry.second;
        const bool required = field.required && (!field.companyField || IsInvoice());
        return !required || !entry.first->text().isEmpty();
    });
    if (!complete || (IsInvoice() && m_record.lines.empty())) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    for (const auto& [edit, field] : m_edits) {
        if (!field->companyField || IsInvoice())
            m_record.*field->member = edit->text();
    }
    accept();
}

}  // namespace lodgix
