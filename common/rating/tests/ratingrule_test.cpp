#include "ruletable.h"

#include "binaryrecord.h"

#include <gtest/gtest.h>

namespace {

RatingRule SampleRule()
{
    RatingRule rule;
    rule.expressions = {{kInGroup, QStringLiteral("13")}, {kBeginsWith, QStringLiteral("0")}};
    rule.name = QStringLiteral("Chiamate interurbane");
    rule.combination = kAnyExpression;
    rule.tariffSlot = 3;
    return rule;
}

TEST(RatingRule, FieldsLieAtTheirOffsets)
{
    QByteArray bytes(RatingRule::kSize, '\x66');
    SampleRule().Encode(bytes, 0);
    EXPECT_EQ(bytes.left(6), QByteArray("\x02\x00\x00\x00\x00\x00", 6));
    EXPECT_EQ(bytes.mid(6, 32), QByteArray("13") + QByteArray(30, '\0'));
    EXPECT_EQ(bytes.mid(38, 32), QByteArray("0") + QByteArray(31, '\0'));
    EXPECT_EQ(bytes.mid(70, 128), QByteArray(128, '\0'));
    EXPECT_EQ(ReadAnsiField(bytes, 198, 64), QStringLiteral("Chiamate interurbane"));
    EXPECT_EQ(GetU8(bytes, 262), 2);
    EXPECT_EQ(GetU8(bytes, 263), 1);
    EXPECT_EQ(GetI16(bytes, 264), 3);
}

TEST(RuleTable, CountFirstThenRules)
{
    RuleTable table;
    table.rules = {SampleRule(), SampleRule()};
    table.rules[1].tariffSlot = -2;
    QByteArray bytes(RuleTable::kSize, '\x66');
    table.Encode(bytes, 0);
    EXPECT_EQ(GetU16(bytes, 0), 2);
    EXPECT_EQ(GetI16(bytes, 2 + 266 + 264), -2);
    EXPECT_EQ(bytes.mid(2 + 2 * 266), QByteArray(62 * 266, '\0'));

    const std::optional<RuleTable> read = RuleTable::Decode(bytes, 0);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, table);
}

TEST(RuleTable, DamagedTableIsRefused)
{
    RuleTable table;
    table.rules = {SampleRule()};
    QByteArray bytes(RuleTable::kSize, '\0');
    table.Encode(bytes, 0);

    QByteArray tooManyRules = bytes;
    PutU16(tooManyRules, 0, 65);
    EXPECT_FALSE(RuleTable::Decode(tooManyRules, 0).has_value());

    QByteArray tooManyExpressions = bytes;
    PutU8(tooManyExpressions, 2 + 262, 7);
    EXPECT_FALSE(RuleTable::Decode(tooManyExpressions, 0).has_value());

    QByteArray unterminatedText = bytes;
    unterminatedText.replace(2 + 6 + 32, 32, QByteArray(32, '5'));
    EXPECT_FALSE(RuleTable::Decode(unterminatedText, 0).has_value());

    // The third expression slot is not in use: its text is never read.
    QByteArray unusedText = bytes;
    unusedText.replace(2 + 6 + 64, 32, QByteArray(32, '5'));
    EXPECT_TRUE(RuleTable::Decode(unusedText, 0).has_value());

    QByteArray noExpressions = bytes;
    PutU8(noExpressions, 2 + 262, 0);
    ASSERT_TRUE(RuleTable::Decode(noExpressions, 0).has_value());
    EXPECT_TRUE(RuleTable::Decode(noExpressions, 0)->rules[0].expressions.empty());
}

}  // namespace
