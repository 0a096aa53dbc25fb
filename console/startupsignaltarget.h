#pragma once

#include "messagetarget.h"

#include <QObject>

// Where the termination signals go. Once the window exists they are its close command; before that the
// start-up itself is ended: the modal box it waits in is closed, any box it would show next closes at
// once, and TerminationRequested() tells it to stop what it started and return. Each box the start-up
// waits in is reported on standard output ("start-up waits in a box: <title>").
class StartupSignalTarget : public QObject, public MessageTarget {
    Q_OBJECT
public:
    explicit StartupSignalTarget(MessageTarget& window);
    ~StartupSignalTarget() override;

    // Posts from the GUI thread (the signal watcher's).
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    // From now on the window handles the signals.
    void WindowReady();
    bool TerminationRequested() const { return m_terminating; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageTarget& m_window;
    bool m_windowReady = false;
    bool m_terminating = false;
};
