#include "calllogrecord.h"

#include "joinbytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A call-log answer: 0x16 0x16 45 n and the record's bytes as the PBX sends them.
Bytes Answer(Bytes payload)
{
    return JoinBytes({Bytes{0x16, 0x16, 45, static_cast<std::uint8_t>(payload.size())}, payload});
}

TEST(CallLogRecord, DecodesFieldsAndTheDialledNumber)
{
    Bytes payload = {0, 1, 0, 31, 12, 26, 23, 59, 30, 0, 1, 10, 0, 1, 40, 3,
                     0, 0, 1, 2,    // pulses 258
                     0, 1, 0, 0,    // charge 65536
                     1,             // outgoing
                     10, 6, 1, 2, 10};  // "06120"
    CallLogRecord record;
    ASSERT_TRUE(record.Decode(Answer(payload)));
    EXPECT_EQ(record.RecordKind(), CallLogRecord::kCall);
    EXPECT_EQ(record.Date(), QDate(2026, 12, 31));
    EXPECT_EQ(record.Start().hour, 23);
    EXPECT_EQ(record.Start().second, 30);
    EXPECT_EQ(record.End().minute, 1);
    EXPECT_EQ(record.Duration().minute, 1);
    EXPECT_EQ(record.Duration().second, 40);
    EXPECT_EQ(record.Line(), 3);
    EXPECT_EQ(record.Pulses(), 258u);
    EXPECT_EQ(record.Charge(), 65536u);
    EXPECT_TRUE(record.IsOutgoing());
    EXPECT_EQ(record.DialledNumber(), QStringLiteral("06120"));
    EXPECT_EQ(record.bytes[25], '0');
    EXPECT_EQ(record.bytes[30], 0);
}

TEST(CallLogRecord, NumberEndsAtTheFirstZero)
{
    Bytes payload(25, 0);
    payload.insert(payload.end(), {3, 0, 4, 5});
    CallLogRecord record;
    ASSERT_TRUE(record.Decode(Answer(payload)));
    EXPECT_EQ(record.DialledNumber(), QStringLiteral("3"));
    EXPECT_EQ(record.bytes[27], 4);  // left as it came after the end
}

TEST(CallLogRecord, LongAnswerIsCutToTheRecord)
{
    Bytes payload(25, 0);
    payload.resize(80, 9);  // a number of 55 digits: only 20 fit
    CallLogRecord record;
    ASSERT_TRUE(record.Decode(Answer(payload)));
    EXPECT_EQ(record.DialledNumber(), QString(20, QLatin1Char('9')));
}

TEST(CallLogRecord, ShortAnswerLeavesTheRestZero)
{
    CallLogRecord record;
    record.bytes.fill(0xEE);
    ASSERT_TRUE(record.Decode(Answer({0, 2})));
    EXPECT_EQ(record.RecordKind(), CallLogRecord::kEndOfLog);
    EXPECT_EQ(record.bytes[2], 0);
    EXPECT_EQ(record.DialledNumber(), QString());
    EXPECT_FALSE(record.Date().isValid());
}

TEST(CallLogRecord, RefusedAnswers)
{
    CallLogRecord record;
    EXPECT_FALSE(record.Decode(Answer({0})));  // 5 bytes
    Bytes otherCode = Answer({0, 1, 2});
    otherCode[2] = 44;
    EXPECT_FALSE(record.Decode(otherCode));
}

}  // namespace
