#include "oledatetext.h"

namespace {

const QString kTimeFormat = QStringLiteral("HH:mm:ss");

QString DateFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

}  // namespace

QString FormatOleDate(const OleDate& date, const QLocale& locale)
{
    if (!date.IsValid())
        return {};
    const bool midnight = date.Hour() == 0 && date.Minute() == 0 && date.Second() == 0;
    if (static_cast<qint64>(date.Value()) == 0 && date.Value() >= 0.0)
        return locale.toString(date.Time(), kTimeFormat);
    const QString day = locale.toString(date.Date(), DateFormat(locale));
    return midnight ? day : day + u' ' + locale.toString(date.Time(), kTimeFormat);
}

OleDate ParseOleDate(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    const QString dateFormat = DateFormat(locale);
    for (const QString& format : {dateFormat + u' ' + kTimeFormat, dateFormat + QStringLiteral(" H:mm:ss"),
                                  dateFormat + QStringLiteral(" HH:mm"), dateFormat}) {
        const QDateTime dateTime = locale.toDateTime(trimmed, format);
        if (dateTime.isValid())
            return OleDate::FromDateTime(dateTime);
    }
    return OleDate::Invalid();
}

OleDate ParseDisplayedOleDate(const QString& text, const QLocale& locale)
{
    // Two-digit years below this one belong to the next century.
    constexpr int kTwoDigitYearPivot = 1930;
    const OleDate full = ParseOleDate(text, locale);
    if (full.IsValid())
        return full;
    const QString trimmed = text.trimmed();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    for (const QString& format : {shortDate + QStringLiteral(" HH:mm:ss"), shortDate + QStringLiteral(" HH:mm"), shortDate}) {
        QDateTime value = locale.toDateTime(trimmed, format);
        if (!value.isValid())
            continue;
        if (!format.contains(QStringLiteral("yyyy")) && value.date().year() < kTwoDigitYearPivot)
            value = value.addYears(100);
        return OleDate::FromDateTime(value);
    }
    return OleDate::Invalid();
}
