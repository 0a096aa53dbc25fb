#include "linksilencecounters.h"

void LinkSilenceCounters::Reset(int pbx)
{
    if (pbx >= 0 && pbx < kMaxPbxLinks)
        m_counters[static_cast<std::size_t>(pbx)] = kFull;
}

bool LinkSilenceCounters::CountDown(int pbx)
{
    if (pbx < 0 || pbx >= kMaxPbxLinks)
        return false;
    std::uint8_t& counter = m_counters[static_cast<std::size_t>(pbx)];
    if (counter > 0)
        --counter;
    return counter == 0;
}

std::uint8_t LinkSilenceCounters::Value(int pbx) const
{
    return pbx >= 0 && pbx < kMaxPbxLinks ? m_counters[static_cast<std::size_t>(pbx)] : 0;
}
