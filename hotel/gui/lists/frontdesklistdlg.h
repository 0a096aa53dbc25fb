#pragma once

#include "bookingrecord.h"
#include "checkinrecord.h"
#include "deskwindowlinks.h"
#include "lodgixdialog.h"
#include "lodgixstate.h"
#include "policeform.h"

#include <QDate>

#include <functional>
#include <vector>

class CSortListCtrl;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;

namespace lodgix {

// Dialog 510, modeless: the front desk's lists. One window with five uses, chosen by its mode: the stays
// in house, the closed stays of a period (whose receipts and invoices can be printed again), the bookings
// of a period, the generation of a police registration form, and the issued forms (opened and printed).
class CFrontDeskListDlg : public CLodgixDialog {
    Q_OBJECT
public:
    enum Mode : quint8 {
        kCheckInList = 0,
        kCheckOutList = 1,
        kBookingList = 2,
        kNewPoliceForm = 3,
        kPoliceFormList = 4,
        kOpenedPoliceForm = 5,
    };
    static constexpr int kDialogId = 510;
    static constexpr int kList = 1236;
    static constexpr int kCancel = 1237;
    static constexpr int kAction = 1238;  // print, generate or open
    static constexpr int kStartDate = 1239;
    static constexpr int kEndDate = 1240;
    static constexpr int kRoomCombo = 1241;
    static constexpr int kFromLabel = 1242;
    static constexpr int kToLabel = 1243;
    static constexpr int kClientCombo = 1244;
    static constexpr int kRefresh = 1245;
    static constexpr int kSecond = 1246;  // new message, or receipt/invoice
    static constexpr int kDetails = 1256;
    static constexpr int kAllItems = 0xFFFF;

    // Asks for a guest message's sender and text; false when the user cancels.
    using MessageEditor = std::function<bool(QWidget* parent, QString& from, QString& text)>;

    CFrontDeskListDlg(LodgixState& state, DeskWindowLinks links, Mode mode, int formNumber,
                      QWidget* parent = nullptr);

    Mode CurrentMode() const { return m_mode; }
    int FormNumber() const { return m_formNumber; }
    CSortListCtrl& List() const { return *m_list; }
    const std::vector<CheckInRecord>& Stays() const { return m_stays; }
    // The police form shown (generated or opened), for its printed title.
    std::optional<PoliceFormTitle> ShownForm() const;
    void SetMessageEditor(MessageEditor editor) { m_messageEditor = std::move(editor); }

    // The handlers of the buttons and of a click in the list (tests call them as the controls do).
    void OnRefresh();
    void OnAction();
    void OnSecond();
    void OnRowClicked();

protected:
    void reject() override;  // "Annulla" and the close box: the owner closes its windows

private:
    void BuildControls();
    void Open();
    void SetColumns();
    void Fill();
    void FillOpenStays();
    void FillClosedStays();
    void FillBookings();
    void FillPoliceForm();
    void FillIssuedForms();
    void ShowDetails();
    void Generate();
    void OpenForm();
    void PrintForm();
    void SetCaption();
    void AfterFill(bool found);

    int SelectedRow() const;
    int SelectedStay() const;  // index in m_stays of the selected row, or -1
    int SelectedBooking() const;
    int FilterOf(const QComboBox* combo) const;
    QString RoomLabel(int roomId) const;
    QString GuestLine(int guestId) const;
    QString GroupText(int groupId) const;
    void AddDetail(const QString& label, const QString& value, const QString& separator = QStringLiteral(": "));

    LodgixState& m_state;
    DeskWindowLinks m_links;
    Mode m_mode;
    int m_formNumber;
    MessageEditor m_messageEditor;
    CSortListCtrl* m_list = nullptr;
    QDateEdit* m_startDate = nullptr;
    QDateEdit* m_endDate = nullptr;
    QLabel* m_fromLabel = nullptr;
    QLabel* m_toLabel = nullptr;
    QComboBox* m_rooms = nullptr;
    QComboBox* m_clients = nullptr;
    QListWidget* m_details = nullptr;
    QPushButton* m_action = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_second = nullptr;
    std::vector<CheckInRecord> m_stays;
    std::vector<BookingRecord> m_bookings;
    QDate m_formDate;
    int m_shownForm = 0;  // the number of the form generated or opened, 0 before one
};

// The texts of a police form's rows that fit the form's fields.
PoliceFormEntry PoliceFormEntryOf(const QStringList& columns);

}  // namespace lodgix
