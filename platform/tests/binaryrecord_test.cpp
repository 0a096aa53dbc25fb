#include "binaryrecord.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(BinaryRecord, NumbersAreLittleEndianAtTheirOffsets)
{
    QByteArray record(24, '\0');
    PutU16(record, 1, 0x1234);
    PutI32(record, 3, -2);
    PutF64(record, 8, 7.77652);
    PutU8(record, 23, 0xAB);

    EXPECT_EQ(static_cast<unsigned char>(record[1]), 0x34);
    EXPECT_EQ(static_cast<unsigned char>(record[2]), 0x12);
    EXPECT_EQ(static_cast<unsigned char>(record[3]), 0xFE);
    EXPECT_EQ(static_cast<unsigned char>(record[6]), 0xFF);
    EXPECT_EQ(GetU16(record, 1), 0x1234);
    EXPECT_EQ(GetI32(record, 3), -2);
    EXPECT_EQ(GetU32(record, 3), 0xFFFFFFFEu);
    EXPECT_EQ(GetF64(record, 8), 7.77652);
    EXPECT_EQ(GetU8(record, 23), 0xAB);
    // The bytes of 1.0 as the Windows programs wrote them.
    PutF64(record, 16, 1.0);
    EXPECT_EQ(record.mid(16, 8), QByteArray::fromHex("000000000000f03f"));
}

TEST(BinaryRecord, AccessPastTheEndThrows)
{
    QByteArray record(4, '\0');
    EXPECT_THROW(GetU32(record, 1), std::out_of_range);
    EXPECT_THROW(PutU16(record, 3, 1), std::out_of_range);
    EXPECT_THROW(GetU8(record, -1), std::out_of_range);
    EXPECT_THROW(ReadAnsiField(record, 2, 3), std::out_of_range);
    EXPECT_NO_THROW(GetU32(record, 0));
}

TEST(AnsiField, WindowsCodePageBytes)
{
    EXPECT_EQ(EncodeAnsi(QStringLiteral("€à")), QByteArray("\x80\xE0"));
    EXPECT_EQ(DecodeAnsi(QByteArray("\x80\xE0\xE8")), QStringLiteral("€àè"));
    // Characters outside the code page become one '?' each, never two bytes.
    EXPECT_EQ(EncodeAnsi(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
}

TEST(AnsiField, FieldIsCutAndAlwaysTerminated)
{
    QByteArray record(12, 'x');
    WriteAnsiField(record, 2, 6, QStringLiteral("Camera €12"));
    EXPECT_EQ(record, QByteArray("xxCamer\0xxxx", 12));
    EXPECT_EQ(ReadAnsiField(record, 2, 6), QStringLiteral("Camer"));

    WriteAnsiField(record, 2, 6, QStringLiteral("àb"));
    EXPECT_EQ(record.mid(2, 6), QByteArray("\xE0" "b\0\0\0\0", 6));
    EXPECT_EQ(ReadAnsiField(record, 2, 6), QStringLiteral("àb"));
}

TEST(AnsiField, UnterminatedFieldReadsItsWholeWidth)
{
    const QByteArray record("ABCDEFGH");
    EXPECT_EQ(ReadAnsiField(record, 2, 4), QStringLiteral("CDEF"));
}
}  // namespace
