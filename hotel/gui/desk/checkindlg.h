#pragma once

#include "checkinrecord.h"
#include "conventionrecord.h"
#include "deskservices.h"
#include "lodgixdialog.h"

#include <array>
#include <utility>
#include <vector>

class CNumericEdit;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lodgix {

// Completes a stay before the caller stores it: nights, the booking it comes from, the main guest and up
// to three more, treatment, daily price and VAT, notes, outside calls, the room's optional services and,
// for a new stay, the group it joins. A record with CheckInID 0 is a new stay. On OK the record holds the
// choices; the caller stores it.
class CCheckInDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kArrivalLabel = 1180;
    static constexpr int kArrival = 1181;
    static constexpr int kNightsLabel = 1183;
    static constexpr int kNights = 1184;
    static constexpr int kBooking = 1185;
    static constexpr int kBookingLabel = 1186;
    static constexpr int kBookingWarning = 1187;
    static constexpr int kMainGuestLabel = 1188;
    static constexpr int kMainGuest = 1189;
    static constexpr int kNewMainGuest = 1190;
    static constexpr int kTreatmentLabel = 1191;
    static constexpr int kTreatment = 1192;
    static constexpr int kTreatmentText = 1193;
    static constexpr int kPriceLabel = 1194;
    static constexpr int kOk = 1195;
    static constexpr int kVat = 1196;
    static constexpr int kVatLabel = 1197;
    static constexpr int kPrice = 1198;
    static constexpr int kNotesLabel = 1199;
    static constexpr int kNotes = 1200;
    static constexpr int kCancel = 1201;
    static constexpr int kCityCalls = 1202;
    static constexpr int kEditMainGuest = 1203;
    static constexpr int kServices = 1351;
    static constexpr int kGroupLabel = 1417;
    static constexpr int kGroup = 1418;
    // Guests 2 to 4: combo, label, "Nuovo cliente", "Modifica".
    static constexpr std::array<int, 3> kGuestCombos{1204, 1208, 1212};
    static constexpr std::array<int, 3> kGuestLabels{1205, 1209, 1213};
    static constexpr std::array<int, 3> kNewGuests{1206, 1210, 1214};
    static constexpr std::array<int, 3> kEditGuests{1207, 1211, 1215};
    static constexpr int kMaxNights = 360;
    static constexpr int kTreatmentLength = 63;
    static constexpr int kNotesLength = 128;

    // Without a record the dialog works on a new stay of its own, arriving now.
    CCheckInDlg(CheckInRecord* stay, DeskServices& services, QWidget* parent = nullptr);

    const CheckInRecord& Stay() const { return *m_stay; }
    // 1 when the price or VAT entered differ from the computed ones, or an agreement priced the stay.
    bool PriceDiffers() const { return m_priceDiffers; }
    bool HasConvention() const { return m_convention; }
    int GroupId() const { return m_groupId; }  // the group chosen for a new stay outside a group, else 0
    bool CityCalls() const;
    const std::vector<ServiceRecord>& Services() const { return m_services; }

private:
    void FillBookings();
    void FillGuests(const std::array<int, CheckInRecord::kGuests>& keep, bool keepMainDisabled);
    void OnBookingChosen();
    void OnTreatmentChosen();
    void OnMainGuestChosen();
    void OnServices();
    void OnNewGuest(int slot);
    void OnEditGuest(int slot);
    void OnGuestChosen(int slot);
    void OnOk();
    // Price and VAT of the selected treatment for the main guest; the treatment text too when asked.
    void RecomputePrice(bool setTreatmentText);
    bool ComputePrice(Money& price, VatRate& vat);
    QComboBox* GuestCombo(int slot) const;
    QPushButton* EditButton(int slot) const;
    std::array<int, CheckInRecord::kGuests> SelectedGuests() const;

    DeskServices& m_desk;
    CheckInRecord m_own;
    CheckInRecord* m_stay;
    bool m_isNew;
    bool m_priceDiffers = false;
    bool m_convention = false;
    int m_groupId = 0;
    std::vector<ServiceRecord> m_services;
    std::vector<std::pair<QString, int>> m_guestList;  // the visible guests: name, id

    QDateEdit* m_arrival;
    CNumericEdit* m_nights;
    QComboBox* m_booking;
    QLabel* m_bookingWarning;
    QComboBox* m_mainGuest;
    QPushButton* m_newMainGuest;
    QPushButton* m_editMainGuest;
    std::array<QComboBox*, 3> m_guests{};
    std::array<QPushButton*, 3> m_newGuests{};
    std::array<QPushButton*, 3> m_editGuests{};
    QComboBox* m_treatment;
    QLineEdit* m_treatmentText;
    CNumericEdit* m_price;
    CNumericEdit* m_vat;
    QLineEdit* m_notes;
    QCheckBox* m_cityCalls;
    QPushButton* m_servicesButton;
    QLabel* m_groupLabel;
    QComboBox* m_group;
};

}  // namespace lodgix
