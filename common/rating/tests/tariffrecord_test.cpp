#include "defaulttariffs.h"
#include "tariffrecord.h"
#include "tarifftable.h"
#include "tariffvariations.h"

#include "binaryrecord.h"

#include <gtest/gtest.h>

namespace {

TariffRecord SampleTariff()
{
    TariffRecord tariff;
    tariff.name = QStringLiteral("Città");
    tariff.days[0].bands = {TariffBand{0, 28800, 0.25, 0x0000FF}, TariffBand{28800, 86400, 0.5, 0x00FF00}};
    tariff.days[6].bands = {TariffBand{0, 86400, 60, 0x123456}};
    tariff.coveredSeconds = 30;
    tariff.answerCharge = 0.1;
    tariff.pulseCost = 0.07;
    return tariff;
}

TEST(TariffRecord, FieldsLieAtTheirOffsets)
{
    QByteArray bytes(TariffRecord::kSize, '\x77');
    SampleTariff().Encode(bytes, 0);

    EXPECT_EQ(bytes.left(6), QByteArray("Citt\xE0\0", 6));
    EXPECT_EQ(bytes.mid(6, 58), QByteArray(58, '\0'));
    EXPECT_EQ(GetU8(bytes, 64), 2);                  // Monday's band count
    EXPECT_EQ(bytes.mid(65, 7), QByteArray(7, '\0'));
    EXPECT_EQ(GetF64(bytes, 72 + 8), 28800.0);      // Monday band 0 end
    EXPECT_EQ(GetF64(bytes, 72 + 32 + 16), 0.5);    // Monday band 1 value
    EXPECT_EQ(GetU32(bytes, 72 + 24), 0x0000FFu);   // Monday band 0 colour
    EXPECT_EQ(GetU32(bytes, 72 + 28), 0u);          // band padding
    EXPECT_EQ(bytes.mid(72 + 64, 192), QByteArray(192, '\0'));  // unused band slots
    EXPECT_EQ(GetU8(bytes, 64 + 6 * 264), 1);       // Sunday's band count
    EXPECT_EQ(GetF64(bytes, 64 + 6 * 264 + 8 + 16), 60.0);
    EXPECT_EQ(GetF64(bytes, 1912), 30.0);
    EXPECT_EQ(GetF64(bytes, 1920), 0.1);
    EXPECT_EQ(GetF64(bytes, 1928), 0.07);
}

TEST(TariffRecord, DecodesWhatItEncoded)
{
    QByteArray bytes(TariffRecord::kSize + 4, '\0');
    SampleTariff().Encode(bytes, 4);
    const std::optional<TariffRecord> read = TariffRecord::Decode(bytes, 4);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, SampleTariff());
}

TEST(TariffRecord, DamagedRecordIsRefused)
{
    QByteArray bytes(TariffRecord::kSize, '\0');
    SampleTariff().Encode(bytes, 0);

    QByteArray tooManyBands = bytes;
    tooManyBands[64 + 3 * 264] = 9;
    EXPECT_FALSE(TariffRecord::Decode(tooManyBands, 0).has_value());

    QByteArray unterminated = bytes;
    unterminated.replace(0, 64, QByteArray(64, 'N'));
    EXPECT_FALSE(TariffRecord::Decode(unterminated, 0).has_value());

    QByteArray eightBands = bytes;
    eightBands[64 + 3 * 264] = 8;
    EXPECT_TRUE(TariffRecord::Decode(eightBands, 0).has_value());
}

TEST(TariffTable, CountFollowsTheSlotsAndBoundsAreChecked)
{
    TariffTable table;
    TariffVariations variations;
    BuildDefaultTariffs(table, variations);
    QByteArray bytes(TariffTable::kSize, '\x55');
    table.Encode(bytes, 0);
    EXPECT_EQ(GetU16(bytes, 123904), 34);
    EXPECT_EQ(bytes.mid(123906), QByteArray(6, '\0'));
    EXPECT_EQ(bytes.mid(34 * 1936, 30 * 1936), QByteArray(30 * 1936, '\0'));
    EXPECT_EQ(ReadAnsiField(bytes, 3 * 1936, 64), QStringLiteral("Interurbane"));

    const std::optional<TariffTable> read = TariffTable::Decode(bytes, 0);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, table);

    for (const std::uint16_t badCount : {0, 1, 65, 0xFFFF}) {
        QByteArray bad = bytes;
        PutU16(bad, 123904, badCount);
        EXPECT_FALSE(TariffTable::Decode(bad, 0).has_value()) << badCount;
    }
}

TEST(TariffVariations, LayoutAndReset)
{
    TariffVariations variations;
    variations.values[0] = 0.1;
    variations.values[63] = -0.05;
    variations.count = 12;
    QByteArray bytes(TariffVariations::kSize, '\x33');
    variations.Encode(bytes, 0);
    EXPECT_EQ(GetF64(bytes, 0), 0.1);
    EXPECT_EQ(GetF64(bytes, 504), -0.05);
    EXPECT_EQ(GetU16(bytes, 512), 12);
    EXPECT_EQ(bytes.mid(514), QByteArray(6, '\0'));
    ASSERT_TRUE(TariffVariations::Decode(bytes, 0).has_value());
    EXPECT_EQ(*TariffVariations::Decode(bytes, 0), variations);

    PutU16(bytes, 512, 65);
    EXPECT_FALSE(TariffVariations::Decode(bytes, 0).has_value());

    ResetTariffVariations(variations, 7);
    EXPECT_EQ(variations.count, 7);
    EXPECT_EQ(variations.values[63], 0.0);
}

}  // namespace
