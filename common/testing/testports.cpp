#include "testports.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <mutex>
#include <random>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Below Linux's default ephemeral range (32768-60999) and above the usual services.
constexpr int kFirstPort = 20000;
constexpr int kPortCount = 12000;

bool Binds(int type, std::uint16_t port)
{
    const int fd = ::socket(AF_INET, type, 0);
    if (fd < 0)
        return false;
    // A TCP port left in TIME_WAIT by an earlier test's program still serves: the engine's sockets bind so.
    if (type == SOCK_STREAM) {
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

class PortLocks {
public:
    PortLocks() : m_folder(QDir::tempPath() + QStringLiteral("/corvanti-test-ports"))
    {
        QDir().mkpath(m_folder);
        // Any user's tests share the folder.
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser |
                                            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    }

    std::uint16_t Take()
    {
        const std::lock_guard lock(m_mutex);
        for (int tried = 0; tried < kPortCount; ++tried) {
            const auto port = static_cast<std::uint16_t>(kFirstPort + (m_next++ % kPortCount));
            const QByteArray path = QFile::encodeName(m_folder + QStringLiteral("/%1").arg(port));
            const int fd = ::open(path.constData(), O_CREAT | O_RDWR | O_CLOEXEC, 0666);
            if (fd < 0)
                continue;
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && Binds(SOCK_STREAM, port) && Binds(SOCK_DGRAM, port)) {
                m_held.push_back(fd);  // released when the process ends
                return port;
            }
            ::close(fd);
        }
        throw std::runtime_error("no free test port left");
    }

private:
    QString m_folder;
    std::mutex m_mutex;
    // Each process starts at a place of its own, so that the processes rarely meet on a lock.
    unsigned m_next = std::random_device{}() % kPortCount;
    std::vector<int> m_held;
};

}  // namespace

std::uint16_t ReserveTestPort()
{
    static PortLocks locks;
    return locks.Take();
}
