#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

class MessageTarget;

// The ring of received-frame slots of a PBX channel. The receive thread stores a frame and posts its
// slot; the window reads the slot after the message arrives, before the ring comes round again. Each slot
// holds the longest frame (4 + 255 bytes), so nothing is ever cut or written past its slot.
class CPbxFrameSlots {
public:
    static constexpr int kSlotCount = 100;
    static constexpr std::size_t kSlotSize = 260;
    static constexpr std::uint64_t kSlotMessageMark = 0xFFFF0000u;

    // Copies the frame into the next slot, posts (message, mark | slot, tag) when a target is set, and
    // advances the ring; the slot used. A frame longer than a slot is refused with -1.
    int Store(std::span<const std::uint8_t> frame);

    const std::uint8_t* Slot(int slot) const;   // null outside the ring
    std::size_t Length(int slot) const;         // 0 outside the ring

    void SetTarget(MessageTarget* target) { m_target = target; }
    MessageTarget* Target() const { return m_target; }
    void SetMessage(std::uint32_t message) { m_message = message; }
    std::uint32_t Message() const { return m_message; }
    void SetTag(std::int64_t tag) { m_tag = tag; }
    std::int64_t Tag() const { return m_tag; }

private:
    std::array<std::array<std::uint8_t, kSlotSize>, kSlotCount> m_slots{};
    std::array<std::size_t, kSlotCount> m_lengths{};
    int m_next = 0;  // written by the receive thread only
    std::atomic<MessageTarget*> m_target{nullptr};
    std::atomic<std::uint32_t> m_message{0};
    std::atomic<std::int64_t> m_tag{0};
};
