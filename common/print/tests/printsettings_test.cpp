#include "printsettings.h"

#include "binaryrecord.h"
#include "tempsuite.h"

#include <gtest/gtest.h>

namespace {

QByteArray Encoded(const PrintSettings& settings)
{
    QByteArray bytes(PrintSettings::kSize, '\0');
    settings.Encode(bytes, 0);
    return bytes;
}

void ExpectDefaultFont(const LogFont& font, int points, int weight)
{
    EXPECT_EQ(font.Height(), points);
    EXPECT_EQ(font.Weight(), weight);
    EXPECT_EQ(font.Width(), 0);
    EXPECT_EQ(font.Escapement(), 0);
    EXPECT_EQ(font.Orientation(), 0);
    EXPECT_EQ(font.Italic(), 0);
    EXPECT_EQ(font.Underline(), 0);
    EXPECT_EQ(font.StrikeOut(), 0);
    EXPECT_EQ(font.CharSet(), 0);
    EXPECT_EQ(font.OutPrecision(), 3);
    EXPECT_EQ(font.ClipPrecision(), 2);
    EXPECT_EQ(font.Quality(), 1);
    EXPECT_EQ(font.PitchAndFamily(), 0x22);
    EXPECT_EQ(font.FaceName(), QStringLiteral("Arial"));
}

TEST(PrintSettings, DefaultsOfTheFirstRun)
{
    TempSuite suite;
    PrintSettings settings;
    settings.flags = 0xF0;
    SetDefaultPrintSettings(settings);

    for (const LogFont& font : settings.headerFonts)
        ExpectDefaultFont(font, 10, 400);
    ExpectDefaultFont(settings.titleFont, 20, 800);
    ExpectDefaultFont(settings.textFont, 10, 400);
    ExpectDefaultFont(settings.footerFont, 12, 400);
    EXPECT_EQ(settings.headerColours, (std::array<std::uint32_t, 4>{0, 0, 0, 0xFF0000}));
    EXPECT_EQ(settings.logoPath, suite.SharedFolder() + QStringLiteral("LogoPrint.bmp"));
    EXPECT_EQ(settings.headerPosition, 0);
    EXPECT_EQ(settings.flags, 7);
    EXPECT_EQ(settings.blockGap, 20);
    EXPECT_EQ(settings.headerGap, 10);
    EXPECT_EQ(settings.topMargin, 20);
    EXPECT_EQ(settings.leftMargin, 20);
    for (const QString& line : settings.headerLines) {
        EXPECT_FALSE(line.isEmpty());
        EXPECT_LE(line.size(), 63);
    }
    EXPECT_FALSE(settings.title.isEmpty());
}

TEST(PrintSettings, FieldsLieAtTheirOffsets)
{
    TempSuite suite;
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    settings.headerPosition = 3;
    settings.padding = {0xAB, 0xCD};
    const QByteArray bytes = Encoded(settings);

    EXPECT_EQ(GetI32(bytes, 60 + 0), 10);                  // header line 2 font height
    EXPECT_EQ(GetU32(bytes, 252), 0xFF0000u);             // header line 4 colour
    EXPECT_EQ(ReadAnsiField(bytes, 256, 260), settings.logoPath);
    EXPECT_EQ(ReadAnsiField(bytes, 708, 64), settings.headerLines[3]);
    EXPECT_EQ(ReadAnsiField(bytes, 772, 64), settings.title);
    EXPECT_EQ(GetU8(bytes, 836), 3);
    EXPECT_EQ(GetU8(bytes, 837), 7);
    EXPECT_EQ(GetU16(bytes, 838), 0xCDAB);
    EXPECT_EQ(GetI32(bytes, 840 + 16), 800);               // title font weight
    EXPECT_EQ(GetI32(bytes, 900), 10);                     // text font height
    EXPECT_EQ(GetI32(bytes, 960), 12);                     // footer font height
    EXPECT_EQ(GetU16(bytes, 1020), 20);
    EXPECT_EQ(GetU16(bytes, 1022), 10);
    EXPECT_EQ(GetU16(bytes, 1024), 20);
    EXPECT_EQ(GetU16(bytes, 1026), 20);
}

TEST(PrintSettings, ReadsBackByteForByte)
{
    TempSuite suite;
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    settings.padding = {0x11, 0x22};
    settings.headerLines[1] = QStringLiteral("Piazza Unità d'Italia 3");
    const QByteArray first = Encoded(settings);

    // The record sits inside a larger file block at an offset of its own.
    QByteArray file(PrintSettings::kSize + 10, '\x5A');
    file.replace(10, PrintSettings::kSize, first);
    const std::optional<PrintSettings> read = PrintSettings::Decode(file, 10);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->headerLines[1], settings.headerLines[1]);
    EXPECT_EQ(Encoded(*read), first);
}

TEST(PrintSettings, TextWithoutTerminatorIsRefused)
{
    TempSuite suite;
    PrintSettings settings;
    SetDefaultPrintSettings(settings);
    const QByteArray good = Encoded(settings);

    for (const qsizetype field : {qsizetype(256), qsizetype(516), qsizetype(708), qsizetype(772)}) {
        const qsizetype width = field == 256 ? 260 : 64;
        QByteArray bad = good;
        bad.replace(field, width, QByteArray(width, 'A'));
        EXPECT_FALSE(PrintSettings::Decode(bad, 0).has_value()) << "field at " << field;
    }
}

}  // namespace
