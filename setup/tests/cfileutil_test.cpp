#include "cfileutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("x");
}

TEST(CFileUtil, RemoveFileSparesFilesInUse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("held.bin"));
    Touch(path);
    const int held = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_SH), 0);
    EXPECT_TRUE(CFileUtil::IsFileInUse(path));
    EXPECT_FALSE(CFileUtil::RemoveFile(path));
    ::close(held);
    EXPECT_FALSE(CFileUtil::IsFileInUse(path));
    EXPECT_TRUE(CFileUtil::RemoveFile(path));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(CFileUtil::RemoveFile(path));
    EXPECT_TRUE(CFileUtil::RemoveFile(dir.path()));
}

TEST(CFileUtil, RemoveFolderDeletesLinksWithoutFollowing)
{
    QTemporaryDir dir;
    const QString outside = dir.filePath(QStringLiteral("outside"));
    QDir().mkpath(outside);
    Touch(outside + QStringLiteral("/keep.txt"));
    const QString work = dir.filePath(QStringLiteral("work"));
    QDir().mkpath(work + QStringLiteral("/sub"));
    Touch(work + QStringLiteral("/sub/a.txt"));
    Touch(work + QStringLiteral("/.hidden"));
    ASSERT_TRUE(QFile::link(outside, work + QStringLiteral("/link")));
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("/keep.txt"), work + QStringLiteral("/sub/filelink")));
    CFileUtil::RemoveFolder(work);
    EXPECT_FALSE(QFileInfo::exists(work));
    EXPECT_TRUE(QFileInfo::exists(outside + QStringLiteral("/keep.txt")));
}

TEST(CFileUtil, PathsAttributesAndWorkFolder)
{
    const struct {
        const char* path;
        const char* tail;
        const char* joined;
    } cases[] = {{"", "a", "a"}, {"/x", "a", "/x/a"}, {"/x/", "/a", "/x/a"}, {"/x", "//a", "/x//a"}};
    for (const auto& c : cases) {
        QString path = QString::fromUtf8(c.path);
        CFileUtil::AppendPath(path, QString::fromUtf8(c.tail));
        EXPECT_EQ(path, QString::fromUtf8(c.joined));
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f"));
    Touch(file);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_TRUE(CFileUtil::IsReadOnly(file));
    EXPECT_TRUE(CFileUtil::SetNormalAttributes(file));
    EXPECT_FALSE(CFileUtil::IsReadOnly(file));

    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    const QString work = CFileUtil::MakeWorkFolder();
    qunsetenv("TMPDIR");
    ASSERT_FALSE(work.isEmpty());
    EXPECT_TRUE(QFileInfo(work).fileName().startsWith(QStringLiteral("SV")));
    EXPECT_EQ(QFileInfo(work).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_EQ(QFileInfo(work).permissions() & QFileDevice::Permissions(0x7077),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
