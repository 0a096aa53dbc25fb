#pragma once

#include "messagetarget.h"

#include <deque>

// Where the messages for the main window go while it does not exist yet (other programs and the
// termination signals may post during the start): they wait, in order, until the window is there, and
// are dropped once it has gone.
class FrameMessageRelay : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    // The window's target; null when the window goes.
    void SetTarget(MessageTarget* target);

private:
    struct Message {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };
    MessageTarget* m_target = nullptr;
    bool m_gone = false;
    std::deque<Message> m_pending;
};
