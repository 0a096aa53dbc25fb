#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// A PBX's initialization record (77 bytes): bytes 0-15 the counts of its initialization answer (0 own
// extension, 1 extensions handled, 2 extensions found, 3 lines handled, 4 lines found, 5 entry phones
// handled, 6 found, 7 relays handled, 8 found, 9 answering-machine time bands, 10-14 spare, 15 number
// of boards N), bytes 16-25 the N board types, bytes 26 on the NUL-terminated model and version text.
// Bytes 0-25 are the numeric columns of the Initialization table, the text its Version column.
struct PbxInitialization {
    static constexpr std::size_t kSize = 77;
    static constexpr std::size_t kNumericColumns = 26;
    static constexpr std::size_t kCountsSize = 16;
    static constexpr std::size_t kOwnExtensionOffset = 0;
    static constexpr std::size_t kExtensionCountOffset = 2;
    static constexpr std::size_t kLineCountOffset = 4;
    static constexpr std::size_t kEntryPhoneCountOffset = 6;
    static constexpr std::size_t kRelayCountOffset = 8;
    static constexpr std::size_t kBoardCountOffset = 15;
    static constexpr std::size_t kBoardTypesOffset = 16;
    static constexpr std::size_t kMaxBoards = 10;
    static constexpr std::size_t kVersionOffset = 26;
    static constexpr std::size_t kMinimumAnswerSize = 20;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t OwnExtension() const { return bytes[kOwnExtensionOffset]; }
    std::uint8_t ExtensionCount() const { return bytes[kExtensionCountOffset]; }
    std::uint8_t LineCount() const { return bytes[kLineCountOffset]; }
    std::uint8_t EntryPhoneCount() const { return bytes[kEntryPhoneCountOffset]; }
    std::uint8_t RelayCount() const { return bytes[kRelayCountOffset]; }
    std::uint8_t BoardCount() const { return bytes[kBoardCountOffset]; }
    QString Version() const;
    // The model whose numbering plan differs: "NEXO28" anywhere in the version text.
    bool IsNexo28() const;

    // Takes an initialization answer frame: code 30, at least 20 bytes, a last byte 0, at most 10
    // boards and room for them (length >= N + 20). The record is cleared first; a version text longer
    // than the record holds is cut. False, and nothing changed, for any other answer.
    bool Decode(std::span<const std::uint8_t> answer);
};
