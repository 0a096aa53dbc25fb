#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

// Who wrote a line of the traffic log; the number is the first argument of WriteTrafficLog.
enum class TrafficKind : int {
    kSerial = 0,     // "SERIAL:\t" (both PBX channels)
    kIpServer = 1,   // "IP SERVER:\t"
    kIpClient = 2,   // "IP CLIENT:\t"
    kUdpClient = 3,  // "UDP CLIENT:\t"
    kUdpServer = 4,  // "UDP SERVER:\t"
    kTapi = 5,       // "TAPI:\t", whose bytes are text
};

// The engine's traffic log ("Engine.log" in the program folder): one line per packet in or out,
//   <stamp>\t<kind tag>\t<text>\tSUCCESS|FAIL\t<code>\t<bytes as two hex digits, each followed by a tab>
// with the last tab replaced by CR LF. The stamp is a monotonic counter, its high 32 bits as "%x" and its
// low 32 bits as "%08x". Lines come from several threads; each is written with one write call.
class CTrafficLog {
public:
    CTrafficLog() = default;
    ~CTrafficLog();
    CTrafficLog(const CTrafficLog&) = delete;
    CTrafficLog& operator=(const CTrafficLog&) = delete;

    // Creates the file anew (an existing one is emptied); false when it cannot be written.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const;

    // Appends one line; nothing while the log is not open.
    void Write(TrafficKind kind, std::string_view text, bool success, int code, std::span<const std::uint8_t> bytes);

    // The line as Write writes it, for the given stamp.
    static std::string FormatLine(std::uint64_t stamp, TrafficKind kind, std::string_view text, bool success,
                                  int code, std::span<const std::uint8_t> bytes);
    // The monotonic counter of the stamps (nanoseconds of the steady clock).
    static std::uint64_t Stamp();

private:
    mutable std::mutex m_mutex;
    int m_file = -1;
};

// The log of the running engine, which the start-up opens; the channels write to it unless given
// another.
CTrafficLog& EngineTrafficLog();

// Writes one line to EngineTrafficLog(): `kind` as TrafficKind, `count` bytes (text for kind 5).
void WriteTrafficLog(int kind, std::string_view text, bool success, int code, const std::uint8_t* bytes,
                     std::size_t count);
