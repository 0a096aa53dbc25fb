#include "trafficlog.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

namespace {

const char* KindTag(TrafficKind kind)
{
    switch (kind) {
    case TrafficKind::kSerial: return "SERIAL:\t";
    case TrafficKind::kIpServer: return "IP SERVER:\t";
    case TrafficKind::kIpClient: return "IP CLIENT:\t";
    case TrafficKind::kUdpClient: return "UDP CLIENT:\t";
    case TrafficKind::kUdpServer: return "UDP SERVER:\t";
    case TrafficKind::kTapi: return "TAPI:\t";
    }
    return "";
}

bool WriteAll(int file, const std::string& line)
{
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(file, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

CTrafficLog::~CTrafficLog()
{
    Close();
}

bool CTrafficLog::Open(const QString& path)
{
    const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    std::lock_guard lock(m_mutex);
    if (m_file >= 0)
        ::close(m_file);
    m_file = file;
    return m_file >= 0;
}

void CTrafficLog::Close()
{
    std::lock_guard lock(m_mutex);
    if (m_file >= 0)
        ::close(m_file);
    m_file = -1;
}

bool CTrafficLog::IsOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_file >= 0;
}

void CTrafficLog::Write(TrafficKind kind, std::string_view text, bool success, int code,
                        std::span<const std::uint8_t> bytes)
{
    std::lock_guard lock(m_mutex);
    if (m_file < 0)
        return;
    // A failed log write must not disturb the traffic it records.
    WriteAll(m_file, FormatLine(Stamp(), kind, text, success, code, bytes));
}

std::string CTrafficLog::FormatLine(std::uint64_t stamp, TrafficKind kind, std::string_view text, bool success,
                                    int code, std::span<const std::uint8_t> bytes)
{
    char number[32];
    std::snprintf(number, sizeof number, "%x%08x\t", static_cast<unsigned>(stamp >> 32),
                  static_cast<unsigned>(stamp & 0xFFFFFFFFu));
    std::string line = number;
    line += KindTag(kind);
    line += text;
    line += '\t';
    line += success ? "SUCCESS\t" : "FAIL\t";
    line += std::to_string(code);
    line += '\t';
    if (kind == TrafficKind::kTapi) {
        const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
        line.append(bytes.begin(), end);
        line += '\t';
    } else {
        for (const std::uint8_t byte : bytes) {
            std::snprintf(number, sizeof number, "%02x\t", byte);
            line += number;
        }
    }
    line.back() = '\r';
    line += '\n';
    return line;
}

std::uint64_t CTrafficLog::Stamp()
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

CTrafficLog& EngineTrafficLog()
{
    static CTrafficLog log;
    return log;
}

void WriteTrafficLog(int kind, std::string_view text, bool success, int code, const std::uint8_t* bytes,
                     std::size_t count)
{
    EngineTrafficLog().Write(static_cast<TrafficKind>(kind), text, success, code,
                             std::span<const std::uint8_t>(bytes, bytes ? count : 0));
}
