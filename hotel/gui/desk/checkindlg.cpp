#include "checkindlg.h"

#include "deskform.h"
#include "engineerrorcode.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "roomserviceoptions.h"
#include "rowsink.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace lodgix {
namespace {

constexpr unsigned kCaptionString = 6014;          // "Check in"
constexpr unsigned kVatString = 2034;              // "IVA (%)"
constexpr unsigned kMissingDataString = 2037;      // "Mancano alcuni dati obbligatori"
constexpr unsigned kConfirmString = 2039;          // "Confermi i dati inseriti?"
constexpr unsigned kCancelString = 2047;
constexpr unsigned kNewGuestString = 2073;         // "Nuovo cliente"
constexpr unsigned kGuestNotAddedString = 2077;
constexpr unsigned kGuestNotChangedString = 2078;
constexpr unsigned kChangeString = 2079;           // "Modifica"
constexpr unsigned kStartString = 2093;            // "Data inizio"
constexpr unsigned kNotesString = 2095;            // "Annotazioni"
constexpr unsigned kBookingDataString = 2104;      // "Dati sulla prenotazione"
constexpr unsigned kNightsString = 2105;           // "Numero notti"
constexpr unsigned kNoBookingString = 2106;        // "Nessuna prenotazione agganciata"
constexpr unsigned kBookingOfString = 2108;        // "La prenotazione a nome di"
constexpr unsigned kDeletedAnywayString = 2109;    // "verrà comunque eliminata"
constexpr unsigned kMainGuestString = 2110;        // "Dati del cliente principale"
constexpr unsigned kTreatmentString = 2111;        // "Trattamento"
constexpr unsigned kCityCallsString = 2117;        // "Abilita chiamate urbane"
constexpr unsigned kPriceMissingString = 2118;     // "Impostare il prezzo giornaliero e l'IVA"
constexpr unsigned kPriceString = 2125;            // "Prezzo giornaliero"
constexpr unsigned kGuestString = 2166;            // "Cliente"
constexpr unsigned kNoGuestString = 2207;          // "Dati cliente non disponibili"
constexpr unsigned kServicesString = 2272;         // "Aggiungi servizi camera"
constexpr unsigned kGroupString = 2281;            // "Gruppo"
constexpr int kCheckInGroup = 0;
constexpr double kMaxPrice = 1000000.0;
constexpr double kMaxVat = 100.0;
constexpr int kOtherGuests = 3;

// The rows of the guest combo query, kept to fill the four combos alike.
class GuestRows : public RowSink {
public:
    explicit GuestRows(std::vector<std::pair<QString, int>>& rows) : m_rows(rows) {}
    void DeleteAll() override { m_rows.clear(); }
    void Append(const QStringList& texts, qint64 itemData) override
    {
        m_rows.emplace_back(texts.value(0), static_cast<int>(itemData));
    }

private:
    std::vector<std::pair<QString, int>>& m_rows;
};

}  // namespace

