#include "event.h"

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;

// A deadline that cannot overflow for the infinite time-out.
Clock::time_point DeadlineAfter(std::chrono::milliseconds timeout)
{
    if (timeout == Event::kInfinite)
        return Clock::time_point::max();
    return Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
}

}  // namespace

Event::Event(Reset mode, bool initiallySignalled) : m_mode(mode), m_signalled(initiallySignalled) {}

void Event::Set()
{
    std::vector<std::shared_ptr<Waiter>> waiters;
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
        waiters = m_waiters;
    }
    // Each waiter is woken with no lock held: a waiter woken while this thread still held the event's
    // lock or its own would at once sleep again on that lock, one more thread switch per wake-up. The
    // copies keep the waiters alive.
    for (const auto& waiter : waiters) {
        {
            std::lock_guard waiterLock(waiter->mutex);
            waiter->woken = true;
        }
        waiter->changed.notify_all();
    }
}

void Event::ResetSignal()
{
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool Event::IsSignalled() const
{
    std::lock_guard lock(m_mutex);
    return m_signalled;
}

bool Event::TryConsume()
{
    std::lock_guard lock(m_mutex);
    if (!m_signalled)
        return false;
    if (m_mode == Reset::Automatic)
        m_signalled = false;
    return true;
}

bool Event::Wait(std::chrono::milliseconds timeout)
{
    // Through a waiter of its own, as WaitAny: Set then wakes it with no lock held and never touches the
    // event after its lock, so a woken thread may destroy the event at once.
    Event* const self[] = {this};
    return WaitAny(self, timeout) == 0;
}

void Event::AddWaiter(const std::shared_ptr<Waiter>& waiter)
{
    std::lock_guard lock(m_mutex);
    m_waiters.push_back(waiter);
}

void Event::RemoveWaiter(const std::shared_ptr<Waiter>& waiter)
{
    std::lock_guard lock(m_mutex);
    std::erase(m_waiters, waiter);
}

int Event::WaitAny(std::span<Event* const> events, std::chrono::milliseconds timeout)
{
    // An event signalled already needs no waiter.
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i]->TryConsume())
            return static_cast<int>(i);
    const auto deadline = DeadlineAfter(timeout);
    auto waiter = std::make_shared<Waiter>();
    for (Event* event : events)
        event->AddWaiter(waiter);

    int result = kTimedOut;
    for (;;) {
        {
            // Clear the wake-up flag before looking, so that a Set between the look and the wait is kept.
            std::lock_guard lock(waiter->mutex);
            waiter->woken = false;
        }
        for (size_t i = 0; i < events.size() && result == kTimedOut; ++i)
            if (events[i]->TryConsume())
                result = static_cast<int>(i);
        if (result != kTimedOut)
            break;
        std::unique_lock lock(waiter->mutex);
        if (deadline == Clock::time_point::max()) {
            waiter->changed.wait(lock, [&] { return waiter->woken; });
        } else if (!waiter->changed.wait_until(lock, deadline, [&] { return waiter->woken; })) {
            lock.unlock();
            for (size_t i = 0; i < events.size() && result == kTimedOut; ++i)
                if (events[i]->TryConsume())
                    result = static_cast<int>(i);
            break;
        }
    }

    for (Event* event : events)
        event->RemoveWaiter(waiter);
    return result;
}
