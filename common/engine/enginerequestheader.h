#pragma once

#include <array>
#include <cstdint>

// The three bytes that open every request to the engine request server, followed by `length` body bytes.
struct EngineRequestHeader {
    static constexpr std::size_t kSize = 3;
    static constexpr std::uint16_t kDefaultPort = 13443;

    // Targets: 0-127 a PBX index (the body is a PbxFrame to forward); 255 a ping that registers the
    // sender for events (body one byte 0); 0x80 + p relays the body as an event of PBX p to every
    // registered workstation; 0xC0 + p asks for the LAN address text of PBX p.
    static constexpr std::uint8_t kMaxPbxTarget = 127;
    static constexpr std::uint8_t kPingTarget = 255;
    static constexpr std::uint8_t kRelayTargetBase = 0x80;
    static constexpr std::uint8_t kAddressTargetBase = 0xC0;
    static constexpr std::uint8_t kMaxRelayPbx = 0x3F;  // relay and address targets carry 6 bits of PBX

    std::uint8_t target = 0;
    std::uint8_t length = 0;
    std::uint8_t budget = 0;  // seconds the server may wait for the PBX

    std::array<std::uint8_t, kSize> Encode() const { return {target, length, budget}; }
    static EngineRequestHeader Decode(const std::uint8_t* bytes) { return {bytes[0], bytes[1], bytes[2]}; }
};

// The budget the server gets for a caller's time in seconds: seconds - 1 from 6 seconds on, else 5
// (never more than one byte holds).
std::uint8_t EngineBudget(int seconds);
// How long the client waits for each part of the reply: the budget and one second more.
int EngineReplyWaitSeconds(std::uint8_t budget);