CCheckInDlg::CCheckInDlg(CheckInRecord* stay, DeskServices& services, QWidget* parent)
    : CLodgixDialog(parent), m_desk(services), m_stay(stay ? stay : &m_own), m_isNew(m_stay->checkInId == 0),
      m_arrival(DeskDateEdit(this, kArrival)), m_nights(DeskNumber(this, kNights, 0, 1, kMaxNights)),
      m_booking(new QComboBox(this)), m_bookingWarning(DeskLabel(this, kBookingWarning, QString())),
      m_mainGuest(new QComboBox(this)), m_newMainGuest(DeskButton(this, kNewMainGuest, LoadResString(kNewGuestString))),
      m_editMainGuest(DeskButton(this, kEditMainGuest, LoadResString(kChangeString))), m_treatment(new QComboBox(this)),
      m_treatmentText(new QLineEdit(this)), m_price(DeskNumber(this, kPrice, 2, 0, kMaxPrice)),
      m_vat(DeskNumber(this, kVat, 2, 0, kMaxVat)), m_notes(new QLineEdit(this)), m_cityCalls(new QCheckBox(this)),
      m_servicesButton(DeskButton(this, kServices, LoadResString(kServicesString))),
      m_groupLabel(DeskLabel(this, kGroupLabel, LoadResString(kGroupString))), m_group(new QComboBox(this))
{
    setObjectName(QStringLiteral("CCheckInDlg"));
    setWindowTitle(LoadResString(kCaptionString));
    if (!stay) {
        const OleDate now = m_desk.now ? m_desk.now() : OleDate::Now();
        m_own.startDate = m_own.endDate = OleDate(now.Year(), now.Month(), now.Day());
        m_own.checkInDate = now;
    }
    CheckInRecord& record = *m_stay;
    m_booking->setObjectName(Id(kBooking));
    m_mainGuest->setObjectName(Id(kMainGuest));
    m_treatment->setObjectName(Id(kTreatment));
    m_treatmentText->setObjectName(Id(kTreatmentText));
    m_treatmentText->setMaxLength(kTreatmentLength);
    m_notes->setObjectName(Id(kNotes));
    m_notes->setMaxLength(kNotesLength);
    m_cityCalls->setObjectName(Id(kCityCalls));
    m_cityCalls->setText(LoadResString(kCityCallsString));
    m_group->setObjectName(Id(kGroup));
    for (int slot = 0; slot < kOtherGuests; ++slot) {
        m_guests[static_cast<std::size_t>(slot)] = new QComboBox(this);
        m_guests[static_cast<std::size_t>(slot)]->setObjectName(Id(kGuestCombos[static_cast<std::size_t>(slot)]));
        m_newGuests[static_cast<std::size_t>(slot)] = DeskButton(this, kNewGuests[static_cast<std::size_t>(slot)], LoadResString(kNewGuestString));
        m_editGuests[static_cast<std::size_t>(slot)] = DeskButton(this, kEditGuests[static_cast<std::size_t>(slot)], LoadResString(kChangeString));
    }

    // Arrival, shown only; nights from the days already spent (at least 1) to 360.
    m_arrival->setDate(ToQDate(record.startDate));
    m_arrival->setEnabled(false);
    const double spent = std::floor(m_desk.Today().Value() - std::floor(record.startDate.Value()));
    m_nights->SetRange(std::max(1.0, spent), kMaxNights);
    m_nights->SetValue(std::round(record.endDate.Value() - record.startDate.Value()) + 1);

    if (const RoomRecord* room = m_desk.Room(record.roomId))
        LoadRoomOptionalServices(m_desk.database, *room, m_services);
    m_servicesButton->setEnabled(!m_services.empty());

    FillBookings();
    std::array<int, CheckInRecord::kGuests> keep{};
    if (!m_isNew)
        keep = record.guestIds;
    FillGuests(keep, false);

    FillTreatmentCombo(m_treatment);
    if (m_isNew) {
        OnBookingChosen();
    } else {
        m_price->SetValue(EditValue(record.dailyPrice));
        m_vat->SetValue(EditValue(record.vat));
        const int treatment = TreatmentIndex(record.treatment);
        m_treatment->setCurrentIndex(treatment);
        m_treatmentText->setEnabled(treatment == kOtherTreatment);
        m_treatmentText->setText(record.treatment);
    }
    m_cityCalls->setChecked(true);
    if (!m_isNew)
        m_notes->setText(record.notes);

    const bool chooseGroup = m_isNew && record.groupId == 0;
    m_groupLabel->setVisible(chooseGroup);
    m_group->setVisible(chooseGroup);
    if (chooseGroup)
        FillGroupCombo(m_group, m_desk.database, m_desk.hotelId, kCheckInGroup);

    auto ok = DeskButton(this, kOk, LoadResString(kOkButtonString));
    auto cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, &CCheckInDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_booking, &QComboBox::activated, this, &CCheckInDlg::OnBookingChosen);
    connect(m_treatment, &QComboBox::activated, this, &CCheckInDlg::OnTreatmentChosen);
    connect(m_mainGuest, &QComboBox::activated, this, &CCheckInDlg::OnMainGuestChosen);
    connect(m_servicesButton, &QPushButton::clicked, this, &CCheckInDlg::OnServices);
    connect(m_newMainGuest, &QPushButton::clicked, this, [this] { OnNewGuest(0); });
    connect(m_editMainGuest, &QPushButton::clicked, this, [this] { OnEditGuest(0); });
    for (int slot = 1; slot <= kOtherGuests; ++slot) {
        const auto at = static_cast<std::size_t>(slot - 1);
        connect(m_newGuests[at], &QPushButton::clicked, this, [this, slot] { OnNewGuest(slot); });
        connect(m_editGuests[at], &QPushButton::clicked, this, [this, slot] { OnEditGuest(slot); });
        connect(m_guests[at], &QComboBox::activated, this, [this, slot] { OnGuestChosen(slot); });
    }

    auto grid = new QGridLayout;
    int row = 0;
    grid->addWidget(DeskLabel(this, kArrivalLabel, LoadResString(kStartString)), row, 0);
    grid->addWidget(m_arrival, row, 1);
    grid->addWidget(DeskLabel(this, kNightsLabel, LoadResString(kNightsString)), row, 2);
    grid->addWidget(m_nights, row++, 3);
    grid->addWidget(DeskLabel(this, kBookingLabel, LoadResString(kBookingDataString)), row, 0);
    grid->addWidget(m_booking, row++, 1, 1, 3);
    m_bookingWarning->setWordWrap(true);
    grid->addWidget(m_bookingWarning, row++, 0, 1, 4);
    grid->addWidget(DeskLabel(this, kMainGuestLabel, Required(LoadResString(kMainGuestString))), row, 0);
    grid->addWidget(m_mainGuest, row, 1);
    grid->addWidget(m_newMainGuest, row, 2);
    grid->addWidget(m_editMainGuest, row++, 3);
    for (int slot = 0; slot < kOtherGuests; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        grid->addWidget(DeskLabel(this, kGuestLabels[at], LoadResString(kGuestString) + QStringLiteral(" %1").arg(slot + 2)), row, 0);
        grid->addWidget(m_guests[at], row, 1);
        grid->addWidget(m_newGuests[at], row, 2);
        grid->addWidget(m_editGuests[at], row++, 3);
    }
    grid->addWidget(DeskLabel(this, kTreatmentLabel, Required(LoadResString(kTreatmentString))), row, 0);
    grid->addWidget(m_treatment, row, 1);
    grid->addWidget(m_treatmentText, row++, 2, 1, 2);
    grid->addWidget(DeskLabel(this, kPriceLabel, LoadResString(kPriceString)), row, 0);
    grid->addWidget(m_price, row, 1);
    grid->addWidget(DeskLabel(this, kVatLabel, LoadResString(kVatString)), row, 2);
    grid->addWidget(m_vat, row++, 3);
    grid->addWidget(DeskLabel(this, kNotesLabel, LoadResString(kNotesString)), row, 0);
    grid->addWidget(m_notes, row++, 1, 1, 3);
    grid->addWidget(m_cityCalls, row, 0, 1, 2);
    grid->addWidget(m_servicesButton, row++, 2, 1, 2);
    grid->addWidget(m_groupLabel, row, 0);
    grid->addWidget(m_group, row++, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(640);
}

