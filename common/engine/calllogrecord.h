#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// One record of a PBX's call log (45 bytes), as the call-log answer carries it in its payload:
// byte 1 kind, 3 day, 4 month, 5 year - 2000, 6-8 start hour, minute, second, 9-11 end time, 12-14
// duration, 15 external line, 16-19 pulses and 20-23 charge (32 bits, most significant byte first),
// 24 outgoing flag, 25-44 the dialled number as text.
struct CallLogRecord {
    static constexpr std::size_t kSize = 45;
    static constexpr std::size_t kNumberOffset = 25;
    static constexpr std::size_t kNumberSize = 20;

    enum Kind : std::uint8_t { kNoRecord = 0, kCall = 1, kEndOfLog = 2 };

    struct Time {
        std::uint8_t hour = 0;
        std::uint8_t minute = 0;
        std::uint8_t second = 0;
    };

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t RecordKind() const { return bytes[1]; }
    // The call's date; invalid when the PBX sent an impossible one.
    QDate Date() const;
    Time Start() const { return {bytes[6], bytes[7], bytes[8]}; }
    Time End() const { return {bytes[9], bytes[10], bytes[11]}; }
    Time Duration() const { return {bytes[12], bytes[13], bytes[14]}; }
    std::uint8_t Line() const { return bytes[15]; }
    std::uint32_t Pulses() const;
    std::uint32_t Charge() const;
    bool IsOutgoing() const { return bytes[24] != 0; }
    // The dialled number: the text from byte 25 up to its NUL or the end of the record.
    QString DialledNumber() const;

    // Takes a call-log answer frame: more than 5 bytes with code 45. The record is cleared, the payload
    // copied from byte 0 (cut to the record when longer) and the dialled number turned into text in
    // place: byte 10 is '0', any other byte b up to the first 0 is the character '0' + b. False, and
    // nothing changed, for any other answer.
    bool Decode(std::span<const std::uint8_t> answer);
};
