#include "sqldate.h"

#include <QDateTime>

namespace {

OleDate FromWallClock(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        return OleDate::Invalid();
    return OleDate(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

}  // namespace

QString SqlDateText(const OleDate& date)
{
    if (!date.IsValid())
        return {};
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(date.Year(), 4, 10, QLatin1Char('0'))
        .arg(date.Month(), 2, 10, QLatin1Char('0'))
        .arg(date.Day(), 2, 10, QLatin1Char('0'))
        .arg(date.Hour(), 2, 10, QLatin1Char('0'))
        .arg(date.Minute(), 2, 10, QLatin1Char('0'))
        .arg(date.Second(), 2, 10, QLatin1Char('0'));
}

OleDate DateFromStored(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return OleDate::Invalid();
    switch (value.metaType().id()) {
    case QMetaType::QDateTime: {
        // A timestamp without time zone: its wall-clock reading is the stored value.
        const QDateTime dateTime = value.toDateTime();
        return FromWallClock(dateTime.date(), dateTime.time());
    }
    case QMetaType::QDate:
        return FromWallClock(value.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        // ISO with a blank or a 'T' between date and time; a bare date is midnight.
        const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        if (text.size() == 10)
            return FromWallClock(date, QTime(0, 0));
        if (text.size() < 19 || (text.at(10) != u' ' && text.at(10) != u'T'))
            return OleDate::Invalid();
        return FromWallClock(date, QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss")));
    }
    default:
        return OleDate::Invalid();
    }
}
