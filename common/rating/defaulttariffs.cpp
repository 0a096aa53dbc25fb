#include "defaulttariffs.h"

#include "ratingstrings.h"

#include <array>

namespace {

// Band edges in seconds since midnight.
constexpr double k0800 = 28800.0;
constexpr double k1300 = 46800.0;
constexpr double k1830 = 66600.0;

constexpr int kSaturday = 5;

// String ids of the names.
constexpr unsigned kUrbanName = 1022;
constexpr unsigned kLongDistanceName = 1023;
constexpr unsigned kMobileName = 1024;
constexpr unsigned kInternationalZoneName = 1025;
constexpr unsigned kFreeNumbersName = 1027;
constexpr unsigned kGenericName = 1028;
constexpr unsigned kPulseName = 1150;
constexpr unsigned kFreeTariffName = 1181;
constexpr unsigned kSingleNumberName = 1182;
constexpr unsigned kPersonalNumberName = 1183;
constexpr unsigned kInternetName = 1184;
constexpr unsigned kTelevoteName = 1185;
constexpr unsigned kSocialName = 1186;
constexpr unsigned kDirectoryName = 1187;
constexpr unsigned kAssistanceName = 1188;
constexpr unsigned kMobileWord = 1221;

constexpr double kStandardAnswerCharge = 0.00787;
constexpr double kInternationalAnswerCharge = 0.3098;
constexpr double kSocialAnswerCharge = 0.0656;

enum class Bands { Flat, Urban, Weekday };

// Prices are given per minute, as the tariffs were published; a band stores the price per second.
struct DefaultTariff {
    unsigned nameId;
    const char* suffix;   // literal piece after the name
    bool mobile;          // followed by " " and the word "Mobile"
    double answerCharge;
    Bands bands;
    double offPeakPerMinute;  // also the flat price
    double peakPerMinute;
};

constexpr std::array<DefaultTariff, 33> kTimeTariffs = {{
    {kGenericName, "", false, 0.0, Bands::Flat, 0.0, 0.0},
    {kUrbanName, "", false, kStandardAnswerCharge, Bands::Urban, 0.0082, 0.0143},
    {kLongDistanceName, "", false, kStandardAnswerCharge, Bands::Weekday, 0.031, 0.1069},
    {kMobileName, "", false, kStandardAnswerCharge, Bands::Weekday, 0.12, 0.3998},
    {kFreeNumbersName, "", false, 0.1, Bands::Flat, 0.0, 0.0},
    {kInternationalZoneName, " 1", false, kInternationalAnswerCharge, Bands::Flat, 0.1812, 0.0},
    {kInternationalZoneName, " 1", true, kInternationalAnswerCharge, Bands::Flat, 0.4032, 0.0},
    {kInternationalZoneName, " 2", false, kInternationalAnswerCharge, Bands::Flat, 0.36, 0.0},
    {kInternationalZoneName, " 2", true, kInternationalAnswerCharge, Bands::Flat, 0.5, 0.0},
    {kInternationalZoneName, " 3", false, kInternationalAnswerCharge, Bands::Flat, 0.5, 0.0},
    {kInternationalZoneName, " 3", true, kInternationalAnswerCharge, Bands::Flat, 0.65, 0.0},
    {kInternationalZoneName, " 4", false, kInternationalAnswerCharge, Bands::Flat, 0.85, 0.0},
    {kInternationalZoneName, " 4", true, kInternationalAnswerCharge, Bands::Flat, 1.0, 0.0},
    {kInternationalZoneName, " 5", false, kInternationalAnswerCharge, Bands::Flat, 0.9916, 0.0},
    {kInternationalZoneName, " 5", true, kInternationalAnswerCharge, Bands::Flat, 1.1502, 0.0},
    {kInternationalZoneName, " 6", false, kInternationalAnswerCharge, Bands::Flat, 1.6901, 0.0},
    {kInternationalZoneName, " 6", true, kInternationalAnswerCharge, Bands::Flat, 1.992, 0.0},
    {kInternationalZoneName, " 7", false, kInternationalAnswerCharge, Bands::Flat, 3.1622, 0.0},
    {kInternationalZoneName, " 7", true, kInternationalAnswerCharge, Bands::Flat, 3.6, 0.0},
    {kFreeTariffName, "", false, 0.0, Bands::Flat, 0.0, 0.0},
    {kSingleNumberName, "", false, 0.12, Bands::Flat, 0.26, 0.0},
    {kPersonalNumberName, "", false, 0.15, Bands::Flat, 0.35, 0.0},
    {kInternetName, " 1", false, 0.1, Bands::Urban, 0.0082, 0.0143},
    {kInternetName, " 2", false, 0.1, Bands::Flat, 0.06, 0.0},
    {kTelevoteName, "", false, 0.5, Bands::Flat, 0.0, 0.0},
    {kSocialName, " 1", false, kSocialAnswerCharge, Bands::Flat, 0.2293, 0.0},
    {kSocialName, " 2", false, kSocialAnswerCharge, Bands::Flat, 0.328, 0.0},
    {kSocialName, " 3", false, kSocialAnswerCharge, Bands::Flat, 0.4917, 0.0},
    {kSocialName, " 4", false, kSocialAnswerCharge, Bands::Flat, 0.7871, 0.0},
    {kSocialName, " 5", false, kSocialAnswerCharge, Bands::Flat, 1.3118, 0.0},
    {kSocialName, " 6", false, 0.3, Bands::Flat, 1.5, 0.0},
    {kDirectoryName, "", false, 1.0, Bands::Flat, 0.0, 0.0},
    {kAssistanceName, "", false, 1.0, Bands::Flat, 0.0, 0.0},
}};

TariffBand OffPeak(double start, double end, double value) { return {start, end, value, kGreenBand}; }
TariffBand Peak(double start, double end, double value) { return {start, end, value, kRedBand}; }

void SetFlat(TariffRecord& tariff, double value)
{
    for (TariffDay& day : tariff.days)
        day.bands = {OffPeak(0.0, kSecondsPerDay, value)};
}

// Weekdays: off-peak, peak 08:00-18:30, off-peak; the weekend one off-peak band.
void SetWeekday(TariffRecord& tariff, double offPeak, double peak)
{
    SetFlat(tariff, offPeak);
    for (int day = 0; day < kSaturday; ++day)
        tariff.days[day].bands = {OffPeak(0.0, k0800, offPeak), Peak(k0800, k1830, peak),
                                  OffPeak(k1830, kSecondsPerDay, offPeak)};
}

// As the weekday bands, with a Saturday peak from 08:00 to 13:00.
void SetUrban(TariffRecord& tariff, double offPeak, double peak)
{
    SetWeekday(tariff, offPeak, peak);
    tariff.days[kSaturday].bands = {OffPeak(0.0, k0800, offPeak), Peak(k0800, k1300, peak),
                                    OffPeak(k1300, kSecondsPerDay, offPeak)};
}

TariffRecord MakeTimeTariff(const DefaultTariff& data)
{
    TariffRecord tariff;
    tariff.name = RatingString(data.nameId) + QString::fromLatin1(data.suffix);
    if (data.mobile)
        tariff.name += u' ' + RatingString(kMobileWord);
    tariff.answerCharge = data.answerCharge;
    const double offPeak = data.offPeakPerMinute / 60.0;
    const double peak = data.peakPerMinute / 60.0;
    switch (data.bands) {
    case Bands::Flat:
        SetFlat(tariff, offPeak);
        break;
    case Bands::Urban:
        SetUrban(tariff, offPeak, peak);
        break;
    case Bands::Weekday:
        SetWeekday(tariff, offPeak, peak);
        break;
    }
    return tariff;
}

}  // namespace

void BuildDefaultTariffs(TariffTable& table, TariffVariations& variations)
{
    table = TariffTable();
    TariffRecord pulse;
    pulse.name = RatingString(kPulseName);
    pulse.pulseCost = 0.1;
    SetFlat(pulse, 0.0);  // priced from the pulses the PBX counts, not by time
    table.tariffs.push_back(pulse);
    for (const DefaultTariff& data : kTimeTariffs)
        table.tariffs.push_back(MakeTimeTariff(data));
    ResetTariffVariations(variations, static_cast<std::uint16_t>(table.Count()));
}
