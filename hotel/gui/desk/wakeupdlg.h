#pragma once

#include "lodgixdialog.h"

#include <QByteArray>

class QComboBox;
class QLineEdit;

namespace lodgix {

// The wake-up call of a room's extension: its time as "hhmm" and its mode. Edits the caller's 5-byte
// wake-up record (extension index, mode, hour, minute, state) on OK.
class CWakeUpDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kTimeLabel = 1041;
    static constexpr int kOk = 1042;
    static constexpr int kCancel = 1043;
    static constexpr int kModeLabel = 1044;
    static constexpr int kMode = 1045;
    static constexpr int kTime = 1115;
    // The combo's entries and the modes they stand for.
    static constexpr int kDisabledEntry = 0;
    static constexpr int kSingleEntry = 1;
    static constexpr int kDailyEntry = 2;
    static constexpr quint8 kDisabledMode = 0;
    static constexpr quint8 kDailyMode = 1;
    static constexpr quint8 kSingleMode = 2;

    // A dialog mode other than 0 shows nothing and changes nothing.
    CWakeUpDlg(quint8 mode, QByteArray& wakeUp, QWidget* parent = nullptr);

private:
    void OnOk();

    quint8 m_mode;
    QByteArray& m_wakeUp;
    QLineEdit* m_time;
    QComboBox* m_modeCombo;
};

}  // namespace lodgix
