#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

// Builders of the frames that the engine sends. Each takes an output buffer or null first and returns
// the total frame length: with null it only measures, so that the caller can allocate exactly that many
// bytes; with a buffer it writes the whole frame. A frame that would not fit the one-byte length of the
// request protocol (kMaxRequestFrameSize) is not built: the result is 0 and nothing is written.
// BuildTextFrame alone returns 0 for a null buffer (see there).

// Extension byte that stands for this station: the on-hook, off-hook and digits frames then carry no
// extension.
inline constexpr std::uint8_t kThisStation = 0xFF;
// ClearCallLog's extension for the log of every extension.
inline constexpr std::uint8_t kAllExtensions = 0xFF;
// Selector byte that precedes the extension in the call-log frames.
inline constexpr std::uint8_t kCallLogSelector = 5;
// Key 64 with its state byte: pressed (1) or released (0).
inline constexpr std::uint8_t kKey64 = 64;
inline constexpr std::uint8_t kKeyPressed = 1;
inline constexpr std::uint8_t kKeyReleased = 0;

// Any request frame: 0x16 0x16, code, payload length, the leading payload bytes, the trailing bytes and,
// when asked, a terminating zero. The builders below are its named forms.
std::size_t BuildPbxFrame(std::uint8_t* out, std::uint8_t code, std::initializer_list<std::uint8_t> leading,
                          std::span<const std::uint8_t> trailing = {}, bool terminator = false);

// A PBX clock: day, month, year - 2000, hour, minute, second.
using PbxClockBytes = std::array<std::uint8_t, 6>;

std::size_t BuildInitializationRequestFrame(std::uint8_t* out);
std::size_t BuildConfigurationRequestFrame(std::uint8_t* out);
std::size_t BuildProgrammingReadFrame(std::uint8_t* out, std::uint8_t objectType, std::uint8_t objectIndex);
std::size_t BuildStatusReadFrame(std::uint8_t* out, std::uint8_t objectType, std::uint8_t objectIndex);
std::size_t BuildClockReadFrame(std::uint8_t* out);
std::size_t BuildClockSetFrame(std::uint8_t* out, const PbxClockBytes& clock);
std::size_t BuildWakeUpReadFrame(std::uint8_t* out, std::uint8_t extension);
// next = false asks for the extension's first record, true for the following one.
std::size_t BuildCallLogReadFrame(std::uint8_t* out, std::uint8_t extension, bool next);
std::size_t BuildCallLogClearFrame(std::uint8_t* out, std::uint8_t extension);
// The engine always sends parameter 1 (state reporting on).
std::size_t BuildStateReportingFrame(std::uint8_t* out, std::uint8_t parameter);
std::size_t BuildOffHookFrame(std::uint8_t* out, std::uint8_t extension);
std::size_t BuildOnHookFrame(std::uint8_t* out, std::uint8_t extension);
// Code 13 with the digit characters for this station, else code 16 with the extension first; no
// terminator.
std::size_t BuildDigitsFrame(std::uint8_t* out, std::uint8_t extension, std::string_view digits);
// Code 17: the extension, then the key bytes (pairs of key code and state, such as 64, 1 then 64, 0).
std::size_t BuildKeysFrame(std::uint8_t* out, std::uint8_t extension, std::span<const std::uint8_t> keys);
// A frame of the caller's code carrying one parameter byte, then the text and its NUL (payload length =
// text length + 2, frame length = text length + 6). Unlike the others it returns 0, and writes nothing,
// for a null buffer or an empty text; callers pass a buffer of at least text length + 6 bytes.
std::size_t BuildTextFrame(std::uint8_t* out, std::uint8_t code, std::uint8_t parameter, std::string_view text);

// Code 0x23: a programming record of the object type in its first byte, at its length
// (ProgrammingRecordSize); an unknown type is not built (0). The block must hold that many bytes.
std::size_t BuildProgrammingFrame(std::uint8_t* out, std::span<const std::uint8_t> block);
// Code 0x27: the 5-byte wake-up record (extension, enable, hour, minute, second).
std::size_t BuildWakeUpFrame(std::uint8_t* out, std::span<const std::uint8_t, 5> wakeUp);
// Code 0x2B: conversation recording of the extension (value 1 starts, 0 stops); the PBX does not answer.
std::size_t BuildRecordFrame(std::uint8_t* out, std::uint8_t extension, std::uint8_t value);
// Code 0xA0, relayed to every workstation: an operator message was written (kind 0) or read or deleted
// (kind 1), with its source and destination extensions and PBX identifiers.
inline constexpr std::uint8_t kMessageWritten = 0;
inline constexpr std::uint8_t kMessageReadOrDeleted = 1;
std::size_t BuildMessageNotifyFrame(std::uint8_t* out, std::uint8_t kind, std::uint8_t sourceExtension,
                                    std::uint8_t destinationExtension, std::uint8_t sourcePbx,
                                    std::uint8_t destinationPbx);
