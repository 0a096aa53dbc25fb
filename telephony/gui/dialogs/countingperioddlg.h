#pragma once

#include <QDate>
#include <QDialog>
#include <QTime>

class QDateEdit;
class QTimeEdit;

// Picks a date and a time that bound a counting period: its start (mode 4) or its end (mode 5). The
// caller sets both pickers before and reads them after OK; both start at the current time.
class CCountingPeriodDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStartMode = 4;
    static constexpr int kEndMode = 5;
    static constexpr int kDate = 1007;
    static constexpr int kDateLabel = 1008;
    static constexpr int kTime = 1009;
    static constexpr int kTimeLabel = 1010;
    static constexpr int kOk = 1011;
    static constexpr int kCancel = 1012;

    explicit CCountingPeriodDlg(int mode, QWidget* parent = nullptr);

    void SetDate(const QDate& date);
    void SetTime(const QTime& time);
    QDate Date() const;
    QTime Time() const;

private:
    QDateEdit* m_date;
    QTimeEdit* m_time;
};
