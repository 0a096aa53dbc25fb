#include "installercommandline.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallerCommandLine, ParsesSettingsWithQuotes)
{
    struct Case {
        const char* line;
        bool ok;
        QMap<QString, QString> properties;
    };
    const Case cases[] = {
        {"", true, {}},
        {"A=1 B=two  C=", true, {{"A", "1"}, {"B", "two"}, {"C", ""}}},
        {"SAPWD=\"a b\" X=\"say \"\"hi\"\"\"", true, {{"SAPWD", "a b"}, {"X", "say \"hi\""}}},
        {"REBOOT=ReallySuppress ", true, {{"REBOOT", "ReallySuppress"}}},
        {"NOEQUALS", false, {}},
        {"=value", false, {}},
        {"A=\"open", false, {}},
        {"A=\"x\"y", false, {}},
    };
    for (const Case& c : cases) {
        QMap<QString, QString> properties;
        EXPECT_EQ(ParseInstallerProperties(QString::fromUtf8(c.line), properties), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(properties, c.properties) << c.line;
        }
    }
}

TEST(InstallerCommandLine, QuotesAndMasksValues)
{
    EXPECT_EQ(QuotedInstallerValue(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(QuotedInstallerValue(QStringLiteral("a b")), QStringLiteral("\"a b\""));
    EXPECT_EQ(QuotedInstallerValue(QStringLiteral("q\"t")), QStringLiteral("\"q\"\"t\""));
    const QString line = QStringLiteral("SAPWD=\"se cret\" INSTANCENAME=X UPGRADEPWD=p ");
    const QString masked = MaskedInstallerCommandLine(line, {QStringLiteral("SAPWD"), QStringLiteral("UPGRADEPWD")});
    EXPECT_EQ(masked, QStringLiteral("SAPWD=******** INSTANCENAME=X UPGRADEPWD=******** "));
    QMap<QString, QString> roundTrip;
    ASSERT_TRUE(ParseInstallerProperties(QStringLiteral("V=") + QuotedInstallerValue(QStringLiteral("x \"y\" z")), roundTrip));
    EXPECT_EQ(roundTrip.value(QStringLiteral("V")), QStringLiteral("x \"y\" z"));
}

}  // namespace
