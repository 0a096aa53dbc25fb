#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP as a request to end in order. Work that blocks the event loop asks
// IsRequested() between its steps; the event loop hears of it through the `requested` signal. One
// instance per program; the signals take their default action again when it goes.
class TerminationRequest : public QObject {
    Q_OBJECT
public:
    TerminationRequest();
    ~TerminationRequest() override;
    TerminationRequest(const TerminationRequest&) = delete;
    TerminationRequest& operator=(const TerminationRequest&) = delete;

    // Safe from any thread, and before or after an instance exists.
    static bool IsRequested();
    // Waits up to `ms`, returning early (false) when the program is asked to end.
    static bool Pause(int ms);

signals:
    void requested();

private:
    void OnSignal();

    QSocketNotifier* m_notifier = nullptr;
};
