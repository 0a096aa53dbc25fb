#pragma once

#include "messagetarget.h"

#include <mutex>
#include <vector>

// A message target that exists before the window it stands for: what is posted before the window is
// attached waits and is delivered, in order, when it is. Safe from any thread.
class DeferredMessageTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    // Delivers what waits to the target and forwards later posts there; null keeps them waiting again.
    void Attach(MessageTarget* target);

private:
    struct Message {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };

    std::mutex m_mutex;
    MessageTarget* m_target = nullptr;
    std::vector<Message> m_waiting;
};
