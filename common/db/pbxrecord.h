#pragma once

#include <QtGlobal>

// Sizes and offsets of the fixed byte records that the engine's per-PBX tables exchange with the PBX
// and with the programs (one byte per numeric column, in column order).
namespace PbxRecord {

// Initialization: 26 numeric bytes, then the model and version text.
inline constexpr qsizetype kInitializationSize = 77;
inline constexpr qsizetype kInitializationNumbers = 26;
inline constexpr qsizetype kInitializationVersion = 26;
inline constexpr qsizetype kExtensionCount = 2;  // NumeroDerivatiRilevati
inline constexpr qsizetype kLineCount = 4;       // NumeroEsterneRilevate
inline constexpr qsizetype kEntryPhoneCount = 6; // NumeroCitofoniRilevati
inline constexpr qsizetype kRelayCount = 8;      // NumeroReleRilevati

inline constexpr qsizetype kSystemConfigurationSize = 26;

// Programming records: byte 0 object type, byte 1 object index (IndiceOggetto), then the table's
// further columns.
inline constexpr qsizetype kExtensionProgrammationSize = 50;
inline constexpr qsizetype kLineProgrammationSize = 12;
inline constexpr qsizetype kEntryPhoneProgrammationSize = 4;
inline constexpr qsizetype kRelayProgrammationSize = 3;
inline constexpr qsizetype kSystemProgrammationSize = 3;

// The status answer of the PBX: type, index, Stato, Link, IndiceLink, IndiceSeguimi, Timeout.
inline constexpr qsizetype kStatusAnswerSize = 7;
// A relay's status as stored: type, index, Stato.
inline constexpr qsizetype kRelayStatusAnswerSize = 3;

// Extension status as read back: type, index, 7 numbers (Stato ... TipoRing), then the Digits text.
inline constexpr qsizetype kExtensionStatusSize = 60;
inline constexpr qsizetype kExtensionStatusDigits = 9;
// Line status as read back: index, 5 numbers (Stato ... Timeout), then the CallerID text.
inline constexpr qsizetype kLineStatusSize = 57;
inline constexpr qsizetype kLineStatusCallerId = 6;
// Entry-phone status as read back: type, index, 5 numbers.
inline constexpr qsizetype kEntryPhoneStatusSize = 7;
inline constexpr qsizetype kRelayStatusSize = 1;
// Text fields of the records: 50 characters and the NUL.
inline constexpr qsizetype kTextFieldWidth = 51;

// Wake-up setting: extension index, enable, hour, minute, second.
inline constexpr qsizetype kWakeUpSize = 5;

// A call-log record of the PBX's own log.
inline constexpr qsizetype kCallLogRecordSize = 45;
inline constexpr qsizetype kCallLogKind = 1;
inline constexpr qsizetype kCallLogDay = 3;
inline constexpr qsizetype kCallLogStart = 6;
inline constexpr qsizetype kCallLogEnd = 9;
inline constexpr qsizetype kCallLogDuration = 12;
inline constexpr qsizetype kCallLogLine = 15;
inline constexpr qsizetype kCallLogPulses = 16;   // 32-bit, most significant byte first
inline constexpr qsizetype kCallLogCharge = 20;   // 32-bit, most significant byte first
inline constexpr qsizetype kCallLogOutgoing = 24;
inline constexpr qsizetype kCallLogNumber = 25;   // to the first NUL or the end of the record
inline constexpr quint8 kCallLogKindNone = 0;
inline constexpr quint8 kCallLogKindCall = 1;
inline constexpr quint8 kCallLogKindEnd = 2;

// The call-end event payload of the PBX.
inline constexpr qsizetype kCallEventSize = 36;
inline constexpr qsizetype kCallEventLine = 1;
inline constexpr qsizetype kCallEventOutgoing = 2;
inline constexpr qsizetype kCallEventExtension = 3;  // 16-bit, low byte first
inline constexpr qsizetype kCallEventStart = 5;
inline constexpr qsizetype kCallEventEnd = 8;
inline constexpr qsizetype kCallEventPulses = 11;    // 16-bit, low byte first
inline constexpr qsizetype kCallEventCharge = 13;    // 16-bit, low byte first
inline constexpr qsizetype kCallEventNumber = 15;

// The console's call state of an extension, logged into LogCallsSwNew when it ends.
inline constexpr qsizetype kCallStateSize = 72;
inline constexpr qsizetype kCallStateLinkType = 0;
inline constexpr qsizetype kCallStateLinkIndex = 1;
inline constexpr qsizetype kCallStateHandedFrom = 2;  // with HandedTo at 3: a 16-bit word, low byte first
inline constexpr qsizetype kCallStateKind = 4;
inline constexpr qsizetype kCallStateStart = 8;       // the date as a double
inline constexpr qsizetype kCallStateNumber = 16;
inline constexpr qsizetype kCallStateNumberWidth = 56;

// Event payloads.
inline constexpr qsizetype kWakeEventSize = 5;  // extension, answer, hour, minute, second
inline constexpr qsizetype kAlarmEventSize = 3; // object type, object index, alarm type

// PbxObjectType values used in the records.
inline constexpr quint8 kObjectSystem = 0;
inline constexpr quint8 kObjectExtension = 1;
inline constexpr quint8 kObjectLine = 2;
inline constexpr quint8 kObjectEntryPhone = 3;
inline constexpr quint8 kObjectRelay = 4;

}  // namespace PbxRecord
