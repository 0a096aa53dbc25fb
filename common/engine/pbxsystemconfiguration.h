#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// A PBX's system configuration: the 26 payload bytes of its configuration answer, one per column of the
// SystemConfiguration table in column order.
struct PbxSystemConfiguration {
    static constexpr std::size_t kSize = 26;
    static constexpr std::size_t kMinimumAnswerSize = 30;
    static constexpr std::size_t kThreeDigitNumberingOffset = 10;  // NumerazioneA3Cifre
    static constexpr std::size_t kRenumberingOffset = 11;          // Rinumerazione
    static constexpr std::size_t kExtensionBitmap1Offset = 24;     // ExtensioneBitmap1

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t ThreeDigitNumbering() const { return bytes[kThreeDigitNumberingOffset]; }
    std::uint8_t Renumbering() const { return bytes[kRenumberingOffset]; }
    std::uint8_t ExtensionBitmap1() const { return bytes[kExtensionBitmap1Offset]; }

    // Takes a configuration answer frame: at least 30 bytes with code 31. False, and nothing changed,
    // for any other answer.
    bool Decode(std::span<const std::uint8_t> answer);
};
