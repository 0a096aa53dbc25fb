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
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    m_changed.notify_all();
    for (const auto& waiter : m_waiters) {
        std::lock_guard waiterLock(waiter->mutex);
        waiter->woken = true;
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

bool Event::TryConsumeLocked()
{
    if (!m_signalled)
        return false;
    if (m_mode == Reset::Automatic)
        m_signalled = false;
    return true;
}

bool Event::TryConsume()
{
    std::lock_guard lock(m_mutex);
    return TryConsumeLocked();
}

bool Event::Wait(std::chrono::milliseconds timeout)
{
    const auto deadline = DeadlineAfter(timeout);
    std::unique_lock lock(m_mutex);
    while (!m_signalled) {
        if (deadline == Clock::time_point::max())
            m_changed.wait(lock);
        else if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout)
            return TryConsumeLocked();
    }
    return TryConsumeLocked();
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
