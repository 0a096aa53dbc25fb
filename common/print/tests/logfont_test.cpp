#include "logfont.h"

#include "binaryrecord.h"

#include <gtest/gtest.h>

namespace {

TEST(LogFont, FieldsLieAtTheirLogfontOffsets)
{
    LogFont font;
    font.SetHeight(-13);
    font.SetWidth(7);
    font.SetEscapement(900);
    font.SetOrientation(450);
    font.SetWeight(700);
    font.SetItalic(1);
    font.SetUnderline(1);
    font.SetStrikeOut(1);
    font.SetCharSet(0xEE);
    font.SetOutPrecision(3);
    font.SetClipPrecision(2);
    font.SetQuality(1);
    font.SetPitchAndFamily(0x22);
    font.SetFaceName(QStringLiteral("Arial"));

    const QByteArray& bytes = font.Bytes();
    ASSERT_EQ(bytes.size(), 60);
    EXPECT_EQ(GetI32(bytes, 0), -13);
    EXPECT_EQ(GetI32(bytes, 4), 7);
    EXPECT_EQ(GetI32(bytes, 8), 900);
    EXPECT_EQ(GetI32(bytes, 12), 450);
    EXPECT_EQ(GetI32(bytes, 16), 700);
    EXPECT_EQ(bytes.mid(20, 8), QByteArray("\x01\x01\x01\xEE\x03\x02\x01\x22", 8));
    EXPECT_EQ(bytes.mid(28, 32), QByteArray("Arial") + QByteArray(27, '\0'));
    EXPECT_EQ(font.FaceName(), QStringLiteral("Arial"));
    EXPECT_EQ(font.Weight(), 700);
}

TEST(LogFont, KeepsEveryByteItWasGiven)
{
    QByteArray record(100, '\0');
    for (int i = 0; i < record.size(); ++i)
        record[i] = static_cast<char>(i * 7 + 3);
    const LogFont font = LogFont::FromBytes(record, 20);

    QByteArray copy(100, '\0');
    font.WriteTo(copy, 20);
    EXPECT_EQ(copy.mid(20, 60), record.mid(20, 60));
    EXPECT_EQ(copy.left(20), QByteArray(20, '\0'));
    EXPECT_EQ(copy.mid(80), QByteArray(20, '\0'));
}

TEST(LogFont, LongFaceNameIsCutToItsField)
{
    LogFont font;
    font.SetFaceName(QString(40, u'x'));
    EXPECT_EQ(font.FaceName(), QString(31, u'x'));
    EXPECT_EQ(font.Bytes().at(59), '\0');
}

}  // namespace
