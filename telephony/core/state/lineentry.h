#pragma once

#include "pbxtextfield.h"

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>

// A line's status as the console keeps it (108 bytes): 0 index, 1 call state, 2 linked object type,
// 3 linked index, 6-56 caller number, 57-107 caller name (each at most 49 characters and a zero).
struct LineEntry {
    static constexpr std::size_t kSize = 108;
    static constexpr std::size_t kIndexOffset = 0;
    static constexpr std::size_t kStateOffset = 1;
    static constexpr std::size_t kLinkTypeOffset = 2;
    static constexpr std::size_t kLinkIndexOffset = 3;
    static constexpr std::size_t kNumberOffset = 6;
    static constexpr std::size_t kNameOffset = 57;
    static constexpr std::size_t kTextWidth = 51;
    static constexpr std::size_t kMaxText = 49;  // the longest text either field is given

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t State() const { return bytes[kStateOffset]; }
    std::uint8_t LinkType() const { return bytes[kLinkTypeOffset]; }
    std::uint8_t LinkIndex() const { return bytes[kLinkIndexOffset]; }
    QByteArray CallerNumber() const { return PbxTextField::Read(std::span(bytes).subspan(kNumberOffset, kMaxText + 1)); }
    QByteArray CallerName() const { return PbxTextField::Read(std::span(bytes).subspan(kNameOffset, kMaxText + 1)); }
    void SetCallerNumber(const QByteArray& text) { PbxTextField::Write(std::span(bytes).subspan(kNumberOffset, kTextWidth), text.left(kMaxText)); }
    void SetCallerName(const QByteArray& text) { PbxTextField::Write(std::span(bytes).subspan(kNameOffset, kTextWidth), text.left(kMaxText)); }

    // Takes the database's 57-byte status record; the caller name is cleared.
    static LineEntry FromRecord(const QByteArray& record)
    {
        LineEntry entry;
        const auto length = std::min<std::size_t>(kNameOffset, static_cast<std::size_t>(record.size()));
        std::copy_n(reinterpret_cast<const std::uint8_t*>(record.constData()), length, entry.bytes.begin());
        entry.bytes[kNumberOffset + kMaxText] = 0;
        return entry;
    }
};
