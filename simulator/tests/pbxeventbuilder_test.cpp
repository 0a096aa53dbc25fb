#include "pbxeventbuilder.h"

#include "framebytes.h"
#include "pbxframe.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kTime(QDate(2024, 3, 9), QTime(8, 5));

TEST(SimulatorEventBuilderTest, FixedCallerIdCarriesTheNumberFromByte14UpToTheCheckByte)
{
    const QByteArray frame = BuildCallerIdEvent(2, QStringLiteral("0612345"), kTime, CallerIdFormat::kFixed);
    ASSERT_TRUE(IsWellFormedPbxFrame(FrameBytes(frame)));
    EXPECT_EQ(ByteAt(frame, 4), 2);
    EXPECT_EQ(ByteAt(frame, 5), 4);
    EXPECT_EQ(frame.mid(6, 8), QByteArray("03090805"));
    // The reader takes byte 14 to the end and overwrites the last byte with its terminator.
    EXPECT_EQ(frame.mid(14, frame.size() - 15), QByteArray("0612345"));
    std::uint8_t sum = 0;
    for (qsizetype i = 6; i < frame.size(); ++i)
        sum = static_cast<std::uint8_t>(sum + ByteAt(frame, i));
    EXPECT_EQ(sum, 0);
}

TEST(SimulatorEventBuilderTest, ParameterCallerIdIsWalkedFromByte7)
{
    const QByteArray frame = BuildCallerIdEvent(1, QStringLiteral("0612345"), kTime, CallerIdFormat::kParameters);
    ASSERT_TRUE(IsWellFormedPbxFrame(FrameBytes(frame)));
    EXPECT_EQ(ByteAt(frame, 5), 0x80);
    EXPECT_EQ(ByteAt(frame, 6), frame.size() - 7);
    QList<std::pair<int, QByteArray>> parameters;
    for (qsizetype at = 7; at + 1 < frame.size(); at += 2 + ByteAt(frame, at + 1))
        parameters << std::pair<int, QByteArray>{ByteAt(frame, at), frame.mid(at + 2, ByteAt(frame, at + 1))};
    EXPECT_EQ(parameters, (QList<std::pair<int, QByteArray>>{{1, "03090805"}, {2, "0612345"}}));
}

TEST(SimulatorEventBuilderTest, CallRecordFitsTheEnginesRecord)
{
    PbxCallRecord record;
    record.line = 3;
    record.extension = 0x0102;
    record.start = QTime(10, 0, 5);
    record.end = QTime(10, 2, 0);
    record.pulses = 0x0304;
    record.charge = 0x0506;
    record.number = QStringLiteral("0123456789012345678901234");
    const QByteArray frame = BuildCallRecordEvent(record);
    ASSERT_TRUE(IsWellFormedPbxFrame(FrameBytes(frame)));
    EXPECT_EQ(frame.mid(kPbxPayloadOffset, 15).toHex(), QByteArray("02030102010a00050a020004030605"));
    EXPECT_EQ(frame.mid(kPbxPayloadOffset + 15), QByteArray("01234567890123456789") + '\0');
    EXPECT_EQ(frame.size() - static_cast<qsizetype>(kPbxPayloadOffset), 36);
}

}  // namespace
