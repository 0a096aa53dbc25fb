#include "documentnumberdlg.h"

#include "deskform.h"
#include "documentfiles.h"
#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace lodgix {
namespace {

constexpr unsigned kCancelString = 2047;       // "Annulla"
constexpr unsigned kReceiptString = 2128;      // "Ricevuta fiscale"
constexpr unsigned kInvoiceString = 2129;      // "Fattura"
constexpr unsigned kDocumentTypeString = 2130;  // "Tipo documento"
constexpr unsigned kConfirmString = 2140;      // "Conferma"
constexpr unsigned kNumberString = 2168;       // "Numero"
constexpr unsigned kYearString = 2316;         // "Anno"
constexpr unsigned kTitleString = 5063;        // "Modifica fattura/ricevuta"
constexpr unsigned kRangeString = 49026;       // "Immettere un numero intero compreso tra %1 e %2."
constexpr int kDigits = 5;

QLineEdit* DigitsEdit(QWidget* parent, int id, int value)
{
    auto edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(kDigits)), edit));
    return edit;
}

}  // namespace

CDocumentNumberDlg::CDocumentNumberDlg(QWidget* parent)
    : CLodgixDialog(parent), m_typeCombo(new QComboBox(this)), m_numberEdit(DigitsEdit(this, kNumber, 1)),
      m_yearEdit(DigitsEdit(this, kYear, QDate::currentDate().year()))
{
    setObjectName(QStringLiteral("CDocumentNumberDlg"));
    setWindowTitle(LoadResString(kTitleString));
    m_typeCombo->setObjectName(Id(kType));
    m_typeCombo->addItems({LoadResString(kReceiptString), LoadResString(kInvoiceString)});
    m_typeCombo->setCurrentIndex(0);
    QPushButton* confirm = DeskButton(this, kConfirm, LoadResString(kConfirmString));
    QPushButton* cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(confirm, &QPushButton::clicked, this, [this] { OnConfirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    grid->addWidget(DeskLabel(this, kTypeLabel, LoadResString(kDocumentTypeString)), 0, 0);
    grid->addWidget(m_typeCombo, 0, 1);
    grid->addWidget(DeskLabel(this, kNumberLabel, LoadResString(kNumberString)), 1, 0);
    grid->addWidget(m_numberEdit, 1, 1);
    grid->addWidget(DeskLabel(this, kYearLabel, LoadResString(kYearString)), 2, 0);
    grid->addWidget(m_yearEdit, 2, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

bool CDocumentNumberDlg::ReadNumber(QLineEdit* edit, int minimum, int maximum, int& value)
{
    bool ok = false;
    const int typed = edit->text().toInt(&ok);
    if (ok && typed >= minimum && typed <= maximum) {
        value = typed;
        return true;
    }
    LodgixMessageBox(this, LoadResString(kRangeString).arg(minimum).arg(maximum), QMessageBox::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CDocumentNumberDlg::OnConfirm()
{
    int number = 0;
    int year = 0;
    if (!ReadNumber(m_numberEdit, 1, kMaxDocumentNumber, number) || !ReadNumber(m_yearEdit, kFirstYear, kLastYear, year))
        return;
    m_type = m_typeCombo->currentIndex();
    m_number = number;
    m_year = year;
    accept();
}

}  // namespace lodgix
