#include "terminationrequest.h"

#include <QSocketNotifier>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// How often a pause looks at the flag: short enough that an ending program does not seem to hang.
constexpr auto kPauseSlice = std::chrono::milliseconds(20);

std::atomic<bool> g_requested = false;
// The handler only sets the flag and writes a byte; the event loop reads the byte.
int g_pipe[2] = {-1, -1};

void OnTerminationSignal(int)
{
    g_requested = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

}  // namespace

TerminationRequest::TerminationRequest()
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationRequest::OnSignal);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

TerminationRequest::~TerminationRequest()
{
    if (!m_notifier)
        return;
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

bool TerminationRequest::IsRequested() { return g_requested; }

bool TerminationRequest::Pause(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!IsRequested()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end)
            return true;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kPauseSlice, end - now));
    }
    return false;
}

void TerminationRequest::OnSignal()
{
    char bytes[16];
    [[maybe_unused]] const ssize_t read = ::read(g_pipe[1], bytes, sizeof bytes);
    emit requested();
}
