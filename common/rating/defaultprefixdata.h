#pragma once

#include <array>
#include <span>

// The prefix lists of the default groups 1 to 36, in group order (group 0 holds the local area code and
// is built apart). Texts are UTF-8.
struct DefaultPrefix {
    const char* number;
    const char* label;
};

constexpr int kDefaultPrefixListCount = 36;

const std::array<std::span<const DefaultPrefix>, kDefaultPrefixListCount>& DefaultPrefixLists();
