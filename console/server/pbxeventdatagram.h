#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// What the engine sends to the workstations for each PBX event: the PBX index (255 for messages of the
// engine itself), then one PbxFrame; at most 128 bytes in all.
struct PbxEventDatagram {
    static constexpr std::size_t kMaxSize = 128;
    static constexpr std::uint8_t kEnginePbx = 255;

    std::array<std::uint8_t, kMaxSize> bytes{};
    std::size_t length = 0;

    std::span<const std::uint8_t> Bytes() const { return {bytes.data(), length}; }
};

// [pbx] + frame; nullopt when that exceeds 128 bytes (a frame of more than 127).
std::optional<PbxEventDatagram> BuildPbxEventDatagram(std::uint8_t pbx, std::span<const std::uint8_t> frame);
