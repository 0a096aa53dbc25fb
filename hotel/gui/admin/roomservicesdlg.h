#pragma once

#include "lodgixdialog.h"
#include "servicerecord.h"

#include <vector>

class QTreeWidget;

namespace lodgix {

// Ticks the optional services that a booking or a stay takes: one row per service of the caller's array,
// ticked by its selected flag. OK writes every tick back; closing the window cancels.
class CRoomServicesDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1352;
    static constexpr int kOk = 1353;

    explicit CRoomServicesDlg(std::vector<ServiceRecord>& services, QWidget* parent = nullptr);

private:
    void OnOk();

    std::vector<ServiceRecord>& m_services;
    QTreeWidget* m_list;
};

}  // namespace lodgix
