#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <unordered_map>

constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_USER = 0x0400;

// Where a worker thread posts a window message. Workers depend only on this interface; windows receive
// the message on their own thread and dispatch it by number.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) = 0;
};

// The event a posted message becomes in the receiving window's event queue.
class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
    static QEvent::Type EventType();

    std::uint32_t Message() const { return m_message; }
    std::uint64_t WParam() const { return m_wParam; }
    std::int64_t LParam() const { return m_lParam; }

private:
    std::uint32_t m_message;
    std::uint64_t m_wParam;
    std::int64_t m_lParam;
};

// Posts into a QObject's event queue; safe from any thread. Messages to a receiver that no longer
// exists are dropped.
class QtMessageTarget : public MessageTarget {
public:
    explicit QtMessageTarget(QObject* receiver);
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;

private:
    QPointer<QObject> m_receiver;
};

// A window's message map: handlers by message number. A window calls Dispatch from its event().
class MessageMap {
public:
    using Handler = std::function<void(std::uint64_t wParam, std::int64_t lParam)>;

    void On(std::uint32_t message, Handler handler);
    // True when the event was a window message (handled or not).
    bool Dispatch(QEvent* event) const;

private:
    std::unordered_map<std::uint32_t, Handler> m_handlers;
};

// A message number for a name, the same in every process of the suite (>= 0xC000).
std::uint32_t RegisterWindowMessage(const QString& name);
