#include "callloggerline.h"

namespace {

// Field widths, in line order.
constexpr int kWordWidth = 10;       // "Interno"
constexpr int kExtensionWidth = 5;
constexpr int kDateWidth = 20;       // start, end
constexpr int kDurationWidth = 10;
constexpr int kCallKindWidth = 8;    // "Urbana"
constexpr int kLineWidth = 3;
constexpr int kNumberWidth = 20;
constexpr int kUnitWidth = 8;        // "Secondi" or "Scatti"
constexpr int kPulsesWidth = 6;
constexpr int kPriceWordWidth = 8;   // "Prezzo"
constexpr int kPriceWidth = 6;
static_assert(kWordWidth + kExtensionWidth + 2 * kDateWidth + kDurationWidth + kCallKindWidth + kLineWidth +
                      kNumberWidth + kUnitWidth + kPulsesWidth + kPriceWordWidth + kPriceWidth ==
                  kCallLoggerLineWidth,
              "the fields fill the line");

const QString kDateFormat = QStringLiteral("%d/%m/%Y %H:%M:%S");

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// Hours past a day keep counting rather than wrap.
QString DurationText(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3").arg(TwoDigits(static_cast<int>(seconds / 3600)),
                                          TwoDigits(static_cast<int>(seconds / 60 % 60)),
                                          TwoDigits(static_cast<int>(seconds % 60)));
}

}  // namespace

bool PadToFixedWidth(int width, QString& text)
{
    if (text.size() > width)
        return false;
    text = text.leftJustified(width, u' ');
    return true;
}

bool FormatFixedDate(const OleDate& date, const QString& format, int width, QString& text)
{
    if (!date.IsValid())
        return false;
    QString formatted;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) != u'%' || i + 1 == format.size()) {
            formatted += format.at(i);
            continue;
        }
        switch (format.at(++i).unicode()) {
        case 'd':
            formatted += TwoDigits(date.Day());
            break;
        case 'm':
            formatted += TwoDigits(date.Month());
            break;
        case 'Y':
            formatted += QString::number(date.Year());
            break;
        case 'H':
            formatted += TwoDigits(date.Hour());
            break;
        case 'M':
            formatted += TwoDigits(date.Minute());
            break;
        case 'S':
            formatted += TwoDigits(date.Second());
            break;
        default:
            formatted += format.at(i);
            break;
        }
    }
    if (!PadToFixedWidth(width, formatted))
        return false;
    text = formatted;
    return true;
}

bool FormatFixedText(const QString& value, int width, QString& text)
{
    QString formatted = value;
    if (!PadToFixedWidth(width, formatted))
        return false;
    text = formatted;
    return true;
}

bool FormatFixedNumber(long long value, const char* format, int width, QString& text)
{
    QString formatted = QString::asprintf(format, value);
    if (!PadToFixedWidth(width, formatted))
        return false;
    text = formatted;
    return true;
}

bool FormatFixedReal(double value, const char* format, int width, QString& text)
{
    QString formatted = QString::asprintf(format, value);
    if (!PadToFixedWidth(width, formatted))
        return false;
    text = formatted;
    return true;
}

bool FormatCallLoggerLine(const LoggedCall& call, const CallRating& rating, bool logsDurations, QString& line)
{
    const OleDate end = call.start.AddSeconds(rating.durationSeconds);
    QString fields[12];
    const bool fits =
        FormatFixedText(QStringLiteral("Interno"), kWordWidth, fields[0]) &&
        FormatFixedNumber(call.extension, "%lld", kExtensionWidth, fields[1]) &&
        FormatFixedDate(call.start, kDateFormat, kDateWidth, fields[2]) &&
        FormatFixedDate(end, kDateFormat, kDateWidth, fields[3]) &&
        FormatFixedText(DurationText(rating.durationSeconds), kDurationWidth, fields[4]) &&
        FormatFixedText(QStringLiteral("Urbana"), kCallKindWidth, fields[5]) &&
        FormatFixedNumber(call.externalLine + 1LL, "%0.2lld", kLineWidth, fields[6]) &&
        FormatFixedText(call.dialledNumber, kNumberWidth, fields[7]) &&
        FormatFixedText(logsDurations ? QStringLiteral("Secondi") : QStringLiteral("Scatti"), kUnitWidth,
                        fields[8]) &&
        FormatFixedNumber(static_cast<long long>(call.pulses), "%0.5lld", kPulsesWidth, fields[9]) &&
        FormatFixedText(QStringLiteral("Prezzo"), kPriceWordWidth, fields[10]) &&
        FormatFixedReal(rating.cost, "%0.2f", kPriceWidth, fields[11]);
    if (!fits)
        return false;
    line.clear();
    for (const QString& field : fields)
        line += field;
    line += QStringLiteral("\r\n");
    return true;
}
