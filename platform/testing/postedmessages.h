#pragma once

#include "messagetarget.h"

#include <bit>
#include <cstdint>
#include <vector>

// A message target that keeps every post in order, as another program's window would receive them through
// SuiteIpc (delivered on the test's own thread).
class PostedMessages : public MessageTarget {
public:
    struct Posted {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;

        // The 8-byte date a post carries split in two: the low half in wParam, the high half in lParam.
        double Date() const
        {
            return std::bit_cast<double>((wParam & 0xFFFFFFFFu) | (static_cast<std::uint64_t>(lParam) << 32));
        }
    };

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        posted.push_back({message, wParam, lParam});
    }

    std::vector<Posted> posted;
};
