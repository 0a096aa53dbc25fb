#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

// The parts one after another, in a vector sized once. Tests build frames this way rather than by growing
// a vector made from a short list: g++ 12 at -O2 and above reports a false -Warray-bounds for insert or
// resize on such a vector (GCC bug 107852), which -Werror turns into a failed Release build.
inline std::vector<std::uint8_t> JoinBytes(std::initializer_list<std::span<const std::uint8_t>> parts)
{
    std::size_t total = 0;
    for (const auto part : parts)
        total += part.size();
    std::vector<std::uint8_t> bytes(total);
    auto out = bytes.begin();
    for (const auto part : parts)
        out = std::copy(part.begin(), part.end(), out);
    return bytes;
}
