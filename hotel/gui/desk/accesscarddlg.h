#pragma once

#include "checkinrecord.h"
#include "lodgixdialog.h"

class QComboBox;
class QTreeWidget;

namespace lodgix {

class CHotelDatabase;

// A new access card of a stay: the guest who receives it and the common zones it opens.
class CAccessCardDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kGuestLabel = 1449;
    static constexpr int kGuest = 1450;
    static constexpr int kZonesLabel = 1451;
    static constexpr int kZones = 1452;
    static constexpr int kOk = 1453;
    static constexpr int kCancel = 1454;
    static constexpr int kNameColumn = 0;
    static constexpr int kCodeColumn = 1;

    CAccessCardDlg(const CheckInRecord& stay, CHotelDatabase& database, QWidget* parent = nullptr);

    QString GuestName() const { return m_guestName; }
    // The codes of the ticked zones joined without separator, in the list's order.
    QString ZoneCodes() const { return m_zoneCodes; }

private:
    void OnOk();

    QComboBox* m_guest;
    QTreeWidget* m_zones;
    QString m_guestName;
    QString m_zoneCodes;
};

}  // namespace lodgix
