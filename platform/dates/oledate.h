#pragma once

#include <QDateTime>
#include <QtGlobal>

// The class library's date: a double of days since 30/12/1899 00:00, local time. The whole part counts
// days; the fraction is the time of day, measured forward from that day's midnight even for negative
// values (-1.25 is 29/12/1899 06:00). Durations are taken in whole seconds, rounded to the nearest
// second, so that 0.1-second float noise never turns 60 seconds into 59.
class OleDate {
public:
    static constexpr double kMinValue = -657434.0;   // 01/01/100
    static constexpr double kMaxValue = 2958465.99999; // 31/12/9999 23:59:59

    OleDate() = default;  // 30/12/1899 00:00, valid
    explicit OleDate(double days);
    OleDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    static OleDate Invalid();
    static OleDate Now();
    static OleDate FromDateTime(const QDateTime& dateTime);
    static OleDate FromSeconds(qint64 seconds);  // inverse of ToSeconds

    bool IsValid() const { return m_valid; }
    double Value() const { return m_days; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    int DayOfWeek() const;  // 1 = Sunday ... 7 = Saturday
    int DayOfYear() const;  // 1 = 1 January

    QDate Date() const;
    QTime Time() const;
    QDateTime ToDateTime() const;  // local time; invalid for an invalid date

    // Whole seconds since 30/12/1899 00:00 on a straight time line.
    qint64 ToSeconds() const;

    OleDate AddSeconds(qint64 seconds) const;
    OleDate AddDays(double days) const;

    friend bool operator==(const OleDate& a, const OleDate& b) { return a.ToSeconds() == b.ToSeconds(); }
    friend bool operator<(const OleDate& a, const OleDate& b) { return a.ToSeconds() < b.ToSeconds(); }
    friend bool operator<=(const OleDate& a, const OleDate& b) { return !(b < a); }
    friend bool operator>(const OleDate& a, const OleDate& b) { return b < a; }
    friend bool operator>=(const OleDate& a, const OleDate& b) { return !(a < b); }

private:
    struct Parts {
        qint64 dayNumber = 0;    // days after 30/12/1899
        qint64 secondOfDay = 0;  // 0 .. 86399
    };
    Parts Split() const;

    double m_days = 0.0;
    bool m_valid = true;
};

// Whole seconds from `from` to `to` (negative when `to` is earlier).
qint64 SecondsBetween(const OleDate& from, const OleDate& to);
