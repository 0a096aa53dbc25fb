#include "pbxframeassembler.h"

#include "pbxcommandclass.h"

bool CPbxFrameAssembler::Feed(std::uint8_t byte, Clock::time_point now)
{
    if (m_complete) {
        m_complete = false;
        m_position = 0;
    }
    const bool inTime = now - m_tick < kInterByteTimeout;
    switch (m_state) {
    case kHunting:
        if (byte == kPbxSync)
            Begin(now);
        else
            ++m_skipped;
        return false;
    case kOneSync:
        // A late sync byte still counts as the second one: a stale lone 0x16 is at worst one byte of a
        // frame that paused after it, and a run of sync bytes leads into the next frame anyway.
        if (byte == kPbxSync) {
            Store(byte, now);
            m_state = kTwoSync;
        } else {
            Drop(true);
        }
        return false;
    case kTwoSync:
        if (!inTime) {
            TakeLate(byte, now);
        } else if (m_acceptsCode(byte)) {
            Store(byte, now);
            m_state = kCodeSeen;
        } else if (byte == kPbxSync) {
            m_tick = now;  // one more sync byte: the frame begins with the last two
            ++m_skipped;
        } else {
            Drop(true);
        }
        return false;
    case kCodeSeen:
        if (!inTime) {
            TakeLate(byte, now);
            return false;
        }
        Store(byte, now);
        if (byte == 0)
            return Complete();
        m_state = kPayload;
        return false;
    case kPayload:
        if (!inTime) {
            TakeLate(byte, now);
            return false;
        }
        Store(byte, now);
        if (m_position == std::size_t{m_buffer[kPbxPayloadLengthOffset]} + kPbxFrameHeaderSize)
            return Complete();
        return false;
    }
    return false;
}

std::span<const std::uint8_t> CPbxFrameAssembler::Frame() const
{
    if (!m_complete)
        return {};
    return std::span<const std::uint8_t>(m_buffer.data(), m_position);
}

void CPbxFrameAssembler::Begin(Clock::time_point now)
{
    m_position = 0;
    Store(kPbxSync, now);
    m_state = kOneSync;
}

void CPbxFrameAssembler::Drop(bool byteToo)
{
    m_skipped += m_position + (byteToo ? 1 : 0);
    m_position = 0;
    m_state = kHunting;
}

void CPbxFrameAssembler::Store(std::uint8_t byte, Clock::time_point now)
{
    m_buffer[m_position++] = byte;
    m_tick = now;
}

void CPbxFrameAssembler::TakeLate(std::uint8_t byte, Clock::time_point now)
{
    const bool startsAFrame = byte == kPbxSync;
    Drop(!startsAFrame);
    if (startsAFrame)
        Begin(now);
}

bool CPbxFrameAssembler::Complete()
{
    m_state = kHunting;
    m_complete = true;
    return true;
}
