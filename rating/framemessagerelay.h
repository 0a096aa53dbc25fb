#pragma once

#include "messagetarget.h"

#include <deque>

// Where the messages for the main window go while it does not exist yet (other programs and the
// termination signals may post during the start): they wait, in order, until the window is there, and
// are dropped once it has gone. The exit command cannot wait behind a question of the start: it ends
// the open dialog and is remembered, so that the start gives up.
class FrameMessageRelay : public MessageTarget {
public:
    explicit FrameMessageRelay(std::uint64_t exitCommand) : m_exitCommand(exitCommand) {}

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    bool ExitRequested() const { return m_exitRequested; }
    // The window's target; null when the window goes.
    void SetTarget(MessageTarget* target);

private:
    struct Message {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };
    const std::uint64_t m_exitCommand;
    bool m_exitRequested = false;
    MessageTarget* m_target = nullptr;
    bool m_gone = false;
    std::deque<Message> m_pending;
};
