#pragma once

#include "lodgixdialog.h"
#include "oledate.h"

#include <QString>

#include <array>

class CNumericEdit;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lodgix {

class CHotelDatabase;
struct CompanyRecord;

// The data of one fiscal document of a check-out: receipt (to a guest of the stay) or invoice (to a
// company of the registry, which can be created or changed here), its number, the payment method and, on
// the first document, the check-out date; the last document offers to cut the room's outside calls.
//
// Use, once per document k = 1..n:
//   CCheckOutDlg dialog(k, n, guestIds, database, parent);
//   dialog.SetNextNumbers(nextReceipt, nextInvoice);  // the year's next free numbers
//   dialog.SetDates(stayStart, proposedEnd);           // the document's year is the end date's
//   if (dialog.exec() == QDialog::Accepted) {
//       dialog.EndDate(); dialog.PaymentText(); dialog.DisableOutsideCalls();
//       dialog.FileName();   // "Recv" or "Fatt", year, number with 5 digits, ".psx"
//       dialog.ClientId();   // the guest's id (receipt) or the company's (invoice); 0 for none
//       dialog.NextReceipt(); dialog.NextInvoice();  // the one used advanced past the chosen number:
//   }                                                // hand them to the next document's dialog
// Without SetDates both dates are now; without SetNextNumbers both next numbers are 1.
class CCheckOutDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 143;
    static constexpr int kStartDate = 1209;
    static constexpr int kEndDate = 1210;
    static constexpr int kType = 1211;
    static constexpr int kNumber = 1212;
    static constexpr int kPayment = 1213;
    static constexpr int kPaymentText = 1214;
    static constexpr int kStartLabel = 1215;
    static constexpr int kEndLabel = 1216;
    static constexpr int kTypeLabel = 1217;
    static constexpr int kYear = 1218;
    static constexpr int kPaymentLabel = 1219;
    static constexpr int kOk = 1220;
    static constexpr int kCancel = 1221;
    static constexpr int kCompany = 1222;
    static constexpr int kCompanyLabel = 1223;
    static constexpr int kNewCompany = 1224;
    static constexpr int kEditCompany = 1225;
    static constexpr int kGuest = 1226;
    static constexpr int kGuestLabel = 1227;
    static constexpr int kNights = 1233;
    static constexpr int kDisableCalls = 1267;
    static constexpr int kPaymentLength = 63;
    static constexpr int kGuests = 4;

    enum TypeIndex { kReceiptIndex = 0, kInvoiceIndex = 1 };
    enum PaymentIndex { kCash = 0, kDebitCard = 1, kCreditCard = 2, kOtherPayment = 3 };

    // Document k of n (1-based); the stay's guest ids, 0 where there is none.
    CCheckOutDlg(int document, int documentCount, const std::array<int, kGuests>& guestIds,
                 CHotelDatabase& database, QWidget* parent = nullptr);

    void SetNextNumbers(int nextReceipt, int nextInvoice);
    void SetDates(const OleDate& start, const OleDate& end);

    // After OK. The end date keeps the time of day of the date set.
    OleDate EndDate() const;
    const QString& PaymentText() const { return m_paymentResult; }
    bool DisableOutsideCalls() const { return m_disableCalls; }
    const QString& FileName() const { return m_fileName; }
    int ClientId() const { return m_clientId; }
    int NextReceipt() const { return m_nextReceipt; }
    int NextInvoice() const { return m_nextInvoice; }
    int DocumentYear() const { return m_year; }

private:
    bool IsLast() const { return m_document == m_documentCount; }
    bool IsInvoice() const;
    void FillCompanies(int selectId);
    void FillGuests(const std::array<int, kGuests>& guestIds);
    void OnTypeChosen();
    void OnPaymentChosen();
    void ShowNights();
    void OnNewCompany();
    void OnEditCompany();
    // The company dialog over the record, then the stored result: its id, or 0 when cancelled or refused.
    int EditCompany(CompanyRecord& company, int id);
    void OnOk();

    CHotelDatabase& m_database;
    int m_document;
    int m_documentCount;
    int m_nextReceipt = 1;
    int m_nextInvoice = 1;
    int m_year;
    OleDate m_endMoment;
    QString m_fileName;
    QString m_paymentResult;
    int m_clientId = 0;
    bool m_disableCalls = false;

    QDateEdit* m_start;
    QDateEdit* m_end;
    QComboBox* m_type;
    CNumericEdit* m_number;
    QLabel* m_yearLabel;
    QComboBox* m_company;
    QPushButton* m_newCompany;
    QPushButton* m_editCompany;
    QComboBox* m_guest;
    QComboBox* m_payment;
    QLineEdit* m_paymentText;
    QLabel* m_nights;
    QCheckBox* m_disableCallsBox;
};

}  // namespace lodgix
