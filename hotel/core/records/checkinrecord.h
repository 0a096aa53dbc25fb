#pragma once

#include "money.h"
#include "oledate.h"
#include "vatrate.h"

#include <QString>

#include <array>

namespace lodgix {

// One of the documents (receipt or invoice) a stay issued.
struct StayDocument {
    int billId = 0;
    QString file;         // FileDocumento
    QString paymentType;  // TipoPagamento
    Money total;          // ImportoTotale

    friend bool operator==(const StayDocument&, const StayDocument&) = default;
};

// A service charged to a stay.
struct StayService {
    QString name;
    Money price;
    VatRate vat;
    int userId = 0;  // the operator who wrote it
    OleDate date = OleDate::Invalid();

    friend bool operator==(const StayService&, const StayService&) = default;
};

// A stay: a checked-in room, open while its check-out date is invalid (NULL) (RoomCheckIn_<hotel>).
struct CheckInRecord {
    static constexpr int kGuests = 4;
    static constexpr int kDocuments = 4;
    static constexpr int kMaxServices = 40;
    static constexpr int kCards = 5;

    int roomId = 0;
    int userId = 0;  // check-in operator
    int checkOutUserId = 0;
    std::array<int, kGuests> guestIds{};  // GuestID1..4, 0 = none
    int companyId = 0;
    int groupId = 0;
    int bookingId = 0;  // the booking the stay came from, 0 = none
    int checkInId = 0;  // 0 for a stay not yet stored
    OleDate startDate;  // StartCheckInDate: first night
    OleDate endDate;    // EndCheckInDate: last night
    OleDate checkInDate;                           // the moment of the check-in
    OleDate checkOutDate = OleDate::Invalid();     // the moment of the check-out; invalid while open
    QString treatment;  // TipoPernottamento
    Money dailyPrice;   // PrezzoGiornalero
    VatRate vat;        // IVA
    QString notes;
    std::array<StayDocument, kDocuments> documents{};
    int serviceCount = 0;  // NumServices: used slots
    std::array<StayService, kMaxServices> services{};
    std::array<QString, kCards> cards{};  // access-card codes

    bool IsOpen() const { return !checkOutDate.IsValid(); }

    friend bool operator==(const CheckInRecord&, const CheckInRecord&) = default;
};

}  // namespace lodgix