bool CCheckInDlg::CityCalls() const { return m_cityCalls->isChecked(); }

QComboBox* CCheckInDlg::GuestCombo(int slot) const
{
    return slot == 0 ? m_mainGuest : m_guests[static_cast<std::size_t>(slot - 1)];
}

QPushButton* CCheckInDlg::EditButton(int slot) const
{
    return slot == 0 ? m_editMainGuest : m_editGuests[static_cast<std::size_t>(slot - 1)];
}

std::array<int, CheckInRecord::kGuests> CCheckInDlg::SelectedGuests() const
{
    std::array<int, CheckInRecord::kGuests> ids{};
    for (int slot = 0; slot < CheckInRecord::kGuests; ++slot)
        ids[static_cast<std::size_t>(slot)] = GuestCombo(slot)->currentData().toInt();
    return ids;
}

void CCheckInDlg::FillBookings()
{
    const CheckInRecord& record = *m_stay;
    const QString noBooking = LoadResString(kNoBookingString);
    const QString linked = record.bookingId != 0 ? m_desk.database.GetBookingNameAndNotes(m_desk.hotelId, record.bookingId)
                                                 : QString();
    m_booking->clear();
    m_bookingWarning->hide();
    if (!m_isNew) {
        if (linked.isEmpty())
            m_booking->addItem(noBooking, 0);
        else
            m_booking->addItem(linked, record.bookingId);
        m_booking->setEnabled(false);
        return;
    }
    m_booking->addItem(noBooking, 0);
    if (linked.isEmpty()) {
        m_booking->setEnabled(false);
        return;
    }
    m_booking->addItem(linked, record.bookingId);
    m_booking->setCurrentIndex(1);
    if (record.groupId != 0) {
        m_booking->setEnabled(false);
        return;
    }
    m_bookingWarning->setText(QStringLiteral("** %1 %2 %3 **")
                                  .arg(LoadResString(kBookingOfString),
                                       m_desk.database.GetBookingClientName(m_desk.hotelId, record.bookingId),
                                       LoadResString(kDeletedAnywayString)));
    m_bookingWarning->show();
}

