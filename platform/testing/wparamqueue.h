#pragma once

#include "messagetarget.h"

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

// A message target that keeps the wParam of every post, as a window's handler would receive them; posts
// come from worker threads, the test takes them on its own.
class WParamQueue : public MessageTarget {
public:
    void Post(std::uint32_t, std::uint64_t wParam, std::int64_t) override
    {
        std::lock_guard lock(m_mutex);
        m_values.push_back(static_cast<int>(wParam));
    }
    std::vector<int> Take()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_values, {});
    }
    std::size_t Size() const
    {
        std::lock_guard lock(m_mutex);
        return m_values.size();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<int> m_values;
};
