#include "ratingformat.h"

#include <cmath>
#include <limits>

QString FormatDuration(double seconds)
{
    if (!(seconds > 0.0))
        seconds = 0.0;
    const double hours = std::floor(seconds / 3600.0);
    const double rest = seconds - hours * 3600.0;
    const double minutes = std::floor(rest / 60.0);
    const double wholeSeconds = std::floor(rest - minutes * 60.0);
    return QStringLiteral("%1:%2:%3")
        .arg(static_cast<qint64>(hours))
        .arg(static_cast<int>(minutes), 2, 10, QLatin1Char('0'))
        .arg(static_cast<int>(wholeSeconds), 2, 10, QLatin1Char('0'));
}

qint64 RoundToNearest(double x)
{
    if (std::isnan(x))
        return 0;
    const double rounded = std::floor(x + 0.5);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (rounded >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (rounded < -kLimit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(rounded);
}
