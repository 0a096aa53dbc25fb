#pragma once

#include <cstdint>

// The codes (byte 2 of a PbxFrame) of the frames that the engine itself sends to a PBX.
namespace PbxCode {
inline constexpr std::uint8_t kOnHook = 0x00;            // release the extension or this station
inline constexpr std::uint8_t kDialOnStation = 0x0D;     // digits on this station; also the digit event
inline constexpr std::uint8_t kOffHook = 0x0E;           // seize or answer
inline constexpr std::uint8_t kDialOnExtension = 0x10;   // digits on a given extension
inline constexpr std::uint8_t kKeys = 0x11;              // key presses of an extension
inline constexpr std::uint8_t kInitializationRead = 0x1E;
inline constexpr std::uint8_t kConfigurationRead = 0x1F;
inline constexpr std::uint8_t kProgrammingRead = 0x21;
inline constexpr std::uint8_t kStatusRead = 0x22;
inline constexpr std::uint8_t kProgrammingWrite = 0x23;
inline constexpr std::uint8_t kClockRead = 0x25;
inline constexpr std::uint8_t kClockSet = 0x26;
inline constexpr std::uint8_t kWakeUpWrite = 0x27;
inline constexpr std::uint8_t kWakeUpRead = 0x29;
inline constexpr std::uint8_t kRecord = 0x2B;                 // conversation recording; never answered
inline constexpr std::uint8_t kCallLogRead = 0x2D;          // also the phone book's reads (PbxDirectory)
inline constexpr std::uint8_t kDirectoryWrite = 0x2E;
inline constexpr std::uint8_t kCallLogClear = 0x2F;
inline constexpr std::uint8_t kStateReporting = 0x3C;
inline constexpr std::uint8_t kMessageNotify = 0xA0;        // relayed only, never sent to a PBX
}  // namespace PbxCode
