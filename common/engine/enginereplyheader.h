#pragma once

#include <array>
#include <cstdint>

// The three bytes with which the engine request server answers, followed by `length` data bytes (the
// PBX's answer frame, or an address text with its NUL); the server then closes the connection.
struct EngineReplyHeader {
    static constexpr std::size_t kSize = 3;

    std::uint8_t length = 0;
    std::uint8_t echo = 0;    // the request's budget byte, unchanged
    std::uint8_t status = 0;  // 0, or the EngineErrorCode of the server or the channel

    std::array<std::uint8_t, kSize> Encode() const { return {length, echo, status}; }
    static EngineReplyHeader Decode(const std::uint8_t* bytes) { return {bytes[0], bytes[1], bytes[2]}; }
};
