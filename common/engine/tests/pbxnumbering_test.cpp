#include "pbxnumbering.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

PbxInitialization Pbx(std::uint8_t extensions, const char* version, std::uint8_t lines = 8,
                      std::uint8_t entryPhones = 2)
{
    PbxInitialization initialization;
    initialization.bytes[PbxInitialization::kExtensionCountOffset] = extensions;
    initialization.bytes[PbxInitialization::kLineCountOffset] = lines;
    initialization.bytes[PbxInitialization::kEntryPhoneCountOffset] = entryPhones;
    std::memcpy(initialization.bytes.data() + PbxInitialization::kVersionOffset, version, std::strlen(version));
    return initialization;
}

PbxSystemConfiguration Configuration(std::uint8_t renumbering, std::uint8_t threeDigits, std::uint8_t bitmap1)
{
    PbxSystemConfiguration configuration;
    configuration.bytes[PbxSystemConfiguration::kRenumberingOffset] = renumbering;
    configuration.bytes[PbxSystemConfiguration::kThreeDigitNumberingOffset] = threeDigits;
    configuration.bytes[PbxSystemConfiguration::kExtensionBitmap1Offset] = bitmap1;
    return configuration;
}

TEST(PbxNumbering, DefaultExtensionNumbers)
{
    const PbxSystemConfiguration plain = Configuration(0, 0, 0);
    const PbxSystemConfiguration direct = Configuration(1, 0, 0x40);
    const PbxSystemConfiguration threeDigits = Configuration(1, 1, 0);
    const PbxSystemConfiguration renumbered = Configuration(1, 0, 0xBF);  // every bit but 0x40
    const char* nexo = "NEXO28 v3";
    const char* other = "ALTRO 1.0";
    struct Case {
        const char* what;
        PbxInitialization pbx;
        PbxSystemConfiguration configuration;
        std::uint8_t extension;
        std::uint16_t programmed;
        const char* expected;
    };
    const Case cases[] = {
        {"NEXO28 of 100, first", Pbx(100, nexo), plain, 0, 0, "21"},
        {"NEXO28 of 100, last", Pbx(100, nexo), plain, 99, 0, "120"},
        {"NEXO28 of 101, first", Pbx(101, nexo), plain, 0, 0, "201"},
        {"NEXO28 of 101, last", Pbx(101, nexo), plain, 100, 0, "301"},
        {"other of 100", Pbx(100, other), plain, 5, 0, "206"},
        {"other of 101", Pbx(101, other), plain, 5, 0, "2006"},
        {"beyond the PBX", Pbx(24, other), plain, 24, 0, ""},
        {"programmed, direct", Pbx(24, other), direct, 3, 0x0123, "291"},
        {"programmed, three digits, NEXO28", Pbx(24, nexo), threeDigits, 3, 0x0123, "1291"},
        {"programmed, three digits, other", Pbx(24, other), threeDigits, 3, 0x0123, "3291"},
        {"programmed, low byte, NEXO28", Pbx(24, nexo), renumbered, 3, 0x0123, "135"},
        {"programmed, low byte, other", Pbx(24, other), renumbered, 3, 0x0123, "335"},
        {"unprogrammed NEXO28, direct", Pbx(24, nexo), direct, 3, 0, "1004"},
        {"unprogrammed NEXO28, three digits", Pbx(24, nexo), threeDigits, 3, 0, "2004"},
        {"unprogrammed NEXO28", Pbx(24, nexo), renumbered, 3, 0, "24"},
        {"unprogrammed other, direct, port 0", Pbx(24, other), direct, 0, 0, "2001"},
        {"unprogrammed other, direct, port 1", Pbx(24, other), direct, 1, 0, "81"},
        {"unprogrammed other, direct, port 2", Pbx(24, other), direct, 2, 0, "82"},
        {"unprogrammed other, direct, port 3", Pbx(24, other), direct, 3, 0, "83"},
        {"unprogrammed other, direct, port 4", Pbx(24, other), direct, 4, 0, "2005"},
        {"unprogrammed other, three digits", Pbx(24, other), threeDigits, 3, 0, "2004"},
        {"unprogrammed other", Pbx(24, other), renumbered, 3, 0, "204"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultExtensionNumber(c.extension, c.pbx, c.configuration, c.programmed),
                  QString::fromLatin1(c.expected))
            << c.what;
}

TEST(PbxNumbering, ProgrammedNumberOfARecord)
{
    std::array<std::uint8_t, 50> record{};
    record[35] = 0x23;
    record[36] = 0x01;
    EXPECT_EQ(ProgrammedExtensionNumber(record), 0x0123);
    EXPECT_EQ(ProgrammedExtensionNumber(std::span<const std::uint8_t>(record.data(), 36)), 0);
}

TEST(PbxNumbering, PortCodes)
{
    EXPECT_EQ(FormatExtensionPortCode(5, Pbx(100, "")), QStringLiteral("#05"));
    EXPECT_EQ(FormatExtensionPortCode(5, Pbx(101, "")), QStringLiteral("#005"));
    EXPECT_EQ(FormatExtensionPortCode(100, Pbx(101, "")), QStringLiteral("#100"));
    EXPECT_EQ(FormatExtensionPortCode(24, Pbx(24, "")), QString());
}

TEST(PbxNumbering, LineAccessCodes)
{
    const PbxSystemConfiguration direct = Configuration(1, 0, 0x40);
    const PbxSystemConfiguration bitWithoutRenumbering = Configuration(0, 0, 0x40);
    struct Case {
        std::uint8_t line;
        std::uint8_t lines;
        PbxSystemConfiguration configuration;
        const char* expected;
    };
    const Case cases[] = {
        {kNoLine, 8, direct, ""},           {kAnyLine, 8, direct, "0"},
        {1, 9, direct, "861"},              {1, 10, direct, "8601"},
        {3, 9, bitWithoutRenumbering, "63"}, {3, 12, bitWithoutRenumbering, "603"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatLineAccessCode(c.line, Pbx(24, "", c.lines), c.configuration), QString::fromLatin1(c.expected))
            << int(c.line) << " of " << int(c.lines);
}

TEST(PbxNumbering, ExtendedNumberingNeedsRenumberingAndBit40)
{
    struct Case {
        std::uint8_t renumbering;
        std::uint8_t bitmap1;
        bool expected;
    };
    const Case cases[] = {{1, 0x40, true}, {2, 0xFF, true}, {0, 0x40, false}, {1, 0xBF, false}, {0, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(UsesExtendedNumbering(Configuration(c.renumbering, 0, c.bitmap1)), c.expected)
            << int(c.renumbering) << " " << int(c.bitmap1);
}

TEST(PbxNumbering, EntryPhoneNumbers)
{
    EXPECT_EQ(FormatEntryPhoneNumber(0, Pbx(24, "", 8, 9)), QStringLiteral("71"));
    EXPECT_EQ(FormatEntryPhoneNumber(8, Pbx(24, "", 8, 9)), QStringLiteral("79"));
    EXPECT_EQ(FormatEntryPhoneNumber(0, Pbx(24, "", 8, 10)), QStringLiteral("701"));
    EXPECT_EQ(FormatEntryPhoneNumber(9, Pbx(24, "", 8, 9)), QString());
}

TEST(PbxNumbering, CombinedIndexes)
{
    struct Case {
        unsigned index;
        std::optional<CombinedObject> expected;
    };
    const Case cases[] = {
        {0, CombinedObject{0, 0}}, {23, CombinedObject{0, 23}}, {24, CombinedObject{1, 0}},
        {31, CombinedObject{1, 7}}, {32, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<CombinedObject> object = SplitCombinedIndex(c.index, 24, 8);
        ASSERT_EQ(object.has_value(), c.expected.has_value()) << c.index;
        if (object) {
            EXPECT_EQ(object->pbx, c.expected->pbx) << c.index;
            EXPECT_EQ(object->local, c.expected->local) << c.index;
        }
    }
    EXPECT_FALSE(SplitCombinedIndex(0, 0, 0).has_value());
}

}  // namespace
