#include "pseudoterminal.h"

#include <QFile>

#include <cerrno>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

std::unique_ptr<PseudoTerminal> PseudoTerminal::Open()
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0)
        return nullptr;
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, QString::fromLocal8Bit(name)));
}

PseudoTerminal::PseudoTerminal(int master, int slave, QString slavePath)
    : m_master(master), m_slave(slave), m_slavePath(std::move(slavePath))
{
}

PseudoTerminal::~PseudoTerminal()
{
    if (!m_publishedLink.isEmpty())
        QFile::remove(m_publishedLink);
    ::close(m_slave);
    ::close(m_master);
}

bool PseudoTerminal::PublishAs(const QString& linkPath)
{
    QFile::remove(linkPath);
    if (!QFile::link(m_slavePath, linkPath))
        return false;
    m_publishedLink = linkPath;
    return true;
}

bool WriteAllBytes(int descriptor, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

bool PseudoTerminal::Write(const QByteArray& bytes) { return WriteAllBytes(m_master, bytes); }

QByteArray PseudoTerminal::Read(int timeoutMs, int maxBytes)
{
    pollfd descriptor{m_master, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&descriptor, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0 || !(descriptor.revents & POLLIN))
        return {};
    QByteArray bytes(maxBytes, '\0');
    const ssize_t n = ::read(m_master, bytes.data(), static_cast<size_t>(maxBytes));
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}
