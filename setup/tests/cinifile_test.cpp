#include "cinifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Write(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("Setup.ini"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

TEST(CIniFile, ReadsSectionsKeysInFileOrder)
{
    QTemporaryDir dir;
    CIniFile ini(Write(dir, "top=ignored\r\n[Options]\r\n ; comment\r\n\tSECURITYMODE = SQL \r\nINSTANCENAME=Hotel\n"
                            "no equals here\nsecuritymode=Later\nTARGETDIR=a=b\n[other]\nX=1\n"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.KeyNames(QStringLiteral("OPTIONS")),
              (QStringList{QStringLiteral("SECURITYMODE"), QStringLiteral("INSTANCENAME"), QStringLiteral("TARGETDIR")}));
    EXPECT_EQ(ini.GetValue(QStringLiteral("options"), QStringLiteral("SecurityMode")), QStringLiteral("Later"));
    EXPECT_EQ(ini.GetValue(QStringLiteral("Options"), QStringLiteral("TARGETDIR")), QStringLiteral("a=b"));

    QString out;
    EXPECT_TRUE(ini.GetString(QStringLiteral("Options"), QStringLiteral("missing"), QStringLiteral("dflt"), out));
    EXPECT_EQ(out, QString());
    EXPECT_FALSE(ini.GetString(QStringLiteral("Nothing"), QStringLiteral("X"), QStringLiteral("dflt"), out));
    EXPECT_EQ(out, QStringLiteral("dflt"));
    EXPECT_TRUE(ini.GetString(QStringLiteral("other"), std::nullopt, QString(), out));
    EXPECT_EQ(out, QStringLiteral("X") + QChar(u'\0') + QChar(u'\0'));
    EXPECT_EQ(ini.GetValue(QStringLiteral("Nothing"), std::nullopt), QString());
}

TEST(CIniFile, RefusesMissingFolderAndBinaryFiles)
{
    QTemporaryDir dir;
    EXPECT_FALSE(CIniFile(dir.filePath(QStringLiteral("none.ini"))).Load());
    EXPECT_FALSE(CIniFile(dir.path()).Load());
    const QByteArray utf16("\xFF\xFE[\0O\0]\0", 8);
    EXPECT_FALSE(CIniFile(Write(dir, utf16)).Load());
    EXPECT_TRUE(CIniFile::IsBinaryFile(Write(dir, QByteArray("[Options]\nA=") + QByteArray(1, '\0'))));
    // A NUL past the first 1,024 bytes is not looked at.
    EXPECT_FALSE(CIniFile::IsBinaryFile(Write(dir, QByteArray(1024, 'a') + QByteArray(1, '\0'))));
}

}  // namespace
