#include "ownedprocess.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int OpenProcessDescriptor(qint64 processId)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(processId), 0));
}

// A process descriptor is readable once its process has ended.
bool Ended(int descriptor, int timeoutMs)
{
    pollfd entry{descriptor, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) != 0;
}

}  // namespace

OwnedProcess::~OwnedProcess() { Release(); }

void OwnedProcess::Release()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    m_processId = 0;
}

bool OwnedProcess::Start(const QString& program, const QStringList& arguments, const QString& folder)
{
    Release();
    qint64 processId = 0;
    if (!QProcess::startDetached(program, arguments, folder, &processId) || processId <= 0)
        return false;
    m_processId = processId;
    m_descriptor = OpenProcessDescriptor(processId);  // fails only when the program has ended already
    return true;
}

bool OwnedProcess::IsRunning() const { return m_descriptor >= 0 && !Ended(m_descriptor, 0); }

bool OwnedProcess::Terminate(int timeoutMs)
{
    bool ended = !IsRunning();
    // A signal that cannot be sent finds the program ended meanwhile.
    if (!ended && ::syscall(SYS_pidfd_send_signal, m_descriptor, SIGTERM, nullptr, 0) != 0)
        ended = !IsRunning();
    const QDeadlineTimer deadline(timeoutMs);
    while (!ended && !deadline.hasExpired())
        ended = Ended(m_descriptor, static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)));
    Release();
    return ended;
}
