#include "terminationmessage.h"

#include "messagetarget.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// The handler may only write a byte; the event loop reads it and posts the message.
int g_wakeUp[2] = {-1, -1};
std::atomic<bool> g_requested = false;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void OnTerminationSignal(int)
{
    g_requested = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wakeUp[0], &byte, 1);
}

}  // namespace

TerminationMessage::TerminationMessage(MessageTarget& target, std::uint32_t message, std::uint64_t wParam)
    : m_target(target), m_message(message), m_wParam(wParam)
{
    if (g_wakeUp[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_wakeUp) != 0)
        return;
    m_notifier = new QSocketNotifier(g_wakeUp[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationMessage::OnSignal);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

TerminationMessage::~TerminationMessage()
{
    if (!m_notifier)
        return;
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(g_wakeUp[0]);
    ::close(g_wakeUp[1]);
    g_wakeUp[0] = g_wakeUp[1] = -1;
}

bool TerminationMessage::IsRequested() { return g_requested; }

void TerminationMessage::OnSignal()
{
    char bytes[16];
    [[maybe_unused]] const ssize_t read = ::read(g_wakeUp[1], bytes, sizeof bytes);
    m_target.Post(m_message, m_wParam, 0);
}
