#pragma once

#include "pbxframe.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Every datagram between the engine and a LAN PBX travels in an envelope: a kind byte, the payload length
// in 16 bits (high byte first) and the payload. Kind 0xB0 carries one PbxFrame; kind 0xA0 is an
// announcement, by which the engine and the PBX learn each other's address.
//
// The two announcements differ: the engine's carries its UDP port (low byte first) before its dotted
// IPv4 address, the PBX's carries only its dotted address; both end the text with a NUL.
inline constexpr std::uint8_t kLanFrameKind = 0xB0;
inline constexpr std::uint8_t kLanAnnouncementKind = 0xA0;
inline constexpr std::size_t kLanKindOffset = 0;
inline constexpr std::size_t kLanLengthOffset = 1;
inline constexpr std::size_t kLanEnvelopeHeaderSize = 3;
// The envelope of the longest frame.
inline constexpr std::size_t kMaxLanDatagramSize = kLanEnvelopeHeaderSize + kMaxPbxFrameSize;

// The engine's local UDP port, the PBX's port and the address that reaches a PBX not yet announced.
inline constexpr std::uint16_t kEngineLanPort = 13398;
inline constexpr std::uint16_t kPbxLanPort = 61;
inline constexpr std::string_view kLanBroadcastAddress = "255.255.255.255";

// An envelope of the kind around the payload; empty when the payload exceeds 65535 bytes.
std::vector<std::uint8_t> BuildLanEnvelope(std::uint8_t kind, std::span<const std::uint8_t> payload);
// A 0xB0 datagram carrying the frame.
std::vector<std::uint8_t> BuildLanFrameDatagram(std::span<const std::uint8_t> frame);
// The engine's announcement: its UDP port, then its dotted IPv4 address and a NUL.
std::vector<std::uint8_t> BuildEngineAnnouncement(std::uint16_t port, std::string_view dottedAddress);
// The PBX's announcement: its dotted IPv4 address and a NUL.
std::vector<std::uint8_t> BuildPbxAnnouncement(std::string_view dottedAddress);

struct LanEnvelope {
    std::uint8_t kind;
    std::span<const std::uint8_t> payload;  // inside the datagram given to ParseLanEnvelope
};

// The envelope of a datagram of either kind: nullopt unless it holds at least one payload byte. The payload
// is every byte after the header: the datagram's own size counts, and the length field is not read (a PBX
// may fill it loosely; what the frame inside says is judged by the frame's own length byte).
std::optional<LanEnvelope> ParseLanEnvelope(std::span<const std::uint8_t> datagram);

// The frame of a 0xB0 datagram: the envelope checks, then at least the 4 frame header bytes, both sync
// bytes and a payload length byte that matches the frame's size. The code is not judged here (the
// receiver decides which codes it takes).
std::optional<std::span<const std::uint8_t>> ParseLanFrameDatagram(std::span<const std::uint8_t> datagram);

struct EngineAnnouncement {
    std::uint16_t port;
    std::string address;
};

// The engine's announcement: kind 0xA0, the two port bytes, a non-empty text ending in the last byte,
// a NUL, with no NUL before it.
std::optional<EngineAnnouncement> ParseEngineAnnouncement(std::span<const std::uint8_t> datagram);
// The PBX's announcement: kind 0xA0 and a non-empty text ending in the last byte, a NUL, with no NUL
// before it. The text is not judged as an address here.
std::optional<std::string> ParsePbxAnnouncement(std::span<const std::uint8_t> datagram);
