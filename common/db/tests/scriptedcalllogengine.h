#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

// An engine request server on a loopback port that plays a PBX's call log: it answers call-log reads
// (code 45) from a list of call records per extension, with an end-of-log record after the last, and
// clears the log on code 47 with an acknowledgement. One connection per request, as the engine client
// makes them.
class ScriptedCallLogEngine {
public:
    ScriptedCallLogEngine();
    ~ScriptedCallLogEngine();
    ScriptedCallLogEngine(const ScriptedCallLogEngine&) = delete;
    ScriptedCallLogEngine& operator=(const ScriptedCallLogEngine&) = delete;

    bool IsListening() const { return m_listener >= 0; }
    std::uint16_t Port() const { return m_port; }

    // The 45-byte call records (kind 1) of an extension's log.
    void SetCalls(int extension, const QList<QByteArray>& records);
    // Reads of the extension's log are answered with this status and no data.
    void FailReads(int extension, std::uint8_t status);

    int ReadCount() const;
    int ClearCount() const;
    QList<QByteArray> Calls(int extension) const;

private:
    void Run();
    void Serve(int connection);
    QByteArray Answer(const QByteArray& frame, std::uint8_t& status);

    int m_listener = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::uint16_t m_port = 0;
    mutable std::mutex m_mutex;
    QMap<int, QList<QByteArray>> m_calls;
    QMap<int, int> m_cursor;
    QMap<int, std::uint8_t> m_failures;
    int m_reads = 0;
    int m_clears = 0;
    std::thread m_thread;
};
