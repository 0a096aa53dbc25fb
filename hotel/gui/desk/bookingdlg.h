#pragma once

#include "bookingrecord.h"
#include "deskservices.h"
#include "lodgixdialog.h"
#include "money.h"

#include <vector>

class CNumericEdit;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace lodgix {

// A booking of one room: client, start and nights, treatment with the daily price of the start date's
// season, the room's optional services and a booking group. The caller stores what it reads back after OK.
class CBookingDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kStart = 1156;
    static constexpr int kStartLabel = 1157;
    static constexpr int kName = 1160;
    static constexpr int kContact = 1161;
    static constexpr int kNameLabel = 1162;
    static constexpr int kContactLabel = 1163;
    static constexpr int kNotes = 1164;
    static constexpr int kNotesLabel = 1165;
    static constexpr int kOk = 1166;
    static constexpr int kCancel = 1167;
    static constexpr int kGroupLabel = 1169;
    static constexpr int kTreatmentLabel = 1355;
    static constexpr int kTreatment = 1356;
    static constexpr int kTreatmentText = 1357;
    static constexpr int kPriceLabel = 1358;
    static constexpr int kPrice = 1359;
    static constexpr int kServices = 1360;
    static constexpr int kGroup = 1364;
    static constexpr int kNightsLabel = 1378;
    static constexpr int kNights = 1379;
    static constexpr int kMaxNights = 365;
    static constexpr int kTextLength = 63;
    static constexpr int kNotesLength = 255;

    // The record's RoomID names the room; a BookingID other than 0 marks a stored booking.
    CBookingDlg(const BookingRecord* booking, DeskServices& services, QWidget* parent = nullptr);

    OleDate StartDate() const;
    OleDate EndDate() const;  // start + nights - 1
    int Nights() const;
    QString ClientName() const;
    QString Contact() const;
    QString Notes() const;
    QString Treatment() const;
    int GroupId() const { return m_groupId; }
    Money Price() const;
    const std::vector<ServiceRecord>& Services() const { return m_services; }

private:
    void OnTreatmentChosen();
    void OnServices();
    void OnOk();

    DeskServices& m_desk;
    bool m_hasRecord;
    int m_roomId;
    int m_groupId;
    std::vector<ServiceRecord> m_services;
    QLineEdit* m_name;
    QLineEdit* m_contact;
    QLineEdit* m_notes;
    QDateEdit* m_start;
    CNumericEdit* m_nights;
    QComboBox* m_treatment;
    QLineEdit* m_treatmentText;
    CNumericEdit* m_price;
    QComboBox* m_group;
    QPushButton* m_servicesButton;
};

}  // namespace lodgix
