#pragma once

#include "calllogrecord.h"
#include "engineerrorcode.h"
#include "enginerequestheader.h"
#include "pbxdirectory.h"
#include "pbxframebuilders.h"
#include "pbxinitialization.h"
#include "pbxobjecttype.h"
#include "pbxsystemconfiguration.h"

#include <netinet/in.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

class DialledDigitsRecorder;

// What the engine request server sent back: up to 255 data bytes (the PBX's answer frame).
struct EngineReply {
    std::array<std::uint8_t, 255> data{};
    std::size_t length = 0;

    std::span<const std::uint8_t> Bytes() const { return {data.data(), length}; }
};

using ProgrammingRecord = std::array<std::uint8_t, kMaxProgrammingRecordSize>;
using PbxStatusBytes = std::array<std::uint8_t, 7>;
using WakeUpBytes = std::array<std::uint8_t, 5>;

// The client of the engine request server: one TCP connection per request to the server's address
// (13443 unless told otherwise), a three-byte header, the body, and a three-byte reply with the data.
// It keeps nothing between requests but the address (and the pause function of DialNumber, set before
// use), so several threads may share one object.
//
// Every typed request takes the PBX index first and a time in seconds last and returns an
// EngineErrorCode: the transport's code (34 socket failure, 35 short data, 36 wrong echo, 37 short
// header, or the server's status), else 38 when the answer does not fit the request, 39-42 for a
// refusing acknowledgement, 0 on success. A PBX index above 127 is no PBX target: 33, nothing is sent.
class CEngineClient {
public:
    using SleepFunction = std::function<void(std::chrono::milliseconds)>;

    explicit CEngineClient(const std::string& serverAddress,
                           std::uint16_t port = EngineRequestHeader::kDefaultPort);

    // The pauses of DialNumber go through this function (the thread sleeps by default).
    void SetSleepFunction(SleepFunction sleep) { m_sleep = std::move(sleep); }
    const sockaddr_in& ServerAddress() const { return m_address; }

    // One exchange: sends the header [target, body length, budget] and the body, reads the reply header
    // and the data announced there into `reply`, each within the budget and one second. A reply header
    // without data gives its status. A body longer than 255 bytes cannot be announced: 34, nothing sent.
    EngineErrorCode Transact(std::uint8_t target, std::span<const std::uint8_t> body, EngineReply& reply,
                             int seconds) const;

    EngineErrorCode ReadInitialization(std::uint8_t pbx, PbxInitialization& initialization, int seconds) const;
    EngineErrorCode ReadSystemConfiguration(std::uint8_t pbx, PbxSystemConfiguration& configuration,
                                            int seconds) const;
    EngineErrorCode RequestStateEvents(std::uint8_t pbx, std::uint8_t parameter, int seconds) const;
    // Fills the first ProgrammingRecordSize(objectType) bytes of the record (the object type first). A
    // type above 4 gives 0 and fills nothing, without a request.
    EngineErrorCode ReadProgrammation(std::uint8_t pbx, std::uint8_t objectType, std::uint8_t index,
                                      ProgrammingRecord& record, int seconds) const;
    // Object types 1-3; the 7 status bytes as the PBX sends them.
    EngineErrorCode ReadStatus(std::uint8_t pbx, std::uint8_t objectType, std::uint8_t index,
                               PbxStatusBytes& status, int seconds) const;
    EngineErrorCode ReadClock(std::uint8_t pbx, PbxClockBytes& clock, int seconds) const;
    EngineErrorCode SetClock(std::uint8_t pbx, const PbxClockBytes& clock, int seconds) const;
    // next = false for the extension's first record, true for the following one.
    EngineErrorCode ReadCallLogRecord(std::uint8_t pbx, std::uint8_t extension, bool next, CallLogRecord& record,
                                      int seconds) const;
    // kAllExtensions clears the whole log.
    EngineErrorCode ClearCallLog(std::uint8_t pbx, std::uint8_t extension, int seconds) const;
    EngineErrorCode ReadWakeUp(std::uint8_t pbx, std::uint8_t extension, WakeUpBytes& wakeUp, int seconds) const;

    // Registers this workstation for events: 0, or 38 when data came back.
    EngineErrorCode PingServer() const;
    // Has the server relay the frame as an event of the PBX to every registered workstation: 0, or 38
    // when data came back. Relay targets carry PBX indexes 0-63 only: 33 above, nothing sent.
    EngineErrorCode SendToClients(std::uint8_t pbx, std::span<const std::uint8_t> frame) const;

