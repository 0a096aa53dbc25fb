#pragma once

#include "serialportbase.h"

#include <atomic>
#include <cstdint>
#include <thread>

// A port with a thread that waits for its communication events and hands them to OnPortEvent.
class CSerialEventThread : public CSerialPortBase {
public:
    CSerialEventThread() = default;
    // A class that implements OnPortEvent ends the thread in its own destructor (Close does).
    ~CSerialEventThread() override;

    // Opens the port overlapped; with `listen` the event thread begins too (its failure closes the port).
    EngineErrorCode Open(const QString& device, std::size_t inQueue, std::size_t outQueue, bool listen) override;
    // Ends the event thread, then closes the port.
    EngineErrorCode Close() override;

    // 23 when the thread cannot begin; nothing when one runs.
    EngineErrorCode BeginEventThread();
    // Stops the thread, wakes its wait and joins it. The wait can always be woken, so the join is not
    // limited; `timeoutMs` is kept for the callers that name one.
    void EndEventThread(int timeoutMs = kNoTimeout);
    bool IsEventThreadRunning() const { return m_thread.joinable(); }
    // True once the thread ended by itself because the port failed (the far end hung up): nothing more
    // will be received until the port is opened again.
    bool HasEventThreadFailed() const { return m_failed; }

protected:
    // On the event thread: the events that came (masked) and the line errors (none on this system).
    virtual void OnPortEvent(std::uint32_t events, std::uint32_t errors) = 0;

private:
    void Run();

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
};
