#pragma once

#include "oledate.h"
#include "pbxstatetables.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;

// An extension's wake-up call: the time as four digits "hhmm" and whether it rings once or every day,
// on the caller's copy of the 5-byte wake-up record. A second form picks a date for a date filter.
// A time that is not four digits, or no time of day, is refused with a message and the dialog stays open.
class CWakeUpTimeDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { kWakeUpMode = 0, kDateFilterMode = 1 };
    static constexpr int kDate = 1027;
    static constexpr int kTimeLabel = 1041;
    static constexpr int kOk = 1042;
    static constexpr int kCancel = 1043;
    static constexpr int kModeLabel = 1044;
    static constexpr int kKind = 1045;
    static constexpr int kTime = 1115;
    // Kinds of the record (byte 1) and positions of the kind combo.
    static constexpr std::uint8_t kOff = 0;
    static constexpr std::uint8_t kDaily = 1;
    static constexpr std::uint8_t kSingle = 2;
    static constexpr int kSinglePosition = 0;
    static constexpr int kDailyPosition = 1;

    // The wake-up form on the record.
    explicit CWakeUpTimeDlg(PbxStateTables::WakeUp& record, QWidget* parent = nullptr);
    // The date-filter form on a date.
    explicit CWakeUpTimeDlg(OleDate& date, QWidget* parent = nullptr);

    Mode DialogMode() const { return m_mode; }

    // Hour and minute of "hhmm": exactly four digits, hour 0-23, minute 0-59; false otherwise.
    static bool ParseTime(const QString& text, int& hour, int& minute);

private:
    CWakeUpTimeDlg(Mode mode, QWidget* parent);
    void OnOk();

    Mode m_mode;
    PbxStateTables::WakeUp* m_record = nullptr;
    QLineEdit* m_time;
    QComboBox* m_kind;
    QDateEdit* m_date;
};