    // Off-hook / on-hook of the extension (kThisStation: this station). On success, and unless noKey,
    // key 64 is then pressed / released with a 6-second request, whose result is the result.
    EngineErrorCode OffHook(std::uint8_t pbx, std::uint8_t extension, bool noKey, int seconds) const;
    EngineErrorCode OnHook(std::uint8_t pbx, std::uint8_t extension, bool noKey, int seconds) const;
    EngineErrorCode PressKey64(std::uint8_t pbx, std::uint8_t extension, int seconds) const;
    // Digits on the extension, or on this station (kThisStation). A text too long for one frame gives 61.
    EngineErrorCode SendDigits(std::uint8_t pbx, std::uint8_t extension, std::string_view digits, int seconds) const;
    EngineErrorCode SendKeys(std::uint8_t pbx, std::uint8_t extension, std::span<const std::uint8_t> keys,
                             int seconds) const;

    // Dials the text one character at a time: 0-9, '#', '*', 'F' and 'P' are sent (a failure ends the
    // dialling and is the result), anything else is skipped after 100 ms. After each sent character it
    // pauses 250 ms, or 2000 ms where an outside-line prefix needs the PBX to catch up (after a leading
    // '0'; after the second and third characters behind '6' or '*'; after the third and fourth behind
    // '8'), notes the digit in the recorder when there is one, and with `relay` sends the digit event
    // [0x16 0x16 0x0D 0x02 extension character] to every workstation, whose result becomes the result.
    EngineErrorCode DialNumber(std::uint8_t pbx, std::uint8_t extension, std::string_view text, bool relay,
                               DialledDigitsRecorder* recorder, int seconds) const;

    // --- Requests of the operator console ---
    // Writes a programming record (its first byte the object type, 0-4) and wants the acknowledgement.
    EngineErrorCode WriteProgrammation(std::uint8_t pbx, std::span<const std::uint8_t> block, int seconds) const;
    EngineErrorCode SetWakeUp(std::uint8_t pbx, const WakeUpBytes& wakeUp, int seconds) const;
    // The phone book (PbxDirectory). Reads give 38 for an answer that is not the phone book's; numbers
    // are read within the answer, at most 127 characters. Writing an empty number clears the position.
    EngineErrorCode ReadDirectoryPosition(std::uint8_t pbx, std::uint8_t position, std::string& number,
                                          int seconds) const;
    EngineErrorCode WriteDirectoryPosition(std::uint8_t pbx, std::uint8_t position, std::string_view number,
                                           int seconds) const;
    EngineErrorCode ReadDirectoryInfo(std::uint8_t pbx, PbxDirectory::InfoBlock& block, int seconds) const;
    // `entry` gets the answer's payload (at most 132 bytes, zero-terminated), `number` the number in it.
    EngineErrorCode ReadDirectoryEntry(std::uint8_t pbx, std::uint8_t book, std::uint16_t position,
                                       std::array<std::uint8_t, PbxDirectory::kEntrySize>& entry,
                                       std::string& number, int seconds) const;
    EngineErrorCode WriteDirectoryEntry(std::uint8_t pbx, std::uint8_t book, std::uint16_t position,
                                        std::string_view number, int seconds) const;
    // The network address of a LAN-connected PBX (the recorder's host), asked of the server without
    // waiting for the PBX. Any reply without data (a PBX not on the LAN too) gives 38.
    EngineErrorCode ReadPbxAddress(std::uint8_t pbx, std::string& address) const;
    // Starts (value 1) or stops (0) recording the extension's conversation. The PBX does not answer: the
    // result is the transport's alone.
    EngineErrorCode SendRecordRequest(std::uint8_t pbx, std::uint8_t extension, std::uint8_t value,
                                      int seconds) const;

private:
    // Sends a request frame to a PBX; 34 for a frame that could not be built (length 0).
    EngineErrorCode Request(std::uint8_t pbx, std::span<const std::uint8_t> frame, EngineReply& reply,
                            int seconds) const;
    // A request answered by an acknowledgement of the frame's code.
    EngineErrorCode AcknowledgedRequest(std::uint8_t pbx, std::span<const std::uint8_t> frame, int seconds) const;
    EngineErrorCode HookRequest(std::uint8_t pbx, std::span<const std::uint8_t> frame, std::uint8_t extension,
                                std::uint8_t keyState, bool noKey, int seconds) const;
    // Targets 255 and 0x80 + p carry no PBX answer: 0, or 38 when data came back.
    EngineErrorCode RequestWithoutData(std::uint8_t target, std::span<const std::uint8_t> body) const;

    sockaddr_in m_address;
    SleepFunction m_sleep;
};
