#pragma once

#include <QDialog>

#include <optional>

class CNumericEdit;
class QLineEdit;

// Dialog 133: one time band of a tariff day. The start is fixed (the end of the band before); the user
// types the end as four digits hhmm ("2400" ends the day) and the band's value: euro cents per second
// for a time tariff, the pulse interval in seconds for a pulse tariff. OK refuses an end that is not a
// time after the start with message 1073.
class CTimeBandDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 133;
    static constexpr int kPulseTariffFlag = 0x8000;  // in the band argument

    // `band`: the band's index from 0, with kPulseTariffFlag for a pulse tariff; `start` in seconds.
    CTimeBandDlg(int band, double start, QWidget* parent = nullptr);

    // Fills the end (seconds) and the value as the dialog shows it (cents or seconds) before it opens.
    void Prefill(double end, double shownValue);
    // After OK: the end in seconds; the value as the tariff stores it (euro per second or seconds) and
    // as the dialog showed it.
    double End() const { return m_end; }
    double Value() const { return m_value; }
    double ShownValue() const;

    // The seconds of an "hhmm" end; nothing when it is no time of day up to 24:00.
    static std::optional<double> ParseEnd(const QString& text);

protected:
    void accept() override;

private:
    bool m_pulseTariff = false;
    double m_start = 0.0;
    double m_end = 0.0;
    double m_value = 0.0;
    QLineEdit* m_endEdit = nullptr;
    CNumericEdit* m_valueEdit = nullptr;
};

// Four digits hhmm of a time given in seconds since midnight (86400 is "2400").
QString HhmmText(double seconds);
