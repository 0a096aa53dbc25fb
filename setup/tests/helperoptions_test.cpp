#include "helperoptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HelperOptions, ScansLettersAndValues)
{
    // Slot 1's product code and slot 15's package code, one of whose groups begins with F after a hyphen.
    const HelperOptions rewrite = HelperOptions::Parse(QStringLiteral(
        "/F \"/tmp/my folder/SqlRun01.Msi\" -p {E09B48B5-E141-427A-AB0C-D3605127224A}  /K {2606F21A-18B4-4967-FD7C-1EC0B0F70514}"));
    EXPECT_TRUE(rewrite.rewriteMode);
    EXPECT_EQ(rewrite.packagePath, QStringLiteral("/tmp/my folder/SqlRun01.Msi"));
    EXPECT_EQ(rewrite.productCode, QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}"));
    EXPECT_EQ(rewrite.packageCode, QStringLiteral("{2606F21A-18B4-4967-FD7C-1EC0B0F70514}"));
    EXPECT_FALSE(rewrite.usage);

    const HelperOptions standAlone = HelperOptions::Parse(QStringLiteral("-s secret /r /x"));
    EXPECT_FALSE(standAlone.rewriteMode);
    EXPECT_EQ(standAlone.saPassword, QStringLiteral("secret"));
    EXPECT_TRUE(standAlone.reinstall);

    EXPECT_TRUE(HelperOptions::Parse(QStringLiteral("/F a.msi /?")).usage);
    const QString longValue(300, u'x');
    EXPECT_EQ(HelperOptions::Parse(QStringLiteral("/S ") + longValue).saPassword, longValue);
    EXPECT_EQ(HelperOptions::Parse(QStringLiteral("/S \"unclosed value")).saPassword, QStringLiteral("unclosed value"));
}

TEST(HelperOptions, ArgumentsJoinedForTheScan)
{
    const QString text = HelperOptions::JoinArguments(
        {QStringLiteral("-f"), QStringLiteral("/a b/c.msi"), QStringLiteral("-p"), QStringLiteral("{X}")});
    EXPECT_EQ(text, QStringLiteral("-f \"/a b/c.msi\" -p {X}"));
    EXPECT_EQ(HelperOptions::Parse(text).packagePath, QStringLiteral("/a b/c.msi"));
}

}  // namespace