void CCheckInDlg::FillGuests(const std::array<int, CheckInRecord::kGuests>& keep, bool recomputeOnMain)
{
    GuestRows rows(m_guestList);
    if (m_desk.database.FillGuestCombo(rows) != CHotelDatabase::kFilled)
        m_guestList.clear();
    for (int slot = 0; slot < CheckInRecord::kGuests; ++slot) {
        QComboBox* combo = GuestCombo(slot);
        combo->clear();
        if (slot > 0)
            combo->addItem(LoadResString(kNoGuestString), 0);
        for (const auto& [name, id] : m_guestList)
            combo->addItem(name, id);
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
        const int kept = keep[static_cast<std::size_t>(slot)];
        const bool found = kept != 0 && SelectItemData(combo, kept);
        if (slot == 0) {
            const bool any = combo->count() > 0;
            combo->setEnabled(any);
            m_editMainGuest->setEnabled(any);
            if (found && recomputeOnMain)
                RecomputePrice(true);
        } else {
            EditButton(slot)->setEnabled(found && combo->count() > 1);
        }
    }
}

bool CCheckInDlg::ComputePrice(Money& price, VatRate& vat)
{
    ConventionRecord convention;
    m_convention = false;
    const int guest = m_mainGuest->count() > 0 ? m_mainGuest->currentData().toInt() : 0;
    QString conventionName;
    if (guest != 0 && m_desk.database.GetGuestConvention(guest, conventionName) && !conventionName.isEmpty() &&
        m_desk.database.LoadConventionByLabel(conventionName, convention))
        m_convention = true;
    const int treatment = m_treatment->currentIndex();
    price = Money();
    vat = VatRate();
    if (treatment >= kOtherTreatment)
        return true;
    if (m_desk.billing.CalcDailyPrice(m_stay->roomId, treatment, m_services, m_convention ? &convention : nullptr, price, vat))
        return true;
    price = Money();
    vat = VatRate();
    return false;
}

void CCheckInDlg::RecomputePrice(bool setTreatmentText)
{
    const int treatment = m_treatment->currentIndex();
    if (treatment >= kOtherTreatment && !setTreatmentText)
        return;
    Money price;
    VatRate vat;
    ComputePrice(price, vat);
    if (setTreatmentText) {
        const bool other = treatment >= kOtherTreatment;
        m_treatmentText->setEnabled(other);
        if (other)
            m_treatmentText->clear();
        else
            m_treatmentText->setText(m_treatment->currentText());
    }
    m_price->SetValue(EditValue(price));
    m_vat->SetValue(EditValue(vat));
}

