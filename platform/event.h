#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

// A Win32-style event for worker threads: manual-reset events stay signalled until Reset; auto-reset
// events release exactly one waiter and fall back to unsignalled.
class Event {
public:
    enum class Reset { Manual, Automatic };
    static constexpr std::chrono::milliseconds kInfinite = std::chrono::milliseconds::max();
    static constexpr int kTimedOut = -1;

    explicit Event(Reset mode, bool initiallySignalled = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void ResetSignal();
    bool IsSignalled() const;

    // True when the event was signalled within the time-out (and, for an auto-reset event, consumed).
    bool Wait(std::chrono::milliseconds timeout = kInfinite);

    // Index of the first signalled event of the list within the time-out, or kTimedOut. Only that event
    // is consumed.
    static int WaitAny(std::span<Event* const> events, std::chrono::milliseconds timeout = kInfinite);

private:
    struct Waiter {
        std::mutex mutex;
        std::condition_variable changed;
        bool woken = false;
    };

    bool TryConsume();
    void AddWaiter(const std::shared_ptr<Waiter>& waiter);
    void RemoveWaiter(const std::shared_ptr<Waiter>& waiter);

    const Reset m_mode;
    mutable std::mutex m_mutex;
    bool m_signalled;
    std::vector<std::shared_ptr<Waiter>> m_waiters;
};
