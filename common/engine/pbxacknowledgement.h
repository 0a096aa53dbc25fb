#pragma once

#include "engineerrorcode.h"

#include <cstddef>
#include <cstdint>
#include <span>

// The PBX acknowledges a setting (clock, call-log clear, state reporting) with a 7-byte frame:
// 0x16 0x16, code, 3, the echoed command, a status, 0.
inline constexpr std::size_t kAcknowledgementFrameSize = 7;
inline constexpr std::size_t kAcknowledgedCommandOffset = 4;
inline constexpr std::size_t kAcknowledgementStatusOffset = 5;

// The result of an acknowledgement answer to `command`. Only the length and the word of bytes 4-5 count
// (low byte the echoed command, high byte the status); the code byte is not looked at. 38 for anything
// but exactly 7 bytes echoing the command; status 0 -> 0, 1-3 -> 39-41, 4 or more -> 42.
EngineErrorCode CheckAcknowledgement(std::span<const std::uint8_t> answer, std::uint8_t command);

// Writes an acknowledgement frame (kAcknowledgementFrameSize bytes) when out is not null; returns its length.
std::size_t BuildAcknowledgementFrame(std::uint8_t* out, std::uint8_t code, std::uint8_t command,
                                      std::uint8_t status);
