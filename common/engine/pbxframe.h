#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// A PbxFrame: 0x16 0x16, code, payload length n, n payload bytes; no checksum, no terminator. The same
// bytes travel over the serial port, inside the LAN envelope, after the engine request header and after
// the PBX index byte of an event datagram.
inline constexpr std::uint8_t kPbxSync = 0x16;
inline constexpr std::size_t kPbxCodeOffset = 2;
inline constexpr std::size_t kPbxPayloadLengthOffset = 3;
inline constexpr std::size_t kPbxPayloadOffset = 4;
inline constexpr std::size_t kPbxFrameHeaderSize = 4;
inline constexpr std::size_t kMaxPbxPayloadSize = 255;
inline constexpr std::size_t kMaxPbxFrameSize = kPbxFrameHeaderSize + kMaxPbxPayloadSize;

// A frame sent through the engine request protocol has its length in one byte, so the builders never
// make a longer one.
inline constexpr std::size_t kMaxRequestFrameSize = 255;

// True when the bytes are exactly one frame: at least 4 bytes, both sync bytes, a request or event code,
// and a total length of payload length + 4.
bool IsWellFormedPbxFrame(std::span<const std::uint8_t> bytes);
