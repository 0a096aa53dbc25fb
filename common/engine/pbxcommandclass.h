#pragma once

#include <array>
#include <cstdint>

// The three code lists that sort frame codes into commands, requests and events. 60 and 70 are both
// requests and events, and 13 and 14 both no-answer commands and events: the receive paths test the
// event list first, so a 60 or 70 from the PBX is always an event.
inline constexpr std::array<std::uint8_t, 6> kNoAnswerCommands = {14, 0, 13, 16, 18, 43};
inline constexpr std::array<std::uint8_t, 26> kPbxRequestCodes = {
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 44, 45, 46, 47, 48, 49, 60, 70, 80, 81, 82, 83, 224, 240};
inline constexpr std::array<std::uint8_t, 17> kPbxEventCodes = {
    13, 14, 15, 50, 51, 60, 61, 62, 63, 64, 65, 66, 67, 68, 70, 71, 42};

bool IsPbxRequestCode(std::uint8_t code);
bool IsPbxEventCode(std::uint8_t code);
// A request or an event code: the codes a PBX may send; frames with other codes are dropped.
bool IsPbxFrameCode(std::uint8_t code);
// A command the PBX does not answer; the request server waits for an answer exactly when this is false.
bool IsNoAnswerCommand(std::uint8_t code);
// The codes a PBX takes from the engine: requests, the commands it does not answer, and key presses.
bool IsPbxCommandCode(std::uint8_t code);
