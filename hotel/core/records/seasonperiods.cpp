#include "seasonperiods.h"

#include <QDate>

namespace lodgix {

namespace {

constexpr int kLeapYear = 2004;  // a bound names a day of any year, 29 February included
constexpr int kBoundsPerSeason = 2 * SeasonTable::kRanges;

// Whether the bounds of one season, start 1, end 1, ... start 5, end 5, follow each other.
bool BoundsInOrder(const std::array<quint16, kBoundsPerSeason>& bounds)
{
    for (int i = 0; i + 1 < kBoundsPerSeason; ++i) {
        const quint16 a = bounds[static_cast<std::size_t>(i)];
        const quint16 b = bounds[static_cast<std::size_t>(i + 1)];
        const bool aIsStart = i % 2 == 0;
        if (a == 0 && b != 0)
            return false;  // a period after one not in use
        if (a != 0 && b == 0 && aIsStart)
            return false;  // a start without its end
        if (a != 0 && b != 0 && b < a)
            return false;
    }
    return true;
}

}  // namespace

QString PeriodBoundText(quint16 bound)
{
    return QString::asprintf("%02d%02d", bound & 0xFF, bound >> 8);
}

std::optional<quint16> ParsePeriodBound(const QString& text)
{
    if (text.size() != 4)
        return std::nullopt;
    if (text == QLatin1String("0000"))
        return quint16(0);
    bool dayOk = false;
    bool monthOk = false;
    const int day = text.left(2).toInt(&dayOk);
    const int month = text.mid(2, 2).toInt(&monthOk);
    if (!dayOk || !monthOk || !QDate(kLeapYear, month, day).isValid())
        return std::nullopt;
    return SeasonTable::Day(month, day);
}

SeasonBoundTexts SeasonTexts(const SeasonTable& seasons)
{
    SeasonBoundTexts texts;
    for (int k = 0; k < SeasonTable::kRanges; ++k) {
        const auto at = static_cast<std::size_t>(k);
        texts[2 * at] = PeriodBoundText(seasons.low[at].start);
        texts[2 * at + 1] = PeriodBoundText(seasons.low[at].end);
        texts[kBoundsPerSeason + 2 * at] = PeriodBoundText(seasons.high[at].start);
        texts[kBoundsPerSeason + 2 * at + 1] = PeriodBoundText(seasons.high[at].end);
    }
    return texts;
}

std::optional<SeasonTable> ParseSeasonTexts(const SeasonBoundTexts& texts)
{
    std::array<quint16, kBoundsPerSeason> low{};
    std::array<quint16, kBoundsPerSeason> high{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<quint16> bound = ParsePeriodBound(texts[i]);
        if (!bound)
            return std::nullopt;
        (i < low.size() ? low[i] : high[i - low.size()]) = *bound;
    }
    if (!BoundsInOrder(high) || !BoundsInOrder(low))
        return std::nullopt;
    SeasonTable seasons;
    for (std::size_t k = 0; k < seasons.low.size(); ++k) {
        seasons.low[k] = {low[2 * k], low[2 * k + 1]};
        seasons.high[k] = {high[2 * k], high[2 * k + 1]};
    }
    return seasons;
}

}  // namespace lodgix
