#include "patchcatalog.h"

namespace {

constexpr qsizetype kDigits = 4;

std::optional<std::uint16_t> FourDigits(QStringView text)
{
    std::uint16_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = static_cast<std::uint16_t>(value * 10 + (c.unicode() - u'0'));
    }
    return value;
}

}  // namespace

std::optional<PatchVersion> ParsePatchName(const QString& name)
{
    if (name.size() != kPatchPrefix.size() + 2 * kDigits + kPatchSuffix.size() || !name.startsWith(kPatchPrefix)
        || !name.endsWith(kPatchSuffix))
        return std::nullopt;
    const auto series = FourDigits(QStringView(name).sliced(kPatchPrefix.size(), kDigits));
    const auto build = FourDigits(QStringView(name).sliced(kPatchPrefix.size() + kDigits, kDigits));
    if (!series || !build)
        return std::nullopt;
    return PatchVersion{*series, *build};
}

QString PatchFileName(PatchVersion version)
{
    return kPatchPrefix + QStringLiteral("%1%2").arg(version.series, kDigits, 10, QChar(u'0')).arg(version.build, kDigits, 10, QChar(u'0'))
        + kPatchSuffix;
}

QString PatchRemotePath(PatchVersion version) { return kPatchFolder + u'/' + PatchFileName(version); }

bool PatchCatalog::Offer(const QString& name, std::int64_t size)
{
    const auto version = ParsePatchName(name);
    if (!version)
        return false;
    if (version->series < kSeriesCount && version->build > m_highestBuild[version->series]) {
        m_highestBuild[version->series] = version->build;
        m_size[version->series] = size;
    }
    return true;
}

std::uint16_t PatchCatalog::HighestBuild(std::uint16_t series) const
{
    return series < kSeriesCount ? m_highestBuild[series] : 0;
}

std::optional<UpdateChoice> PatchCatalog::Choose(PatchVersion installed) const
{
    // The series after the last one the catalog holds has no entry at all.
    const bool hasNextSeries = installed.series + 1 < kSeriesCount && HighestBuild(installed.series + 1) > 0;
    if (HighestBuild(installed.series) > installed.build)
        return UpdateChoice{{installed.series, m_highestBuild[installed.series]}, m_size[installed.series], hasNextSeries};
    if (hasNextSeries) {
        const auto next = static_cast<std::uint16_t>(installed.series + 1);
        return UpdateChoice{{next, m_highestBuild[next]}, m_size[next], false};
    }
    return std::nullopt;
}
