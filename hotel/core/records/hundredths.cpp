#include "hundredths.h"

#include <cstdlib>

namespace lodgix {

namespace {

// Digits kept before the point: the integer part must stay below kMaxHundredths / 100.
constexpr int kMaxIntegerDigits = 10;
constexpr int kRoundingDigit = 5;

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool ParseHundredths(const QString& text, qint64& hundredths)
{
    const QString value = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == u'-' || value[i] == u'+'))
        negative = value[i++] == u'-';
    qint64 whole = 0;
    int integerDigits = 0;
    const qsizetype firstDigit = i;
    while (i < value.size() && IsAsciiDigit(value[i])) {
        whole = whole * 10 + (value[i++].unicode() - u'0');
        if (whole > 0 && ++integerDigits > kMaxIntegerDigits)
            return false;
    }
    const bool hadIntegerDigits = i > firstDigit;
    int decimals[3] = {0, 0, 0};
    int decimalCount = 0;
    if (i < value.size() && value[i] == u'.') {
        ++i;
        while (i < value.size() && IsAsciiDigit(value[i])) {
            if (decimalCount < 3)
                decimals[decimalCount] = value[i].unicode() - u'0';
            ++decimalCount;
            ++i;
        }
    }
    if (i != value.size() || (!hadIntegerDigits && decimalCount == 0))
        return false;
    qint64 result = whole * 100 + decimals[0] * 10 + decimals[1];
    if (decimals[2] >= kRoundingDigit)
        ++result;
    if (result > kMaxHundredths)
        return false;
    hundredths = negative ? -result : result;
    return true;
}

QString HundredthsText(qint64 hundredths)
{
    const qint64 magnitude = std::llabs(hundredths);
    return QStringLiteral("%1%2.%3")
        .arg(hundredths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace lodgix
