#include "checkoutconfirmdlg.h"

#include "countingperioddlg.h"
#include "dialogbuttons.h"
#include "oledatetext.h"
#include "stringtable.h"

#include <QLocale>
#include <QVBoxLayout>

namespace {

constexpr unsigned kTitleString = 1084;
constexpr unsigned kConfirmString = 1085;
constexpr unsigned kCancelString = 10050;
constexpr int kMinimumWidth = 280;

}  // namespace

CCheckOutConfirmDlg::CCheckOutConfirmDlg(int extension, const OleDate& checkIn, const ConsoleWindowContext& context,
                                         QWidget* parent, RunDialog runDialog)
    : QDialog(parent), m_checkIn(checkIn), m_checkOut(OleDate::Now()), m_runDialog(std::move(runDialog))
{
    if (!m_runDialog)
        m_runDialog = [](QDialog& dialog) { return dialog.exec(); };
    setObjectName(QStringLiteral("214"));
    setWindowTitle(LoadResString(kTitleString) + u' ' + context.ExtensionName(extension));
    QPushButton* checkInButton = IdButton(FormatOleDate(m_checkIn, QLocale()), kCheckIn, this);
    QPushButton* checkOutButton = IdButton(FormatOleDate(m_checkOut, QLocale()), kCheckOut, this);
    checkOutButton->setEnabled(false);
    connect(checkInButton, &QPushButton::clicked, this,
            [this, checkInButton] { Correct(CCountingPeriodDlg::kStartMode, m_checkIn, checkInButton); });
    connect(checkOutButton, &QPushButton::clicked, this,
            [this, checkOutButton] { Correct(CCountingPeriodDlg::kEndMode, m_checkOut, checkOutButton); });
    QPushButton* ok = IdButton(LoadResString(kConfirmString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(checkInButton);
    layout->addWidget(checkOutButton);
    layout->addLayout(ButtonRow({ok, cancel}));
    setMinimumWidth(kMinimumWidth);
}

void CCheckOutConfirmDlg::Correct(int mode, OleDate& value, QPushButton* button)
{
    CCountingPeriodDlg picker(mode, this);
    picker.SetDate(value.Date());
    picker.SetTime(value.Time());
    if (m_runDialog(picker) != QDialog::Accepted)
        return;
    const QDate date = picker.Date();
    const QTime time = picker.Time();
    value = OleDate(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    button->setText(FormatOleDate(value, QLocale()));
}
