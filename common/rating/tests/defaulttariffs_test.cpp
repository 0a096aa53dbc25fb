#include "defaulttariffs.h"

#include <gtest/gtest.h>

namespace {

enum class Bands { Flat, Urban, Weekday };

struct ExpectedTariff {
    const char* name;
    double answerCharge;
    Bands bands;
    double offPeakPerMinute;
    double peakPerMinute;
};

// Slots 1 to 33, in slot order.
const ExpectedTariff kExpected[] = {
    {"Tariffa generica", 0, Bands::Flat, 0, 0},
    {"Urbane", 0.00787, Bands::Urban, 0.0082, 0.0143},
    {"Interurbane", 0.00787, Bands::Weekday, 0.031, 0.1069},
    {"Cellulari", 0.00787, Bands::Weekday, 0.12, 0.3998},
    {"Numeri verdi", 0.1, Bands::Flat, 0, 0},
    {"Internazionali fascia 1", 0.3098, Bands::Flat, 0.1812, 0},
    {"Internazionali fascia 1 Mobile", 0.3098, Bands::Flat, 0.4032, 0},
    {"Internazionali fascia 2", 0.3098, Bands::Flat, 0.36, 0},
    {"Internazionali fascia 2 Mobile", 0.3098, Bands::Flat, 0.5, 0},
    {"Internazionali fascia 3", 0.3098, Bands::Flat, 0.5, 0},
    {"Internazionali fascia 3 Mobile", 0.3098, Bands::Flat, 0.65, 0},
    {"Internazionali fascia 4", 0.3098, Bands::Flat, 0.85, 0},
    {"Internazionali fascia 4 Mobile", 0.3098, Bands::Flat, 1.0, 0},
    {"Internazionali fascia 5", 0.3098, Bands::Flat, 0.9916, 0},
    {"Internazionali fascia 5 Mobile", 0.3098, Bands::Flat, 1.1502, 0},
    {"Internazionali fascia 6", 0.3098, Bands::Flat, 1.6901, 0},
    {"Internazionali fascia 6 Mobile", 0.3098, Bands::Flat, 1.992, 0},
    {"Internazionali fascia 7", 0.3098, Bands::Flat, 3.1622, 0},
    {"Internazionali fascia 7 Mobile", 0.3098, Bands::Flat, 3.6, 0},
    {"Tariffa gratuita", 0, Bands::Flat, 0, 0},
    {"Tariffa numero unico", 0.12, Bands::Flat, 0.26, 0},
    {"Tariffa numero personale", 0.15, Bands::Flat, 0.35, 0},
    {"Tariffa accesso internet 1", 0.1, Bands::Urban, 0.0082, 0.0143},
    {"Tariffa accesso internet 2", 0.1, Bands::Flat, 0.06, 0},
    {"Tariffa televoto", 0.5, Bands::Flat, 0, 0},
    {"Sociale informativo 1", 0.0656, Bands::Flat, 0.2293, 0},
    {"Sociale informativo 2", 0.0656, Bands::Flat, 0.328, 0},
    {"Sociale informativo 3", 0.0656, Bands::Flat, 0.4917, 0},
    {"Sociale informativo 4", 0.0656, Bands::Flat, 0.7871, 0},
    {"Sociale informativo 5", 0.0656, Bands::Flat, 1.3118, 0},
    {"Sociale informativo 6", 0.3, Bands::Flat, 1.5, 0},
    {"Ricerca elenco abbonati", 1.0, Bands::Flat, 0, 0},
    {"Assistenza informazione", 1.0, Bands::Flat, 0, 0},
};

std::vector<TariffBand> Expected(double start, double end, double value, std::uint32_t colour)
{
    return {TariffBand{start, end, value, colour}};
}

std::vector<TariffBand> ThreeBands(double peakEnd, double offPeak, double peak)
{
    return {TariffBand{0, 28800, offPeak, kGreenBand}, TariffBand{28800, peakEnd, peak, kRedBand},
            TariffBand{peakEnd, 86400, offPeak, kGreenBand}};
}

class DefaultTariffs : public testing::Test {
protected:
    void SetUp() override
    {
        m_variations.values.fill(0.5);
        BuildDefaultTariffs(m_table, m_variations);
    }
    TariffTable m_table;
    TariffVariations m_variations;
};

TEST_F(DefaultTariffs, PulseTariffInSlotZero)
{
    ASSERT_EQ(m_table.Count(), 34);
    const TariffRecord& pulse = m_table.tariffs[0];
    EXPECT_EQ(pulse.name, QStringLiteral("Tariffa centralino a scatti"));
    EXPECT_TRUE(pulse.IsPulseTariff());
    EXPECT_EQ(pulse.pulseCost, 0.1);
    EXPECT_EQ(pulse.answerCharge, 0.0);
    for (const TariffDay& day : pulse.days)
        EXPECT_EQ(day.bands, Expected(0, 86400, 0.0, kGreenBand));
}

TEST_F(DefaultTariffs, TimeTariffsOfEverySlot)
{
    ASSERT_EQ(m_table.Count(), 34);
    for (int slot = 1; slot < 34; ++slot) {
        const ExpectedTariff& expected = kExpected[slot - 1];
        const TariffRecord& tariff = m_table.tariffs[slot];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(tariff.name, QString::fromUtf8(expected.name));
        EXPECT_FALSE(tariff.IsPulseTariff());
        EXPECT_EQ(tariff.answerCharge, expected.answerCharge);
        EXPECT_EQ(tariff.coveredSeconds, 0.0);
        const double offPeak = expected.offPeakPerMinute / 60.0;
        const double peak = expected.peakPerMinute / 60.0;
        for (int day = 0; day < 7; ++day) {
            std::vector<TariffBand> bands = Expected(0, 86400, offPeak, kGreenBand);
            if (expected.bands != Bands::Flat && day < 5)
                bands = ThreeBands(66600, offPeak, peak);
            if (expected.bands == Bands::Urban && day == 5)
                bands = ThreeBands(46800, offPeak, peak);
            EXPECT_EQ(tariff.days[day].bands, bands) << "day " << day;
        }
    }
}

TEST_F(DefaultTariffs, VariationsAreClearedForThirtyFourTariffs)
{
    EXPECT_EQ(m_variations.count, 34);
    for (const double value : m_variations.values)
        EXPECT_EQ(value, 0.0);
}

TEST(InitEmptyTariff, FreeTimeTariffOverEveryDay)
{
    TariffRecord tariff;
    tariff.pulseCost = 3;
    tariff.days[4].bands.resize(5);
    InitEmptyTariff(tariff);
    EXPECT_EQ(tariff.name, QStringLiteral("Tariffa vuota"));
    for (const TariffDay& day : tariff.days)
        EXPECT_EQ(day.bands, Expected(0, 86400, 0.0, 0x00FF00));
    EXPECT_EQ(tariff.pulseCost, 0.0);
    EXPECT_EQ(tariff.answerCharge, 0.0);
    EXPECT_EQ(tariff.coveredSeconds, 0.0);
}

}  // namespace
