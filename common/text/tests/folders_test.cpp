#include "folders.h"

#include "tempsuite.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(Folders, ProgramSuiteAndSharedFoldersEndWithASlash)
{
    TempSuite suite(QStringLiteral("Tarivo"));
    EXPECT_EQ(GetProgramFolder(), suite.ProgramFolder());
    EXPECT_EQ(GetSuiteFolder(), suite.SuiteFolder());
    EXPECT_EQ(GetSharedFolder(), suite.SuiteFolder() + QStringLiteral("Shared/"));
    EXPECT_TRUE(GetProgramFolder().endsWith(QStringLiteral("/suite/Tarivo/")));
}

TEST(Folders, RealProgramFolderHoldsTheTestExecutable)
{
    EXPECT_TRUE(FileExists(GetProgramFolder() + QStringLiteral("common_text_tests")));
}

TEST(Folders, ExistenceOfFilesFoldersAndPatterns)
{
    TempSuite suite;
    const QString shared = suite.SharedFolder();
    QFile file(shared + QStringLiteral("Recv202300007.psx"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    struct Case {
        QString path;
        bool exists;
    };
    const Case cases[] = {
        {shared + QStringLiteral("Recv202300007.psx"), true},
        {shared + QStringLiteral("Recv202300008.psx"), false},
        {shared + QStringLiteral("Recv2023*.psx"), true},
        {shared + QStringLiteral("Recv2024*.psx"), false},
        {shared + QStringLiteral("Recv20230000?.psx"), true},
        {shared + QStringLiteral("*.*"), true},
        {shared, true},
        {suite.SuiteFolder() + QStringLiteral("Missing/"), false},
        {suite.SuiteFolder() + QStringLiteral("Missing/*.*"), false},
        {QString(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.exists) << c.path.toStdString();
        EXPECT_EQ(FolderExists(c.path), c.exists) << c.path.toStdString();
    }
}

}  // namespace
