#pragma once

#include "pbxcommandclass.h"
#include "pbxframe.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

// The serial receive state machine: turns the bytes of a port into PbxFrames. A byte is in time when less
// than 50 ms have passed since the last accepted byte; a late byte after the code drops the partial frame
// (a late 0x16 starts a new one). The second sync byte may come late. Bytes outside a frame are skipped,
// and a run of 0x16 bytes is taken as leading sync, the last two beginning the frame. Which codes begin a
// frame is the reader's: the engine takes what a PBX sends, a PBX what the engine sends.
class CPbxFrameAssembler {
public:
    using Clock = std::chrono::steady_clock;
    using CodeFilter = bool (*)(std::uint8_t code);
    static constexpr std::chrono::milliseconds kInterByteTimeout{50};

    explicit CPbxFrameAssembler(CodeFilter acceptsCode = IsPbxFrameCode) : m_acceptsCode(acceptsCode) {}

    enum State : int {
        kHunting = 0,   // waiting for 0x16
        kOneSync = 1,
        kTwoSync = 2,
        kCodeSeen = 3,
        kPayload = 4,
    };

    // Takes one byte that arrived at `now`; true when it completes a frame, which Frame() then holds until
    // the next byte.
    bool Feed(std::uint8_t byte, Clock::time_point now);

    std::span<const std::uint8_t> Frame() const;
    State CurrentState() const { return m_state; }
    Clock::time_point LastByteTime() const { return m_tick; }
    // Bytes that ended in no frame (noise, and partial frames dropped), since creation.
    std::size_t SkippedBytes() const { return m_skipped; }

private:
    void Begin(Clock::time_point now);
    // Drops the partial frame and, when it is no start of a frame either, the byte that ended it.
    void Drop(bool byteToo);
    void Store(std::uint8_t byte, Clock::time_point now);
    // A late byte after the sync bytes: a new frame when it is 0x16, else back to hunting.
    void TakeLate(std::uint8_t byte, Clock::time_point now);
    bool Complete();

    CodeFilter m_acceptsCode;
    std::array<std::uint8_t, kMaxPbxFrameSize> m_buffer{};
    std::size_t m_position = 0;
    State m_state = kHunting;
    Clock::time_point m_tick{};
    bool m_complete = false;
    std::size_t m_skipped = 0;
};
