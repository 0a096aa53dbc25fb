#include "networkbrowser.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString WriteHosts(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("hosts"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    return path;
}

TEST(NetworkBrowser, OwnNameFirstThenTheNamesOfTheIpv4EntriesEachOnce)
{
    QTemporaryDir dir;
    const QString hosts = WriteHosts(dir,
                                     "# static table\n"
                                     "127.0.0.1\tlocalhost\n"
                                     "127.0.1.1\tpc-banco\n"
                                     "::1     localhost ip6-localhost ip6-loopback\n"
                                     "192.168.1.10   server-hotel server  # the engine\n"
                                     "192.168.1.11\tPC-Banco reception\n"
                                     "\n"
                                     "10.0.0.5 Server-Hotel\r\n"
                                     "not-an-address name\n"
                                     "192.168.1.12\n");
    ASSERT_FALSE(hosts.isEmpty());
    const NetworkBrowser browser(hosts, QStringLiteral("pc-banco"));
    EXPECT_EQ(browser.Computers(), (QStringList{QStringLiteral("pc-banco"), QStringLiteral("server-hotel"),
                                                QStringLiteral("server"), QStringLiteral("reception")}));
}

TEST(NetworkBrowser, WithoutAHostsDatabaseOnlyThisComputerIsOffered)
{
    const NetworkBrowser browser(QStringLiteral("/nonexistent/hosts"), QStringLiteral("pc-banco"));
    EXPECT_EQ(browser.Computers(), QStringList{QStringLiteral("pc-banco")});
    EXPECT_FALSE(NetworkBrowser(QStringLiteral("/nonexistent/hosts")).Computers().isEmpty());  // the real name
}

}  // namespace
