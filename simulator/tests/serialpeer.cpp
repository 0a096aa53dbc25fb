#include "serialpeer.h"

#include "pbxcommandclass.h"
#include "pseudoterminal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

SerialPeer::SerialPeer(const QString& devicePath)
{
    m_descriptor = ::open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (m_descriptor < 0)
        return;
    termios raw{};
    ::tcgetattr(m_descriptor, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_descriptor, TCSANOW, &raw);
}

SerialPeer::~SerialPeer()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool SerialPeer::Send(const QByteArray& bytes) { return WriteAllBytes(m_descriptor, bytes); }

bool SerialPeer::ReadSome(int timeoutMs)
{
    pollfd descriptor{m_descriptor, POLLIN, 0};
    if (::poll(&descriptor, 1, timeoutMs) <= 0)
        return false;
    char buffer[512];
    const ssize_t n = ::read(m_descriptor, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    const auto now = CPbxFrameAssembler::Clock::now();
    for (ssize_t i = 0; i < n; ++i) {
        if (m_assembler.Feed(static_cast<std::uint8_t>(buffer[i]), now)) {
            const auto frame = m_assembler.Frame();
            m_frames += QByteArray(reinterpret_cast<const char*>(frame.data()), static_cast<qsizetype>(frame.size()));
        }
    }
    return true;
}
