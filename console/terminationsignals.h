#pragma once

#include <QObject>

#include <cstdint>

class MessageTarget;
class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a posted message (the console's close command), so that a
// terminated console shuts down in its usual order. One watcher per program.
class TerminationSignalWatcher : public QObject {
    Q_OBJECT
public:
    TerminationSignalWatcher(MessageTarget& target, std::uint32_t message, std::uint64_t wParam);
    ~TerminationSignalWatcher() override;
    TerminationSignalWatcher(const TerminationSignalWatcher&) = delete;
    TerminationSignalWatcher& operator=(const TerminationSignalWatcher&) = delete;

    bool IsWatching() const { return m_notifier != nullptr; }

private:
    void OnSignal();

    MessageTarget& m_target;
    const std::uint32_t m_message;
    const std::uint64_t m_wParam;
    QSocketNotifier* m_notifier = nullptr;
};
