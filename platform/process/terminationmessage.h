#pragma once

#include <QObject>

#include <cstdint>

class MessageTarget;
class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a posted window message (a program's exit command), so that a
// program that is told to end closes in its usual order. One per program.
class TerminationMessage : public QObject {
    Q_OBJECT
public:
    TerminationMessage(MessageTarget& target, std::uint32_t message, std::uint64_t wParam);
    ~TerminationMessage() override;
    TerminationMessage(const TerminationMessage&) = delete;
    TerminationMessage& operator=(const TerminationMessage&) = delete;

    bool IsWatching() const { return m_notifier != nullptr; }
    // True once a termination signal came, even while the event loop is not running: work that blocks it
    // asks between its steps. Safe from any thread.
    static bool IsRequested();

private:
    void OnSignal();

    MessageTarget& m_target;
    const std::uint32_t m_message;
    const std::uint64_t m_wParam;
    QSocketNotifier* m_notifier = nullptr;
};
