#include "callfilterrule.h"

#include "officepluginsettings.h"

#include <gtest/gtest.h>

namespace {

QByteArray RuleBytes(const QByteArray& pattern, char action, const QByteArray& argument)
{
    QByteArray bytes(CallFilterRule::kSize, '\0');
    bytes.replace(0, pattern.size(), pattern);
    bytes[22] = action;
    bytes.replace(23, argument.size(), argument);
    return bytes;
}

TEST(CallFilterRule, FieldsAtTheirOffsetsBothWays)
{
    const struct {
        QByteArray bytes;
        const char* pattern;
        std::uint8_t action;
        const char* argument;
    } cases[] = {
        {RuleBytes("*0039", 0, ""), "*0039", 0, ""},
        {RuleBytes("051223344", 1, "11"), "051223344", 1, "11"},
        {RuleBytes("*02", 2, "3355551234"), "*02", 2, "3355551234"},
        {RuleBytes("123456789012345678901", 2, "123456789012345678901"), "123456789012345678901", 2,
         "123456789012345678901"},
    };
    for (const auto& c : cases) {
        const CallFilterRule rule = CallFilterRule::Read(c.bytes);
        EXPECT_EQ(rule.pattern, c.pattern);
        EXPECT_EQ(rule.action, c.action);
        EXPECT_EQ(rule.argument, c.argument);
        EXPECT_EQ(rule.Write(), c.bytes) << c.pattern;
    }
}

TEST(CallFilterRule, LongTextsKeepTheirTerminatorAndShortRecordsReadAsZeros)
{
    const CallFilterRule rule{QString(30, u'9'), CallFilterRule::kTransferToNumber, QString(30, u'8')};
    const QByteArray bytes = rule.Write();
    ASSERT_EQ(bytes.size(), CallFilterRule::kSize);
    EXPECT_EQ(bytes[21], '\0');
    EXPECT_EQ(bytes[44], '\0');
    EXPECT_EQ(CallFilterRule::Read(bytes).pattern, QString(21, u'9'));

    const CallFilterRule shortRecord = CallFilterRule::Read(QByteArrayView("*05"));
    EXPECT_EQ(shortRecord.pattern, "*05");
    EXPECT_EQ(shortRecord.action, CallFilterRule::kReject);
    EXPECT_TRUE(shortRecord.argument.isEmpty());
}

TEST(CallFilterRule, RuleOfThePluginSettingsRoundTrips)
{
    OfficePluginSettings settings;
    settings.SetRuleCount(2);
    settings.SetRule(1, CallFilterRule{QStringLiteral("*0039"), CallFilterRule::kTransferToExtension, QStringLiteral("4")}.Write());
    const CallFilterRule rule = CallFilterRule::Read(settings.Rule(1));
    EXPECT_EQ(rule.pattern, "*0039");
    EXPECT_EQ(rule.action, CallFilterRule::kTransferToExtension);
    EXPECT_EQ(rule.argument, "4");
}

}  // namespace
