#include "deferredmessagetarget.h"

void DeferredMessageTarget::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    std::lock_guard lock(m_mutex);
    if (m_target)
        m_target->Post(message, wParam, lParam);
    else
        m_waiting.push_back({message, wParam, lParam});
}

void DeferredMessageTarget::Attach(MessageTarget* target)
{
    std::lock_guard lock(m_mutex);
    m_target = target;
    if (!m_target)
        return;
    for (const Message& waiting : m_waiting)
        m_target->Post(waiting.message, waiting.wParam, waiting.lParam);
    m_waiting.clear();
}
