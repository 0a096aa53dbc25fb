#pragma once

#include "availabilityrecord.h"
#include "lodgixdialog.h"

#include <functional>

class QDateEdit;
class QLineEdit;

namespace lodgix {

// A period in which a room cannot be let, with its reason. Refuses dates in the past: a period that has
// begun keeps its start and may still end yesterday.
class CUnavailabilityDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kStart = 1172;
    static constexpr int kEnd = 1173;
    static constexpr int kStartLabel = 1174;
    static constexpr int kEndLabel = 1175;
    static constexpr int kReasonLabel = 1176;
    static constexpr int kReason = 1177;
    static constexpr int kOk = 1178;
    static constexpr int kCancel = 1179;
    static constexpr int kReasonLength = 255;

    // Without a record both dates are today; the clock gives "now" (the PC's when empty).
    CUnavailabilityDlg(const AvailabilityRecord* period, std::function<OleDate()> now, QWidget* parent = nullptr);

    OleDate StartDate() const;
    OleDate EndDate() const;
    QString Reason() const;

private:
    void OnOk();
    OleDate Today() const;

    std::function<OleDate()> m_now;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_reason;
};

}  // namespace lodgix
