#include "pseudoterminal.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

class SlavePort {
public:
    explicit SlavePort(const QString& path) : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY)) {}
    ~SlavePort()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int fd() const { return m_fd; }

private:
    int m_fd;
};

TEST(PseudoTerminal, RawBytesCrossBothWays)
{
    auto terminal = PseudoTerminal::Open();
    ASSERT_TRUE(terminal);
    SlavePort port(terminal->SlavePath());
    ASSERT_GE(port.fd(), 0);

    // Bytes a line discipline would change (CR, ^C, ^D, 0x16 SYN) pass untouched.
    const QByteArray frame = QByteArray::fromHex("1616020d030a040016ff");
    ASSERT_TRUE(terminal->Write(frame));
    QByteArray received(frame.size(), '\0');
    qsizetype got = 0;
    while (got < frame.size()) {
        const ssize_t n = ::read(port.fd(), received.data() + got, static_cast<size_t>(frame.size() - got));
        ASSERT_GT(n, 0);
        got += n;
    }
    EXPECT_EQ(received, frame);

    ASSERT_EQ(::write(port.fd(), "\x16\x16\x20\x00", 4), 4);
    QByteArray answer;
    while (answer.size() < 4) {
        const QByteArray part = terminal->Read(2000);
        ASSERT_FALSE(part.isEmpty());
        answer += part;
    }
    EXPECT_EQ(answer, QByteArray("\x16\x16\x20\x00", 4));
}

TEST(PseudoTerminal, ReadTimesOutEmptyWithoutAPeer)
{
    auto terminal = PseudoTerminal::Open();
    ASSERT_TRUE(terminal);
    EXPECT_TRUE(terminal->Read(20).isEmpty());
}

TEST(PseudoTerminal, PublishedLinkLeadsToTheSlaveAndGoesWithIt)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("COM98.pty"));
    {
        auto terminal = PseudoTerminal::Open();
        ASSERT_TRUE(terminal);
        ASSERT_TRUE(terminal->PublishAs(link));
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), terminal->SlavePath());
        SlavePort port(link);
        EXPECT_GE(port.fd(), 0);
    }
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

}  // namespace
