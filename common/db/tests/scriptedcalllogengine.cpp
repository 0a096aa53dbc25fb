#include "scriptedcalllogengine.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t kSync = 0x16;
constexpr std::uint8_t kReadCallLog = 45;
constexpr std::uint8_t kClearCallLog = 47;
constexpr std::uint8_t kAcknowledgementCode = 32;
constexpr std::uint8_t kAllExtensionsByte = 255;
constexpr int kRecordSize = 45;
constexpr std::uint8_t kEndOfLog = 2;
constexpr int kIoTimeoutMs = 5000;

bool ReadAll(int socket, char* buffer, int length)
{
    int done = 0;
    while (done < length) {
        pollfd poller{socket, POLLIN, 0};
        if (poll(&poller, 1, kIoTimeoutMs) <= 0)
            return false;
        const ssize_t n = recv(socket, buffer + done, static_cast<size_t>(length - done), 0);
        if (n <= 0)
            return false;
        done += static_cast<int>(n);
    }
    return true;
}

void WriteAll(int socket, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = send(socket, data.constData() + done, static_cast<size_t>(data.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += n;
    }
}

QByteArray Frame(std::uint8_t code, const QByteArray& payload)
{
    QByteArray frame;
    frame.append(static_cast<char>(kSync)).append(static_cast<char>(kSync));
    frame.append(static_cast<char>(code)).append(static_cast<char>(payload.size()));
    return frame + payload;
}

}  // namespace

ScriptedCallLogEngine::ScriptedCallLogEngine()
{
    int wake[2];
    if (pipe(wake) != 0)
        return;
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener, 8) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener >= 0)
            close(listener);
        return;
    }
    m_listener = listener;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Run(); });
}

ScriptedCallLogEngine::~ScriptedCallLogEngine()
{
    if (m_thread.joinable()) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t written = write(m_wakeWrite, &stop, 1);
        m_thread.join();
    }
    for (const int descriptor : {m_listener, m_wakeRead, m_wakeWrite})
        if (descriptor >= 0)
            close(descriptor);
}

void ScriptedCallLogEngine::SetCalls(int extension, const QList<QByteArray>& records)
{
    std::lock_guard lock(m_mutex);
    m_calls[extension] = records;
}

void ScriptedCallLogEngine::FailReads(int extension, std::uint8_t status)
{
    std::lock_guard lock(m_mutex);
    m_failures[extension] = status;
}

int ScriptedCallLogEngine::ReadCount() const
{
    std::lock_guard lock(m_mutex);
    return m_reads;
}

int ScriptedCallLogEngine::ClearCount() const
{
    std::lock_guard lock(m_mutex);
    return m_clears;
}

QList<QByteArray> ScriptedCallLogEngine::Calls(int extension) const
{
    std::lock_guard lock(m_mutex);
    return m_calls.value(extension);
}

void ScriptedCallLogEngine::Run()
{
    for (;;) {
        pollfd pollers[2] = {{m_listener, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        if (poll(pollers, 2, -1) < 0 || (pollers[1].revents & POLLIN))
            return;
        const int connection = accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        Serve(connection);
        close(connection);
    }
}

void ScriptedCallLogEngine::Serve(int connection)
{
    char header[3];
    if (!ReadAll(connection, header, 3))
        return;
    QByteArray body(static_cast<std::uint8_t>(header[1]), '\0');
    if (!ReadAll(connection, body.data(), static_cast<int>(body.size())))
        return;
    std::uint8_t status = 0;
    const QByteArray data = Answer(body, status);
    QByteArray reply;
    reply.append(static_cast<char>(data.size())).append(header[2]).append(static_cast<char>(status));
    WriteAll(connection, reply + data);
}

QByteArray ScriptedCallLogEngine::Answer(const QByteArray& frame, std::uint8_t& status)
{
    std::lock_guard lock(m_mutex);
    if (frame.size() < 6)
        return {};
    const auto code = static_cast<std::uint8_t>(frame.at(2));
    const int extension = static_cast<std::uint8_t>(frame.at(5));
    if (code == kClearCallLog) {
        ++m_clears;
        if (extension == kAllExtensionsByte)
            m_calls.clear();
        else
            m_calls.remove(extension);
        return Frame(kAcknowledgementCode, QByteArray("\x2F\x00\x00", 3));
    }
    if (code != kReadCallLog || frame.size() < 7)
        return {};
    ++m_reads;
    if (m_failures.contains(extension)) {
        status = m_failures.value(extension);
        return {};
    }
    const bool next = frame.at(6) != 0;
    int& cursor = m_cursor[extension];
    cursor = next ? cursor + 1 : 0;
    const QList<QByteArray> calls = m_calls.value(extension);
    if (cursor < calls.size())
        return Frame(kReadCallLog, calls.at(cursor));
    QByteArray end(kRecordSize, '\0');
    end[1] = static_cast<char>(kEndOfLog);
    return Frame(kReadCallLog, end);
}
