#include "bookingdlg.h"

#include "deskform.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "roomserviceoptions.h"
#include "stringtable.h"

#include <QComboBox>
#include <cmath>
#include <tuple>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {
namespace {

constexpr unsigned kCaptionString = 6008;      // "Prenota camera"
constexpr unsigned kMissingDataString = 2037;  // "Mancano alcuni dati obbligatori"
constexpr unsigned kCancelString = 2047;
constexpr unsigned kNameString = 2062;         // "Cognome e nome"
constexpr unsigned kContactString = 2092;      // "Recapito"
constexpr unsigned kStartString = 2093;        // "Data inizio"
constexpr unsigned kNotesString = 2095;        // "Annotazioni"
constexpr unsigned kBadDatesString = 2096;
constexpr unsigned kNightsString = 2105;       // "Numero notti"
constexpr unsigned kTreatmentString = 2111;    // "Trattamento"
constexpr unsigned kPriceString = 2125;        // "Prezzo giornaliero"
constexpr unsigned kServicesString = 2272;     // "Aggiungi servizi camera"
constexpr unsigned kGroupString = 2281;        // "Gruppo"
constexpr int kBookingGroup = 1;
constexpr double kMaxPrice = 1000000.0;

}  // namespace

CBookingDlg::CBookingDlg(const BookingRecord* booking, DeskServices& services, QWidget* parent)
    : CLodgixDialog(parent), m_desk(services), m_hasRecord(booking != nullptr), m_roomId(booking ? booking->roomId : 0),
      m_groupId(booking ? booking->groupId : 0), m_name(new QLineEdit(this)), m_contact(new QLineEdit(this)),
      m_notes(new QLineEdit(this)), m_start(DeskDateEdit(this, kStart)), m_nights(DeskNumber(this, kNights, 0, 1, kMaxNights)),
      m_treatment(new QComboBox(this)), m_treatmentText(new QLineEdit(this)), m_price(DeskNumber(this, kPrice, 2, 0, kMaxPrice)),
      m_group(new QComboBox(this)), m_servicesButton(DeskButton(this, kServices, LoadResString(kServicesString)))
{
    setObjectName(QStringLiteral("CBookingDlg"));
    setWindowTitle(LoadResString(kCaptionString));
    for (auto [edit, id, length] : {std::tuple{m_name, kName, kTextLength}, {m_contact, kContact, kTextLength},
                                    {m_notes, kNotes, kNotesLength}, {m_treatmentText, kTreatmentText, kTextLength}}) {
        edit->setObjectName(Id(id));
        edit->setMaxLength(length);
    }
    m_treatment->setObjectName(Id(kTreatment));
    m_group->setObjectName(Id(kGroup));

    m_start->setDate(ToQDate(booking ? booking->startDate : m_desk.Today()));
    m_nights->SetValue(booking ? std::max(1.0, std::round(booking->endDate.Value() - booking->startDate.Value()) + 1) : 1);
    if (booking) {
        m_name->setText(booking->clientName);
        m_contact->setText(booking->clientPhone);
        m_notes->setText(booking->clientAnnotation);
        if (const RoomRecord* room = m_desk.Room(m_roomId); room && LoadRoomOptionalServices(m_desk.database, *room, m_services))
            SelectBookingServices(*booking, m_services);
    }
    m_servicesButton->setEnabled(!m_services.empty());

    FillTreatmentCombo(m_treatment);
    const bool stored = booking && booking->bookingId != 0;
    if (stored)
        m_treatment->setCurrentIndex(TreatmentIndex(booking->treatment));
    OnTreatmentChosen();
    if (stored)
        m_treatmentText->setText(booking->treatment);
    m_price->setEnabled(false);

    FillGroupCombo(m_group, m_desk.database, m_desk.hotelId, kBookingGroup);
    if (!SelectItemData(m_group, m_groupId))
        m_group->setCurrentIndex(0);

    auto ok = DeskButton(this, kOk, LoadResString(kOkButtonString));
    auto cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, &CBookingDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_treatment, &QComboBox::activated, this, &CBookingDlg::OnTreatmentChosen);
    // The price follows the season of the start date.
    connect(m_start, &QDateEdit::dateChanged, this, &CBookingDlg::OnTreatmentChosen);
    connect(m_servicesButton, &QPushButton::clicked, this, &CBookingDlg::OnServices);

    auto grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](int labelId, const QString& text, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(DeskLabel(this, labelId, text), row, 0);
        grid->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    addRow(kNameLabel, Required(LoadResString(kNameString)), m_name);
    addRow(kContactLabel, Required(LoadResString(kContactString)), m_contact);
    addRow(kNotesLabel, LoadResString(kNotesString), m_notes);
    addRow(kStartLabel, LoadResString(kStartString), m_start);
    addRow(kNightsLabel, LoadResString(kNightsString), m_nights);
    addRow(kTreatmentLabel, LoadResString(kTreatmentString), m_treatment, m_treatmentText);
    addRow(kPriceLabel, LoadResString(kPriceString), m_price, m_servicesButton);
    addRow(kGroupLabel, LoadResString(kGroupString), m_group);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

OleDate CBookingDlg::StartDate() const { return ToOleDate(m_start->date()); }
OleDate CBookingDlg::EndDate() const { return StartDate().AddDays(Nights() - 1); }
int CBookingDlg::Nights() const { return static_cast<int>(m_nights->GetValue()); }
QString CBookingDlg::ClientName() const { return m_name->text(); }
QString CBookingDlg::Contact() const { return m_contact->text(); }
QString CBookingDlg::Notes() const { return m_notes->text(); }
QString CBookingDlg::Treatment() const { return m_treatmentText->text(); }
Money CBookingDlg::Price() const { return MoneyOfEdit(m_price->GetValue()); }

void CBookingDlg::OnTreatmentChosen()
{
    const int treatment = m_treatment->currentIndex();
    if (treatment >= kOtherTreatment) {
        m_treatmentText->setEnabled(true);
        m_treatmentText->clear();
        m_price->SetValue(0);
        return;
    }
    m_treatmentText->setEnabled(false);
    m_treatmentText->setText(m_treatment->currentText());
    Money price;
    VatRate vat;
    const bool priced = m_hasRecord && m_desk.billing.CalcDailyPriceOnDate(StartDate(), m_roomId, treatment, m_services, price, vat);
    m_price->SetValue(priced ? EditValue(price) : 0.0);
}

void CBookingDlg::OnServices()
{
    if (m_desk.editServices && m_desk.editServices(m_services, this) && m_treatment->currentIndex() < kOtherTreatment)
        OnTreatmentChosen();
}

void CBookingDlg::OnOk()
{
    if (m_name->text().isEmpty() || m_contact->text().isEmpty() || m_treatmentText->text().isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    const OleDate start = StartDate();
    if (start > EndDate() || start < m_desk.Today()) {
        LodgixMessageBox(this, kBadDatesString, QMessageBox::Critical);
        return;
    }
    m_groupId = m_group->currentData().toInt();
    accept();
}

}  // namespace lodgix