void CCheckInDlg::OnTreatmentChosen() { RecomputePrice(true); }
void CCheckInDlg::OnMainGuestChosen() { RecomputePrice(true); }

void CCheckInDlg::OnServices()
{
    if (m_desk.editServices && m_desk.editServices(m_services, this))
        RecomputePrice(false);
}

void CCheckInDlg::OnBookingChosen()
{
    BookingRecord booking;
    const int bookingId = m_booking->currentData().toInt();
    if (bookingId == 0 || m_desk.database.LoadBooking(m_desk.hotelId, bookingId, booking) != kNoError) {
        for (ServiceRecord& service : m_services)
            service.selected = false;
        RecomputePrice(true);
        return;
    }
    SelectBookingServices(booking, m_services);
    const int treatment = TreatmentIndex(booking.treatment);
    m_treatment->setCurrentIndex(treatment);
    RecomputePrice(true);
    if (treatment == kOtherTreatment)
        m_treatmentText->setText(booking.treatment);
}

void CCheckInDlg::OnGuestChosen(int slot)
{
    EditButton(slot)->setEnabled(GuestCombo(slot)->currentData().toInt() != 0);
}

void CCheckInDlg::OnNewGuest(int slot)
{
    GuestRecord guest;
    if (!m_desk.editGuest || !m_desk.editGuest(guest, this))
        return;
    int id = 0;
    if (m_desk.database.InsertGuest(guest, id) != kNoError) {
        LodgixMessageBox(this, kGuestNotAddedString, QMessageBox::Critical);
        return;
    }
    std::array<int, CheckInRecord::kGuests> keep = SelectedGuests();
    if (!m_mainGuest->isEnabled())
        keep[0] = 0;
    keep[static_cast<std::size_t>(slot)] = id;
    FillGuests(keep, true);
}

void CCheckInDlg::OnEditGuest(int slot)
{
    const int id = GuestCombo(slot)->currentData().toInt();
    GuestRecord guest;
    if (id == 0 || !m_desk.database.LoadGuest(id, guest) || !m_desk.editGuest || !m_desk.editGuest(guest, this))
        return;
    if (m_desk.database.UpdateGuest(id, guest) != kNoError) {
        LodgixMessageBox(this, kGuestNotChangedString, QMessageBox::Critical);
        return;
    }
    std::array<int, CheckInRecord::kGuests> keep = SelectedGuests();
    if (!m_mainGuest->isEnabled())
        keep[0] = 0;
    FillGuests(keep, true);
}

void CCheckInDlg::OnOk()
{
    if (!m_mainGuest->isEnabled() || m_mainGuest->count() == 0 || m_treatmentText->text().isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    const double enteredPrice = m_price->GetValue();
    const double enteredVat = m_vat->GetValue();
    if (enteredPrice == 0.0 || enteredVat == 0.0) {
        LodgixMessageBox(this, kPriceMissingString, QMessageBox::Critical);
        return;
    }
    if (LodgixMessageBox(this, kConfirmString, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;

    CheckInRecord& record = *m_stay;
    record.guestIds = SelectedGuests();
    if (m_isNew && m_booking->currentIndex() == 0)
        record.bookingId = 0;
    record.endDate = record.startDate.AddDays(static_cast<int>(m_nights->GetValue()) - 1);
    record.treatment = m_treatmentText->text();
    record.notes = m_notes->text();
    record.dailyPrice = MoneyOfEdit(enteredPrice);
    record.vat = VatOfEdit(enteredVat);
    m_priceDiffers = false;
    if (m_isNew) {
        Money price;
        VatRate vat;
        ComputePrice(price, vat);
        m_priceDiffers = price != record.dailyPrice || vat != record.vat || m_convention;
    }
    m_groupId = m_isNew && record.groupId == 0 ? m_group->currentData().toInt() : 0;
    accept();
}

}  // namespace lodgix
