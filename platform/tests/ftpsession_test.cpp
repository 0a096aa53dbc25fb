// The FTP layer against a real server on loopback: listings and block downloads in both modes, and the
// failures the updater tells apart.
#include "ftpsession.h"
#include "localftpserver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

FtpConnection ConnectionTo(const LocalFtpServer& server, bool passive)
{
    FtpConnection connection;
    connection.host = QStringLiteral("127.0.0.1");
    connection.port = server.Port();
    connection.user = QString::fromLatin1(LocalFtpServer::kUser);
    connection.password = QString::fromLatin1(LocalFtpServer::kPassword);
    connection.passive = passive;
    return connection;
}

// Bytes that show where each block came from.
QByteArray Pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
    return bytes;
}

class FtpSessionTest : public ::testing::TestWithParam<bool> {
protected:
    LocalFtpServer m_server;
};

TEST_P(FtpSessionTest, ListsAFolderAndDownloadsInBlocks)
{
    ASSERT_TRUE(m_server.IsRunning()) << m_server.Log().toStdString();
    const QByteArray content = Pattern(3 * FtpSession::kBlockSize + 123);
    ASSERT_TRUE(m_server.WriteFile(QStringLiteral("Pezzola/Refresko00010002.exe"), content));
    ASSERT_TRUE(m_server.WriteFile(QStringLiteral("Pezzola/read me.txt"), "x"));
    ASSERT_TRUE(m_server.MakeFolder(QStringLiteral("Pezzola/old")));

    FtpSession session(ConnectionTo(m_server, GetParam()));
    ASSERT_EQ(session.Connect(), FtpSession::Result::Ok) << session.LastError().toStdString();
    QList<FtpEntry> entries;
    ASSERT_EQ(session.List(QStringLiteral("Pezzola"), entries), FtpSession::Result::Ok) << session.LastError().toStdString();
    std::sort(entries.begin(), entries.end(), [](const FtpEntry& a, const FtpEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].name, QStringLiteral("Refresko00010002.exe"));
    EXPECT_EQ(entries[0].size, content.size());
    EXPECT_FALSE(entries[0].isFolder);
    EXPECT_EQ(entries[1].name, QStringLiteral("old"));
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_EQ(entries[2].name, QStringLiteral("read me.txt"));

    QByteArray received;
    QList<qsizetype> blockSizes;
    ASSERT_EQ(session.Download(QStringLiteral("Pezzola/Refresko00010002.exe"),
                               [&](QByteArrayView block) {
                                   blockSizes.append(block.size());
                                   received.append(block);
                                   return true;
                               }),
              FtpSession::Result::Ok)
        << session.LastError().toStdString();
    EXPECT_EQ(received, content);
    EXPECT_EQ(blockSizes, (QList<qsizetype>{4096, 4096, 4096, 123}));
}

INSTANTIATE_TEST_SUITE_P(PassiveAndActive, FtpSessionTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Passive" : "Active"; });

TEST(FtpSessionFailures, RefusedConnectionMissingFolderAndFileAndWrongPassword)
{
    LocalFtpServer server;
    ASSERT_TRUE(server.IsRunning()) << server.Log().toStdString();

    FtpConnection refused = ConnectionTo(server, true);
    refused.port = FreeLoopbackPort();
    FtpSession nobodyListens(refused);
    EXPECT_EQ(nobodyListens.Connect(), FtpSession::Result::ConnectFailed);

    FtpConnection wrongPassword = ConnectionTo(server, true);
    wrongPassword.password = QStringLiteral("nope");
    FtpSession refusedLogIn(wrongPassword);
    EXPECT_EQ(refusedLogIn.Connect(), FtpSession::Result::ConnectFailed);

    FtpSession session(ConnectionTo(server, true));
    ASSERT_EQ(session.Connect(), FtpSession::Result::Ok);
    QList<FtpEntry> entries;
    EXPECT_EQ(session.List(QStringLiteral("Pezzola"), entries), FtpSession::Result::NotFound);
    EXPECT_EQ(session.Download(QStringLiteral("Pezzola/none.exe"), [](QByteArrayView) { return true; }),
              FtpSession::Result::NotFound);
}

TEST(FtpSessionFailures, StopsWhenAskedAndIgnoresProxiesOfTheEnvironment)
{
    LocalFtpServer server;
    ASSERT_TRUE(server.IsRunning()) << server.Log().toStdString();
    ASSERT_TRUE(server.WriteFile(QStringLiteral("big.bin"), Pattern(20 * FtpSession::kBlockSize)));
    // A direct session goes to the server even when the environment names a proxy that is not there.
    qputenv("ftp_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(FreeLoopbackPort()));
    qputenv("all_proxy", qgetenv("ftp_proxy"));
    FtpSession session(ConnectionTo(server, true));
    const FtpSession::Result connected = session.Connect();
    qunsetenv("ftp_proxy");
    qunsetenv("all_proxy");
    ASSERT_EQ(connected, FtpSession::Result::Ok) << session.LastError().toStdString();

    int blocks = 0;
    EXPECT_EQ(session.Download(QStringLiteral("big.bin"), [&](QByteArrayView) { return ++blocks < 2; }),
              FtpSession::Result::Cancelled);
    EXPECT_EQ(blocks, 2);
}

TEST(ParseMachineListing, ReadsFactsAndNamesWithBlanks)
{
    const QList<FtpEntry> entries = ParseMachineListing(
        "type=cdir;modify=20240101000000; .\r\n"
        "type=file;size=42;modify=20240101000000; Refresko00010002.exe\r\n"
        "Type=DIR;Modify=20240101000000; Old patches\r\n"
        "garbage\r\n");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, QStringLiteral("Refresko00010002.exe"));
    EXPECT_EQ(entries[0].size, 42);
    EXPECT_EQ(entries[1].name, QStringLiteral("Old patches"));
    EXPECT_TRUE(entries[1].isFolder);
}

}  // namespace
