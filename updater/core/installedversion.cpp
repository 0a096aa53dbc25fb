#include "installedversion.h"

#include "registrykey.h"
#include "updatesettings.h"

#include <limits>

namespace {

// The decimal number at the start of the text (up to the first non-digit; none gives 0), or -1 when it
// does not fit 16 bits.
long DecimalPrefix(QStringView text)
{
    long value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<std::uint16_t>::max())
            return -1;
    }
    return value;
}

}  // namespace

bool ApplyDisplayVersion(const QString& text, std::uint16_t& series, std::uint16_t& build)
{
    const qsizetype firstDot = text.indexOf(u'.');
    if (firstDot < 0)
        return false;
    const long seriesValue = DecimalPrefix(QStringView(text).sliced(firstDot + 1));
    if (seriesValue < 0)
        return false;
    const qsizetype secondDot = text.indexOf(u'.', firstDot + 1);
    const long buildValue = secondDot < 0 ? 0 : DecimalPrefix(QStringView(text).sliced(secondDot + 1));
    if (buildValue < 0)
        return false;
    series = static_cast<std::uint16_t>(seriesValue);
    if (secondDot < 0)
        return false;
    build = static_cast<std::uint16_t>(buildValue);
    return true;
}

bool ReadInstalledVersion(UpdateSettings& settings)
{
    const RegistryKey key(kSuiteUninstallKey);
    if (!key.HasValue(kDisplayVersionValue))
        return false;
    return ApplyDisplayVersion(key.ReadString(kDisplayVersionValue), settings.series, settings.build);
}
