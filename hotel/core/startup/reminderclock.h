#pragma once

#include <QDateTime>

#include <chrono>

namespace lodgix {

// What the reminder reads the time from: the local date and time for its lists and a steady tick count
// for its intervals. Tests give one of their own.
class ReminderClock {
public:
    virtual ~ReminderClock() = default;
    virtual QDateTime Now() const = 0;
    virtual std::chrono::milliseconds Ticks() const = 0;
};

class SystemReminderClock : public ReminderClock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    std::chrono::milliseconds Ticks() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
    }
};

}  // namespace lodgix
