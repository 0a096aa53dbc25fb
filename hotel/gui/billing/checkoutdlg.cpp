#include "checkoutdlg.h"

#include "companydatadlg.h"
#include "companyrecord.h"
#include "deskform.h"
#include "documentfiles.h"
#include "engineerrorcode.h"
#include "guestrecord.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "rowlist.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <algorithm>

namespace lodgix {
namespace {

constexpr unsigned kMissingDataString = 2037;   // "Mancano alcuni dati obbligatori"
constexpr unsigned kConfirmString = 2039;       // "Confermi i dati inseriti?"
constexpr unsigned kNotStoredString = 2077;     // "Errore nell'inserimento del cliente..."
constexpr unsigned kModifyString = 2079;        // "Modifica"
constexpr unsigned kNewCompanyString = 2081;    // "Nuova azienda"
constexpr unsigned kReceiptString = 2128;       // "Ricevuta fiscale"
constexpr unsigned kInvoiceString = 2129;       // "Fattura"
constexpr unsigned kDocumentTypeString = 2130;  // "Tipo documento"
constexpr unsigned kPaymentString = 2131;       // "Metodo di pagamento"
constexpr unsigned kCompanyDataString = 2132;   // "Dati dell'azienda"
constexpr unsigned kCashString = 2133;          // "Contanti" .. "Altro": 2133-2136
constexpr unsigned kBadDatesString = 2137;      // "Errore nell'impostazione delle date ..."
constexpr unsigned kFromString = 2141;          // "Da"
constexpr unsigned kToString = 2142;            // "A"
constexpr unsigned kNightString = 2143;         // "Notte"
constexpr unsigned kNightsString = 2144;        // "Notti"
constexpr unsigned kInvalidSelectionString = 2145;
constexpr unsigned kGuestString = 2166;         // "Cliente"
constexpr unsigned kDisableCallsString = 2245;  // "Disabilita chiamate urbane"
constexpr unsigned kDuplicateTaxCodeString = 2264;
constexpr unsigned kDocumentString = 2315;      // "documento"
constexpr unsigned kCaptionString = 6016;       // "Check out"
constexpr unsigned kCancelString = 2047;        // "Annulla"
constexpr unsigned kOkString = 19001;           // "OK"
constexpr unsigned kNumberMarkString = 49130;   // "N."
constexpr int kPaymentMethods = 4;
constexpr int kMaxNights = 256;

}  // namespace

CCheckOutDlg::CCheckOutDlg(int document, int documentCount, const std::array<int, kGuests>& guestIds,
                           CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_database(database), m_document(document), m_documentCount(documentCount),
      m_year(OleDate::Now().Year()), m_endMoment(OleDate::Now()), m_start(DeskDateEdit(this, kStartDate)),
      m_end(DeskDateEdit(this, kEndDate)), m_type(new QComboBox(this)), m_number(DeskNumber(this, kNumber, 0, 1, kMaxDocumentNumber)),
      m_yearLabel(DeskLabel(this, kYear, QString())), m_company(new QComboBox(this)),
      m_newCompany(DeskButton(this, kNewCompany, LoadResString(kNewCompanyString))),
      m_editCompany(DeskButton(this, kEditCompany, LoadResString(kModifyString))), m_guest(new QComboBox(this)),
      m_payment(new QComboBox(this)), m_paymentText(new QLineEdit(this)),
      m_nights(DeskLabel(this, kNights, QString())), m_disableCallsBox(new QCheckBox(LoadResString(kDisableCallsString), this))
{
    setObjectName(QStringLiteral("CCheckOutDlg"));
    setWindowTitle(QStringLiteral("%1, %2 %3").arg(LoadResString(kCaptionString), LoadResString(kDocumentString)).arg(document));
    m_type->setObjectName(Id(kType));
    m_type->addItems({LoadResString(kReceiptString), LoadResString(kInvoiceString)});
    m_company->setObjectName(Id(kCompany));
    m_company->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_guest->setObjectName(Id(kGuest));
    m_guest->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_payment->setObjectName(Id(kPayment));
    for (unsigned method = 0; method < kPaymentMethods; ++method)
        m_payment->addItem(LoadResString(kCashString + method));
    m_paymentText->setObjectName(Id(kPaymentText));
    m_paymentText->setMaxLength(kPaymentLength);
    m_disableCallsBox->setObjectName(Id(kDisableCalls));
    m_start->setEnabled(false);
    m_end->setEnabled(document == 1);
    // Only the last document asks about the outside calls, and proposes to cut them.
    m_disableCallsBox->setVisible(IsLast());
    m_disableCallsBox->setChecked(IsLast());

    FillCompanies(0);
    FillGuests(guestIds);
    SetDates(m_endMoment, m_endMoment);
    OnTypeChosen();
    OnPaymentChosen();

    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { OnTypeChosen(); });
    connect(m_payment, &QComboBox::currentIndexChanged, this, [this] { OnPaymentChosen(); });
    connect(m_end, &QDateEdit::dateChanged, this, [this] { ShowNights(); });
    connect(m_newCompany, &QPushButton::clicked, this, [this] { OnNewCompany(); });
    connect(m_editCompany, &QPushButton::clicked, this, [this] { OnEditCompany(); });
    QPushButton* ok = DeskButton(this, kOk, LoadResString(kOkString));
    QPushButton* cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    int row = 0;
    grid->addWidget(DeskLabel(this, kStartLabel, LoadResString(kFromString)), row, 0);
    grid->addWidget(m_start, row, 1);
    grid->addWidget(DeskLabel(this, kEndLabel, LoadResString(kToString)), row, 2);
    grid->addWidget(m_end, row, 3);
    grid->addWidget(m_nights, row++, 4);
    grid->addWidget(DeskLabel(this, kTypeLabel, LoadResString(kDocumentTypeString)), row, 0);
    grid->addWidget(m_type, row, 1);
    grid->addWidget(new QLabel(LoadResString(kNumberMarkString), this), row, 2, Qt::AlignRight);
    grid->addWidget(m_number, row, 3);
    grid->addWidget(m_yearLabel, row++, 4);
    grid->addWidget(DeskLabel(this, kCompanyLabel, Required(LoadResString(kCompanyDataString))), row, 0);
    grid->addWidget(m_company, row, 1, 1, 2);
    grid->addWidget(m_newCompany, row, 3);
    grid->addWidget(m_editCompany, row++, 4);
    grid->addWidget(DeskLabel(this, kGuestLabel, Required(LoadResString(kGuestString))), row, 0);
    grid->addWidget(m_guest, row++, 1, 1, 4);
    grid->addWidget(DeskLabel(this, kPaymentLabel, Required(LoadResString(kPaymentString))), row, 0);
    grid->addWidget(m_payment, row, 1);
    grid->addWidget(m_paymentText, row++, 2, 1, 3);
    grid->addWidget(m_disableCallsBox, row++, 0, 1, 5);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CCheckOutDlg::SetNextNumbers(int nextReceipt, int nextInvoice)
{
    m_nextReceipt = nextReceipt;
    m_nextInvoice = nextInvoice;
    OnTypeChosen();
}

void CCheckOutDlg::SetDates(const OleDate& start, const OleDate& end)
{
    m_endMoment = end;
    m_start->setDate(start.Date());
    m_end->setDate(end.Date());
    // The document belongs to the year of the proposed end; a later change of the end date keeps it.
    m_year = end.Year();
    m_yearLabel->setText(QStringLiteral("/%1").arg(m_year, 4, 10, QLatin1Char('0')));
    ShowNights();
}

OleDate CCheckOutDlg::EndDate() const
{
    const QDate day = m_end->date();
    return OleDate(day.year(), day.month(), day.day(), m_endMoment.Hour(), m_endMoment.Minute(), m_endMoment.Second());
}

bool CCheckOutDlg::IsInvoice() const
{
    return m_type->currentIndex() == kInvoiceIndex;
}

void CCheckOutDlg::FillCompanies(int selectId)
{
    RowList rows;
    m_database.FillCompanyCombo(rows);
    m_company->clear();
    for (const RowList::Row& row : rows.Rows())
        m_company->addItem(row.texts.value(0), row.itemData);
    const int at = m_company->findData(selectId);
    m_company->setCurrentIndex(at >= 0 ? at : (m_company->count() > 0 ? 0 : -1));
    const bool choosable = IsInvoice() && m_company->count() > 0;
    m_company->setEnabled(choosable);
    m_editCompany->setEnabled(choosable);
}

void CCheckOutDlg::FillGuests(const std::array<int, kGuests>& guestIds)
{
    for (int id : guestIds) {
        GuestRecord guest;
        if (id == 0 || !m_database.LoadGuest(id, guest))
            continue;
        const QString born = QLocale().toString(guest.dateOfBirth, QLocale::ShortFormat);
        m_guest->addItem(QStringLiteral("%1 - %2, %3").arg(guest.name, guest.birthPlace, born), id);
    }
    m_guest->setCurrentIndex(m_guest->count() > 0 ? 0 : -1);
}

void CCheckOutDlg::OnTypeChosen()
{
    const bool invoice = IsInvoice();
    // A number can be raised above the next free one, never set below it.
    const int next = std::clamp(invoice ? m_nextInvoice : m_nextReceipt, 1, kMaxDocumentNumber);
    m_number->SetRangeAndValue(next, kMaxDocumentNumber, next);
    m_newCompany->setEnabled(invoice);
    m_company->setEnabled(invoice && m_company->count() > 0);
    m_editCompany->setEnabled(m_company->isEnabled());
    m_guest->setEnabled(!invoice);
}

void CCheckOutDlg::OnPaymentChosen()
{
    const bool other = m_payment->currentIndex() == kOtherPayment;
    m_paymentText->setText(other ? QString() : m_payment->currentText());
    m_paymentText->setEnabled(other);
}

void CCheckOutDlg::ShowNights()
{
    const qint64 nights = m_start->date().daysTo(m_end->date());
    if (nights < 0 || nights > kMaxNights)
        m_nights->setText(LoadResString(kInvalidSelectionString));
    else if (nights <= 1)
        m_nights->setText(QStringLiteral("1 %1").arg(LoadResString(kNightString)));
    else
        m_nights->setText(QStringLiteral("%1 %2").arg(nights).arg(LoadResString(kNightsString)));
}

int CCheckOutDlg::EditCompany(CompanyRecord& company, int id)
{
    CCompanyDataDlg dialog(company, this);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    company = dialog.Record();
    const int result = id == 0 ? m_database.InsertCompany(company, id) : m_database.UpdateCompany(id, company);
    if (result == kDbRecordSelection) {
        // The record now names the company that already has this tax code.
        LodgixMessageBox(this, LoadResString(kDuplicateTaxCodeString) + QLatin1Char(' ') + company.companyName,
                         QMessageBox::Critical);
        return 0;
    }
    if (result != kNoError) {
        LodgixMessageBox(this, kNotStoredString, QMessageBox::Critical);
        return 0;
    }
    return id;
}

void CCheckOutDlg::OnNewCompany()
{
    CompanyRecord company;
    if (const int id = EditCompany(company, 0))
        FillCompanies(id);
}

void CCheckOutDlg::OnEditCompany()
{
    const int id = m_company->currentData().toInt();
    CompanyRecord company;
    if (id == 0 || !m_database.LoadCompany(id, company))
        return;
    if (EditCompany(company, id))
        FillCompanies(id);
}

void CCheckOutDlg::OnOk()
{
    const QString payment = m_paymentText->text();
    const bool invoice = IsInvoice();
    if (payment.isEmpty() || (invoice && !m_company->isEnabled())) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    // The same day at both ends is a stay of one night.
    if (m_start->date() > m_end->date()) {
        LodgixMessageBox(this, kBadDatesString, QMessageBox::Critical);
        return;
    }
    if (IsLast() && LodgixMessageBox(this, kConfirmString, QMessageBox::Question,
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const int number = static_cast<int>(m_number->GetValue());
    m_paymentResult = payment;
    m_disableCalls = IsLast() && m_disableCallsBox->isChecked();
    m_fileName = DocumentFileName(invoice ? DocumentKind::kInvoice : DocumentKind::kReceipt, m_year, number);
    if (invoice) {
        m_clientId = m_company->currentData().toInt();
        m_nextInvoice = number + 1;
    } else {
        m_clientId = m_guest->currentData().toInt();
        m_nextReceipt = number + 1;
    }
    accept();
}

}  // namespace lodgix
