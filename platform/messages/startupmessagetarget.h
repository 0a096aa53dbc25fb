#pragma once

#include "messagetarget.h"

#include <QObject>

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

// Where the window messages of a program go before its frame exists, and where the termination signals
// go at any moment. Messages posted before the frame is attached wait and are delivered in order once it
// is. A termination message before that ends the start-up: the box the start-up waits in is closed, and
// TerminationRequested() tells it to stop and return. The termination message is a message number, and
// optionally one wParam of it (a program whose exit is a WM_COMMAND names the command).
class StartupMessageTarget : public QObject, public MessageTarget {
    Q_OBJECT
public:
    explicit StartupMessageTarget(std::uint32_t terminateMessage,
                                  std::optional<std::uint64_t> terminateWParam = std::nullopt);

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    // Delivers what waits to the frame and forwards later posts there; null keeps them waiting again.
    void Attach(MessageTarget* frame);
    bool TerminationRequested() const;

private:
    struct Message {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };

    void EndStartUp();
    bool IsTermination(std::uint32_t message, std::uint64_t wParam) const;

    const std::uint32_t m_terminateMessage;
    const std::optional<std::uint64_t> m_terminateWParam;
    mutable std::mutex m_mutex;
    MessageTarget* m_frame = nullptr;
    std::vector<Message> m_waiting;
    bool m_terminating = false;
};
