#pragma once

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>

// An entry phone's status (7 bytes): 0 object type, 1 index, 2 state, 3 linked object type, 4 linked
// index, 5-6 as the engine stores them.
struct EntryPhoneEntry {
    static constexpr std::size_t kSize = 7;
    static constexpr std::size_t kIndexOffset = 1;
    static constexpr std::size_t kStateOffset = 2;
    static constexpr std::size_t kLinkTypeOffset = 3;
    static constexpr std::size_t kLinkIndexOffset = 4;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t State() const { return bytes[kStateOffset]; }
    std::uint8_t LinkType() const { return bytes[kLinkTypeOffset]; }
    std::uint8_t LinkIndex() const { return bytes[kLinkIndexOffset]; }

    static EntryPhoneEntry FromRecord(const QByteArray& record)
    {
        EntryPhoneEntry entry;
        const auto length = std::min<std::size_t>(kSize, static_cast<std::size_t>(record.size()));
        std::copy_n(reinterpret_cast<const std::uint8_t*>(record.constData()), length, entry.bytes.begin());
        return entry;
    }
};
