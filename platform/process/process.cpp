#include "process.h"

#include <QProcess>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
// How long one look at a running process waits before asking whether to go on.
constexpr int kWaitSliceMs = 50;
}

bool StartDetachedProcess(const QString& program, const QStringList& arguments, const QString& folder)
{
    return QProcess::startDetached(program, arguments, folder);
}

int RunProcess(const QString& program, const QStringList& arguments, const QString& folder, int timeoutMs)
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return -1;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

qint64 StartOwnedDetachedProcess(const QString& program, const QStringList& arguments, const QString& folder)
{
    qint64 processId = 0;
    return QProcess::startDetached(program, arguments, folder, &processId) ? processId : 0;
}

bool WaitForProcessEnd(qint64 processId, const std::function<bool()>& keepWaiting)
{
    // A detached process is not our child: a process descriptor tells when it ends.
    const int descriptor = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(processId), 0));
    if (descriptor < 0)
        return true;  // already gone
    bool ended = false;
    while (!ended && keepWaiting()) {
        pollfd entry{descriptor, POLLIN, 0};
        ended = ::poll(&entry, 1, kWaitSliceMs) != 0;
    }
    ::close(descriptor);
    return ended;
}
