#include "framemessagerelay.h"

#include <QApplication>
#include <QDialog>

void FrameMessageRelay::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    if (m_target) {
        m_target->Post(message, wParam, lParam);
        return;
    }
    if (m_gone)
        return;
    if (message == WM_COMMAND && wParam == m_exitCommand) {
        m_exitRequested = true;
        if (auto dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    }
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
