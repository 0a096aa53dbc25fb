#pragma once

#include "pbxtextfield.h"

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>

// An extension's status as the console keeps it (60 bytes): 0 object type, 1 index, 2 call state,
// 3 linked object type, 4 linked index, 8 ring type, 9-58 dialled digits or caller text (at most 49
// characters and the terminating zero).
struct ExtensionEntry {
    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kObjectTypeOffset = 0;
    static constexpr std::size_t kIndexOffset = 1;
    static constexpr std::size_t kStateOffset = 2;
    static constexpr std::size_t kLinkTypeOffset = 3;
    static constexpr std::size_t kLinkIndexOffset = 4;
    static constexpr std::size_t kRingTypeOffset = 8;
    static constexpr std::size_t kDigitsOffset = 9;
    static constexpr std::size_t kDigitsWidth = 50;  // 49 characters and the NUL

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t State() const { return bytes[kStateOffset]; }
    std::uint8_t LinkType() const { return bytes[kLinkTypeOffset]; }
    std::uint8_t LinkIndex() const { return bytes[kLinkIndexOffset]; }
    std::uint8_t RingType() const { return bytes[kRingTypeOffset]; }
    QByteArray Digits() const { return PbxTextField::Read(std::span(bytes).subspan(kDigitsOffset, kDigitsWidth)); }
    void SetDigits(const QByteArray& text) { PbxTextField::Write(std::span(bytes).subspan(kDigitsOffset, kDigitsWidth), text); }

    // Takes the database's status record (shorter records are zero-filled, longer ones cut); the
    // text field always ends in a zero.
    static ExtensionEntry FromRecord(const QByteArray& record)
    {
        ExtensionEntry entry;
        const auto length = std::min<std::size_t>(kSize, static_cast<std::size_t>(record.size()));
        std::copy_n(reinterpret_cast<const std::uint8_t*>(record.constData()), length, entry.bytes.begin());
        entry.bytes[kDigitsOffset + kDigitsWidth - 1] = 0;
        return entry;
    }
};
