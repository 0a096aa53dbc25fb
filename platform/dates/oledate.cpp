#include "oledate.h"

#include <cmath>

namespace {

constexpr qint64 kSecondsPerDay = 86400;

QDate Epoch() { return QDate(1899, 12, 30); }

double ValueFromParts(qint64 dayNumber, qint64 secondOfDay)
{
    const double fraction = static_cast<double>(secondOfDay) / kSecondsPerDay;
    return dayNumber >= 0 ? static_cast<double>(dayNumber) + fraction
                          : static_cast<double>(dayNumber) - fraction;
}

bool InRange(double days) { return days >= OleDate::kMinValue && days <= OleDate::kMaxValue; }

}  // namespace

OleDate::OleDate(double days) : m_days(days), m_valid(std::isfinite(days) && InRange(days)) {}

OleDate::OleDate(int year, int month, int day, int hour, int minute, int second)
{
    const QDate date(year, month, day);
    const bool timeOk = hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
    if (!date.isValid() || !timeOk || year < 100 || year > 9999) {
        *this = Invalid();
        return;
    }
    m_days = ValueFromParts(Epoch().daysTo(date), hour * 3600 + minute * 60 + second);
    m_valid = true;
}

OleDate OleDate::Invalid()
{
    OleDate date;
    date.m_valid = false;
    return date;
}

OleDate OleDate::Now() { return FromDateTime(QDateTime::currentDateTime()); }

OleDate OleDate::FromDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return Invalid();
    const QDateTime local = dateTime.toLocalTime();
    const QTime time = local.time();
    return OleDate(local.date().year(), local.date().month(), local.date().day(), time.hour(), time.minute(),
                   time.second());
}

OleDate OleDate::FromSeconds(qint64 seconds)
{
    // Floor division keeps the time of day positive before 30/12/1899.
    qint64 dayNumber = seconds / kSecondsPerDay;
    qint64 secondOfDay = seconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --dayNumber;
    }
    return OleDate(ValueFromParts(dayNumber, secondOfDay));
}

OleDate::Parts OleDate::Split() const
{
    Parts parts;
    if (!m_valid)
        return parts;
    const double whole = std::trunc(m_days);
    parts.dayNumber = static_cast<qint64>(whole);
    parts.secondOfDay = std::llround(std::fabs(m_days - whole) * kSecondsPerDay);
    if (parts.secondOfDay >= kSecondsPerDay) {  // 23:59:59.6 rounds up into the next day
        parts.secondOfDay -= kSecondsPerDay;
        ++parts.dayNumber;
    }
    return parts;
}

QDate OleDate::Date() const { return m_valid ? Epoch().addDays(Split().dayNumber) : QDate(); }

QTime OleDate::Time() const
{
    return m_valid ? QTime(0, 0).addSecs(static_cast<int>(Split().secondOfDay)) : QTime();
}

QDateTime OleDate::ToDateTime() const { return m_valid ? QDateTime(Date(), Time()) : QDateTime(); }

int OleDate::Year() const { return Date().year(); }
int OleDate::Month() const { return Date().month(); }
int OleDate::Day() const { return Date().day(); }
int OleDate::Hour() const { return m_valid ? static_cast<int>(Split().secondOfDay / 3600) : -1; }
int OleDate::Minute() const { return m_valid ? static_cast<int>(Split().secondOfDay / 60 % 60) : -1; }
int OleDate::Second() const { return m_valid ? static_cast<int>(Split().secondOfDay % 60) : -1; }
int OleDate::DayOfWeek() const { return m_valid ? Date().dayOfWeek() % 7 + 1 : -1; }
int OleDate::DayOfYear() const { return Date().dayOfYear(); }

qint64 OleDate::ToSeconds() const
{
    const Parts parts = Split();
    return parts.dayNumber * kSecondsPerDay + parts.secondOfDay;
}

OleDate OleDate::AddSeconds(qint64 seconds) const
{
    return m_valid ? FromSeconds(ToSeconds() + seconds) : Invalid();
}

OleDate OleDate::AddDays(double days) const
{
    return AddSeconds(std::llround(days * kSecondsPerDay));
}

qint64 SecondsBetween(const OleDate& from, const OleDate& to) { return to.ToSeconds() - from.ToSeconds(); }
