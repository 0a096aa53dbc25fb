#pragma once

#include <QString>
#include <QtGlobal>

// Amounts with two decimals (money, VAT rates) are whole hundredths; these turn them into "%0.2f" text and
// back. A third decimal rounds half away from zero ("1.005" is 1.01, "-1.005" is -1.01); further
// decimals are dropped after that rounding.
namespace lodgix {

// The stored columns are numeric(12,2): ten digits before the point, two after.
inline constexpr qint64 kMaxHundredths = 999'999'999'999;

// False for anything but [blanks][sign]digits[.digits][blanks], or a value beyond the columns' range.
bool ParseHundredths(const QString& text, qint64& hundredths);
QString HundredthsText(qint64 hundredths);

}  // namespace lodgix
