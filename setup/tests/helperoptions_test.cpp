#include "helperoptions.h"

#include <gtest/gtest.h>

#include <functional>

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

// Each option taking a value, given as one argument ("-Fvalue") and as two ("-F", "value"), survives the
// joining into one command line.
TEST(HelperOptions, ValuesSurviveTheJoinGluedOrSeparate)
{
    struct Case {
        QString option;
        QString value;
        std::function<QString(const HelperOptions&)> field;
    };
    const auto path = [](const HelperOptions& o) { return o.packagePath; };
    const auto product = [](const HelperOptions& o) { return o.productCode; };
    const auto package = [](const HelperOptions& o) { return o.packageCode; };
    const auto password = [](const HelperOptions& o) { return o.saPassword; };
    const QList<Case> cases = {
        {QStringLiteral("-F"), QStringLiteral("/a b/p k.msi"), path},
        {QStringLiteral("/f"), QStringLiteral("/tmp/p.msi"), path},
        {QStringLiteral("-f"), QStringLiteral("rel ative.msi"), path},
        {QStringLiteral("/P"), QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}"), product},
        {QStringLiteral("-p"), QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}"), product},
        {QStringLiteral("/K"), QStringLiteral("{2606F21A-18B4-4967-FD7C-1EC0B0F70514}"), package},
        {QStringLiteral("-k"), QStringLiteral("{2606F21A-18B4-4967-FD7C-1EC0B0F70514}"), package},
        {QStringLiteral("/S"), QStringLiteral("top secret"), password},
        {QStringLiteral("-s"), QStringLiteral("-dash"), password},
        {QStringLiteral("/s"), QStringLiteral("/slash"), password},
    };
    for (const Case& c : cases) {
        const QStringList glued{c.option + c.value};
        const QStringList separate{c.option, c.value};
        for (const QStringList& arguments : {glued, separate}) {
            const QString line = HelperOptions::JoinArguments(arguments);
            EXPECT_EQ(c.field(HelperOptions::Parse(line)), c.value) << qPrintable(line);
        }
    }

    const HelperOptions all = HelperOptions::Parse(HelperOptions::JoinArguments(
        {QStringLiteral("-F/a b/p k.msi"), QStringLiteral("/P{X}"), QStringLiteral("-K"), QStringLiteral("{Y}"),
         QStringLiteral("/r")}));
    EXPECT_EQ(all.packagePath, QStringLiteral("/a b/p k.msi"));
    EXPECT_EQ(all.productCode, QStringLiteral("{X}"));
    EXPECT_EQ(all.packageCode, QStringLiteral("{Y}"));
    EXPECT_TRUE(all.reinstall);
    EXPECT_TRUE(all.rewriteMode);
    EXPECT_FALSE(all.usage);

    const HelperOptions flags = HelperOptions::Parse(HelperOptions::JoinArguments({QStringLiteral("-R"), QStringLiteral("/?")}));
    EXPECT_TRUE(flags.reinstall);
    EXPECT_TRUE(flags.usage);
    EXPECT_FALSE(flags.rewriteMode);
    // A blank between a glued option and its value is the scan's own blank, not part of the value.
    EXPECT_EQ(HelperOptions::Parse(HelperOptions::JoinArguments({QStringLiteral("-F /a b.msi")})).packagePath,
              QStringLiteral("/a b.msi"));
}

}  // namespace
