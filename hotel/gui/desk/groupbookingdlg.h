#pragma once

#include "lodgixdialog.h"
#include "oledate.h"
#include "roomrecord.h"
#include "servicerecord.h"

#include <functional>
#include <vector>

class CNumericEdit;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace lodgix {

class CHotelDatabase;

// What a group booking looks for: its nights, a quality and a beds condition, and the room features and
// optional services its rooms must have.
struct GroupSearchRecord {
    // Comparisons, as the combo boxes list them.
    enum Comparison : quint8 { kNone = 0, kAtLeast = 1, kAtMost = 2, kEqual = 3 };

    OleDate firstNight;
    OleDate lastNight;
    quint8 qualityComparison = kNone;
    quint8 quality = 0;
    quint8 bedsComparison = kNone;
    quint8 beds = 0;
    std::vector<int> wantedIds;  // the ticked features, then the ticked services
};

// Dialog 149: the search of a group booking. OK fills the caller's record when the nights start today or
// later; the close box and "Annulla" leave it as it was.
class CGroupBookingDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 149;
    static constexpr int kFirstNight = 1318;
    static constexpr int kNights = 1381;
    static constexpr int kQualityComparison = 1326;
    static constexpr int kQuality = 1327;
    static constexpr int kBedsComparison = 1323;
    static constexpr int kBeds = 1324;
    static constexpr int kFeatures = 1328;
    static constexpr int kServices = 1332;
    static constexpr int kOk = 1329;
    static constexpr int kCancel = 1330;

    CGroupBookingDlg(GroupSearchRecord& search, CHotelDatabase* database, QWidget* parent = nullptr);

    void OnOk();

private:
    GroupSearchRecord& m_search;
    QDateEdit* m_firstNight = nullptr;
    CNumericEdit* m_nights = nullptr;
    QComboBox* m_qualityComparison = nullptr;
    CNumericEdit* m_quality = nullptr;
    QComboBox* m_bedsComparison = nullptr;
    CNumericEdit* m_beds = nullptr;
    QTreeWidget* m_features = nullptr;
    QTreeWidget* m_services = nullptr;
};

// Dialog 150: the rooms a group booking can take, with their daily price for a treatment; the operator
// ticks the rooms and names the client. After "Prenota" the caller's rooms are the ticked ones.
class CRoomSelectDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 150;
    static constexpr int kName = 1333;
    static constexpr int kContact = 1334;
    static constexpr int kNotes = 1340;
    static constexpr int kSelectedLabel = 1337;
    static constexpr int kRooms = 1332;
    static constexpr int kTreatment = 1362;
    static constexpr int kTreatmentText = 1363;
    static constexpr int kBook = 1338;
    static constexpr int kCancel = 1339;
    static constexpr int kOther = 4;  // the treatment whose price is typed by hand

    // A room's daily price with a treatment (0-3) on the first night with the services; false when there
    // is none.
    using DailyPrice = std::function<bool(int roomId, int treatment, Money& price)>;

    CRoomSelectDlg(std::vector<RoomRecord>& rooms, DailyPrice price, QWidget* parent = nullptr);

    QString Name() const;
    QString Contact() const;
    QString Notes() const;
    QString Treatment() const;

    void OnTreatmentChosen();
    void OnBook();
    // Counts the ticked rooms once the click that ticked one has been handled.
    void Recount();

protected:
    bool event(QEvent* event) override;

private:
    std::vector<RoomRecord>& m_rooms;
    DailyPrice m_price;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_contact = nullptr;
    QLineEdit* m_notes = nullptr;
    QLabel* m_selected = nullptr;
    QTreeWidget* m_list = nullptr;
    QComboBox* m_treatment = nullptr;
    QLineEdit* m_treatmentText = nullptr;
    QPushButton* m_book = nullptr;
};

}  // namespace lodgix
