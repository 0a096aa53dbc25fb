#include "unavailabilitydlg.h"

#include "deskform.h"
#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {
namespace {

constexpr unsigned kCaptionString = 6011;       // "Imposta camera non dispobilie"
constexpr unsigned kMissingDataString = 2037;   // "Mancano alcuni dati obbligatori"
constexpr unsigned kCancelString = 2047;
constexpr unsigned kStartString = 2093;         // "Data inizio"
constexpr unsigned kEndString = 2094;           // "Data fine"
constexpr unsigned kBadDatesString = 2096;
constexpr unsigned kReasonString = 2100;        // "Motivazione dell'indisponibilità"

}  // namespace

CUnavailabilityDlg::CUnavailabilityDlg(const AvailabilityRecord* period, std::function<OleDate()> now, QWidget* parent)
    : CLodgixDialog(parent), m_now(std::move(now)), m_start(DeskDateEdit(this, kStart)), m_end(DeskDateEdit(this, kEnd)),
      m_reason(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CUnavailabilityDlg"));
    setWindowTitle(LoadResString(kCaptionString));
    m_reason->setObjectName(Id(kReason));
    m_reason->setMaxLength(kReasonLength);
    const OleDate today = Today();
    m_start->setDate(ToQDate(period ? period->startDate : today));
    m_end->setDate(ToQDate(period ? period->endDate : today));
    if (period)
        m_reason->setText(period->reason);
    // A stored period that has begun keeps its start.
    m_start->setEnabled(!(period && period->availabilityId != 0 && period->startDate < today));

    auto ok = DeskButton(this, kOk, LoadResString(kOkButtonString));
    auto cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, &CUnavailabilityDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    grid->addWidget(DeskLabel(this, kReasonLabel, Required(LoadResString(kReasonString))), 0, 0, 1, 2);
    grid->addWidget(m_reason, 1, 0, 1, 2);
    grid->addWidget(DeskLabel(this, kStartLabel, LoadResString(kStartString)), 2, 0);
    grid->addWidget(m_start, 2, 1);
    grid->addWidget(DeskLabel(this, kEndLabel, LoadResString(kEndString)), 3, 0);
    grid->addWidget(m_end, 3, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

OleDate CUnavailabilityDlg::Today() const
{
    const OleDate moment = m_now ? m_now() : OleDate::Now();
    return OleDate(moment.Year(), moment.Month(), moment.Day());
}

OleDate CUnavailabilityDlg::StartDate() const { return ToOleDate(m_start->date()); }
OleDate CUnavailabilityDlg::EndDate() const { return ToOleDate(m_end->date()); }
QString CUnavailabilityDlg::Reason() const { return m_reason->text(); }

void CUnavailabilityDlg::OnOk()
{
    if (m_reason->text().isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    const OleDate today = Today();
    const OleDate start = StartDate();
    const OleDate end = EndDate();
    const bool accepted = m_start->isEnabled() ? start <= end && start >= today
                                               : start <= end && end >= today.AddDays(-1);
    if (!accepted) {
        LodgixMessageBox(this, kBadDatesString, QMessageBox::Critical);
        return;
    }
    accept();
}

}  // namespace lodgix
