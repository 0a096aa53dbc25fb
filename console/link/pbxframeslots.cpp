#include "pbxframeslots.h"

#include "messagetarget.h"

#include <algorithm>

int CPbxFrameSlots::Store(std::span<const std::uint8_t> frame)
{
    if (frame.size() > kSlotSize)
        return -1;
    const int slot = m_next;
    auto& bytes = m_slots[static_cast<std::size_t>(slot)];
    std::copy(frame.begin(), frame.end(), bytes.begin());
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(frame.size()), bytes.end(), std::uint8_t{0});
    m_lengths[static_cast<std::size_t>(slot)] = frame.size();
    if (MessageTarget* target = m_target.load())
        target->Post(m_message, kSlotMessageMark | static_cast<std::uint64_t>(slot), m_tag);
    m_next = (slot + 1) % kSlotCount;
    return slot;
}

const std::uint8_t* CPbxFrameSlots::Slot(int slot) const
{
    if (slot < 0 || slot >= kSlotCount)
        return nullptr;
    return m_slots[static_cast<std::size_t>(slot)].data();
}

std::size_t CPbxFrameSlots::Length(int slot) const
{
    if (slot < 0 || slot >= kSlotCount)
        return 0;
    return m_lengths[static_cast<std::size_t>(slot)];
}
