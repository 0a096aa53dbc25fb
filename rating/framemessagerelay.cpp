#include "framemessagerelay.h"

void FrameMessageRelay::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    if (m_target)
        m_target->Post(message, wParam, lParam);
    else if (!m_gone)
        m_pending.push_back({message, wParam, lParam});
}

void FrameMessageRelay::SetTarget(MessageTarget* target)
{
    m_gone = m_target != nullptr && target == nullptr;
    m_target = target;
    if (!m_target) {
        m_pending.clear();
        return;
    }
    while (!m_pending.empty()) {
        const Message next = m_pending.front();
        m_pending.pop_front();
        m_target->Post(next.message, next.wParam, next.lParam);
    }
}
