#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

// Event frames that the PBX sends unasked, with the payloads the engine reads. Each builder returns the
// whole frame (MakePbxFrame for any other event).
namespace PbxEventCode {
inline constexpr std::uint8_t kDigit = 13;             // extension, digit characters
inline constexpr std::uint8_t kOffHook = 14;           // extension
inline constexpr std::uint8_t kOnHook = 15;            // extension
inline constexpr std::uint8_t kWakeUpResult = 42;      // extension, answer, hour, minute, second
inline constexpr std::uint8_t kRing = 51;              // extension, ring type, link type, link index
inline constexpr std::uint8_t kLink = 60;              // type A, index A, type B, index B
inline constexpr std::uint8_t kState = 65;             // object type, index, new state
inline constexpr std::uint8_t kCallRecord = 67;        // the PBX's record of an ended call
inline constexpr std::uint8_t kProgrammingChanged = 68;  // object type, index or 255
inline constexpr std::uint8_t kCallerId = 70;          // line, message kind, caller-id data
inline constexpr std::uint8_t kAlarm = 71;             // object type, index, alarm type
}  // namespace PbxEventCode

// Ring types of the ring event.
namespace PbxRingType {
inline constexpr std::uint8_t kFromLine = 8;
inline constexpr std::uint8_t kInternal = 16;  // another extension, or the wake-up call (link type 0)
inline constexpr std::uint8_t kFromEntryPhone = 48;
}  // namespace PbxRingType

// Message kinds of the caller-id event: parameters (type, length, value) or a fixed layout.
enum class CallerIdFormat : std::uint8_t { kParameters = 0x80, kFixed = 4 };

// The PBX's record of an ended call (event 67).
struct PbxCallRecord {
    std::uint8_t line = 0;
    bool outgoing = true;
    std::uint16_t extension = 0;
    QTime start;
    QTime end;
    std::uint16_t pulses = 0;
    std::uint16_t charge = 0;
    QString number;
};

QByteArray BuildDigitEvent(std::uint8_t extension, char digit);
QByteArray BuildHandsetEvent(std::uint8_t extension, bool offHook);
QByteArray BuildWakeUpResultEvent(std::uint8_t extension, std::uint8_t answer, const QTime& time);
QByteArray BuildRingEvent(std::uint8_t extension, std::uint8_t ringType, std::uint8_t linkType,
                          std::uint8_t linkIndex);
QByteArray BuildLinkEvent(std::uint8_t typeA, std::uint8_t indexA, std::uint8_t typeB, std::uint8_t indexB);
QByteArray BuildStateEvent(std::uint8_t objectType, std::uint8_t index, std::uint8_t state);
// The record's number is cut to 20 characters, so that the payload fits the engine's 36-byte record.
QByteArray BuildCallRecordEvent(const PbxCallRecord& record);
QByteArray BuildProgrammingChangedEvent(std::uint8_t objectType, std::uint8_t index);
// Parameters: date and time (type 1, "MMDDhhmm"), then the number (type 2). Fixed: the date and time at
// frame bytes 6-13, the number from byte 14, and a check byte last.
QByteArray BuildCallerIdEvent(std::uint8_t line, const QString& number, const QDateTime& time,
                              CallerIdFormat format);
QByteArray BuildAlarmEvent(std::uint8_t objectType, std::uint8_t index, std::uint8_t alarmType);
