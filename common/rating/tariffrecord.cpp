#include "tariffrecord.h"

#include "binaryrecord.h"
#include "ratingstrings.h"
#include "recordfields.h"

#include <cmath>

namespace {
constexpr qsizetype kName = 0;
constexpr qsizetype kDays = 64;
constexpr qsizetype kCoveredSeconds = 1912;
constexpr qsizetype kAnswerCharge = 1920;
constexpr qsizetype kPulseCost = 1928;

constexpr unsigned kEmptyTariffName = 1058;
}  // namespace

std::optional<TariffRecord> TariffRecord::Decode(QByteArrayView bytes, qsizetype offset)
{
    if (!HasTerminator(bytes, offset + kName, kNameWidth))
        return std::nullopt;
    TariffRecord tariff;
    tariff.name = ReadAnsiField(bytes, offset + kName, kNameWidth);
    for (int day = 0; day < kDayCount; ++day) {
        std::optional<TariffDay> decoded = TariffDay::Decode(bytes, offset + kDays + day * TariffDay::kSize);
        if (!decoded)
            return std::nullopt;
        tariff.days[day] = std::move(*decoded);
    }
    tariff.coveredSeconds = GetF64(bytes, offset + kCoveredSeconds);
    tariff.answerCharge = GetF64(bytes, offset + kAnswerCharge);
    tariff.pulseCost = GetF64(bytes, offset + kPulseCost);
    if (!std::isfinite(tariff.coveredSeconds) || !std::isfinite(tariff.answerCharge) || !std::isfinite(tariff.pulseCost))
        return std::nullopt;
    return tariff;
}

void TariffRecord::Encode(QByteArray& bytes, qsizetype offset) const
{
    WriteAnsiField(bytes, offset + kName, kNameWidth, name);
    for (int day = 0; day < kDayCount; ++day)
        days[day].Encode(bytes, offset + kDays + day * TariffDay::kSize);
    PutF64(bytes, offset + kCoveredSeconds, coveredSeconds);
    PutF64(bytes, offset + kAnswerCharge, answerCharge);
    PutF64(bytes, offset + kPulseCost, pulseCost);
}

void InitEmptyTariff(TariffRecord& tariff)
{
    tariff = TariffRecord();
    tariff.name = RatingString(kEmptyTariffName);
    for (TariffDay& day : tariff.days)
        day.bands = {TariffBand{0.0, kSecondsPerDay, 0.0, kGreenBand}};
}
