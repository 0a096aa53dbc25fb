#pragma once

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// An extension's last alarm (16 bytes): 0-7 the time as a date-time double (days since 30 December
// 1899), 8 the alarm kind, 9 the pending flag; the rest is zero. State 2 of the kind means not answered.
struct AlarmEntry {
    static constexpr std::size_t kSize = 16;
    static constexpr std::size_t kKindOffset = 8;
    static constexpr std::size_t kPendingOffset = 9;
    static constexpr std::uint8_t kNotAnswered = 2;

    std::array<std::uint8_t, kSize> bytes{};

    double Time() const
    {
        double time = 0;
        std::memcpy(&time, bytes.data(), sizeof time);
        return time;
    }
    void SetTime(double time) { std::memcpy(bytes.data(), &time, sizeof time); }
    std::uint8_t Kind() const { return bytes[kKindOffset]; }
    void SetKind(std::uint8_t kind) { bytes[kKindOffset] = kind; }
    bool Pending() const { return bytes[kPendingOffset] != 0; }
    void SetPending(bool pending) { bytes[kPendingOffset] = pending ? 1 : 0; }
    // The pending byte itself: 0 none, 1 raised, 2 answered.
    std::uint8_t PendingFlag() const { return bytes[kPendingOffset]; }
    void SetPendingFlag(std::uint8_t flag) { bytes[kPendingOffset] = flag; }
};
