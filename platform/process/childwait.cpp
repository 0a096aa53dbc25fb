#include "childwait.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::atomic<bool> g_stopRequested{false};
// Written by the handler so that a wait in poll() wakes up.
int g_stopPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    g_stopRequested = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_stopPipe[1], &byte, 1);
}

// A descriptor that becomes readable when the child ends; -1 where the kernel has none.
int OpenProcessDescriptor(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

ChildOutcome Reap(pid_t pid, int options)
{
    ChildOutcome outcome;
    outcome.started = true;
    int status = 0;
    pid_t reaped;
    do {
        reaped = ::waitpid(pid, &status, options);
    } while (reaped < 0 && errno == EINTR && !(options & WNOHANG) && !g_stopRequested);
    if (reaped == pid && WIFEXITED(status)) {
        outcome.exited = true;
        outcome.exitCode = WEXITSTATUS(status);
    }
    return outcome;
}

}  // namespace

void StopSignals::Install()
{
    if (g_stopPipe[0] >= 0 || ::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // a blocked system call returns EINTR
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool StopSignals::Requested() { return g_stopRequested; }

int StopSignals::Descriptor() { return g_stopPipe[0]; }

ChildOutcome RunChildAndWait(const QString& program, const QStringList& arguments)
{
    std::vector<QByteArray> words;
    words.push_back(QFile::encodeName(program));
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return {};

    const int processDescriptor = OpenProcessDescriptor(pid);
    if (processDescriptor < 0)
        return Reap(pid, 0);
    while (!g_stopRequested) {
        pollfd descriptors[2] = {{processDescriptor, POLLIN, 0}, {g_stopPipe[0], POLLIN, 0}};
        const int ready = ::poll(descriptors, g_stopPipe[0] >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0 && (descriptors[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            ::close(processDescriptor);
            return Reap(pid, 0);
        }
    }
    ::close(processDescriptor);
    // Stopped: the child is left running; a finished one is still collected.
    return Reap(pid, WNOHANG);
}
