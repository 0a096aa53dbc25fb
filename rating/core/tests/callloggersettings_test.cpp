#include "callloggersettings.h"

#include "binaryrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray FileBytes(const QString& folder)
{
    QFile file(QDir(folder).filePath(CallLoggerSettings::kFileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& folder, const QByteArray& bytes)
{
    QFile file(QDir(folder).filePath(CallLoggerSettings::kFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(CallLoggerSettingsTest, FileLayoutByteForByte)
{
    QTemporaryDir folder;
    CallLoggerSettings settings;
    settings.enabled = 1;
    settings.pbx = 2;
    settings.outputPath = QStringLiteral("/var/log/città.txt");
    settings.lastExportedStart = OleDate(2026, 12, 10, 9, 0, 0).Value();
    ASSERT_TRUE(SaveCallLoggerSettings(folder.path(), settings));
    const QByteArray bytes = FileBytes(folder.path());
    ASSERT_EQ(bytes.size(), 536);
    EXPECT_EQ(bytes.left(8), QByteArray::fromHex("d3dee00b93e37440"));
    EXPECT_EQ(bytes.at(8), 1);
    EXPECT_EQ(bytes.at(9), 2);
    EXPECT_EQ(bytes.mid(10, 19), QByteArray("/var/log/citt\xe0.txt\0", 19));
    EXPECT_EQ(GetF64(bytes, 272), settings.lastExportedStart);
    EXPECT_EQ(bytes.mid(280), QByteArray(256, '\0'));

    CallLoggerSettings loaded;
    ASSERT_TRUE(LoadCallLoggerSettings(folder.path(), loaded));
    EXPECT_EQ(loaded, settings);
}

TEST(CallLoggerSettingsTest, WrongSizesAndTagsLeaveTheSettings)
{
    QTemporaryDir folder;
    CallLoggerSettings settings;
    settings.outputPath = QStringLiteral("/tmp/a");
    ASSERT_TRUE(SaveCallLoggerSettings(folder.path(), settings));
    const QByteArray good = FileBytes(folder.path());
    QByteArray otherTag = good;
    PutF64(otherTag, 0, 334.2235);
    const QByteArray variants[] = {good.left(535), good + '\0', otherTag, QByteArray()};
    for (const QByteArray& bytes : variants) {
        WriteFile(folder.path(), bytes);
        CallLoggerSettings unchanged;
        EXPECT_FALSE(LoadCallLoggerSettings(folder.path(), unchanged)) << bytes.size();
        EXPECT_EQ(unchanged, CallLoggerSettings{});
    }
    QDir(folder.path()).remove(CallLoggerSettings::kFileName);
    CallLoggerSettings unchanged;
    EXPECT_FALSE(LoadCallLoggerSettings(folder.path(), unchanged));
    EXPECT_FALSE(SaveCallLoggerSettings(folder.path() + QStringLiteral("/missing"), settings));
}

TEST(CallLoggerSettingsTest, PathsThatFitTheField)
{
    EXPECT_TRUE(CallLoggerSettings::PathFits(QString(259, u'a')));
    EXPECT_FALSE(CallLoggerSettings::PathFits(QString(260, u'a')));
    EXPECT_TRUE(CallLoggerSettings::PathFits(QStringLiteral("/tmp/perché.txt")));
    EXPECT_FALSE(CallLoggerSettings::PathFits(QStringLiteral("/tmp/\u4e2d.txt")));  // not in the code page
}

}  // namespace
