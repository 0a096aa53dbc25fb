#pragma once

// What the extensions window's files share: the requests' time budget, the service codes it dials and the
// bytes of an extension's programming record it reads or changes.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace derivedview {

inline constexpr int kSeconds = 6;  // the time budget of each request
inline constexpr std::string_view kHoldCode = "F";
inline constexpr std::string_view kResumeCode = "F9";

inline constexpr std::size_t kOperatorPositionByte = 2;
inline constexpr std::size_t kOutsideCallsByte = 5;
inline constexpr std::size_t kDoNotDisturbByte = 8;
inline constexpr std::size_t kFollowMeTargetByte = 49;
inline constexpr std::uint8_t kNoFollowMe = 255;

}  // namespace derivedview
