#include "startupmessagetarget.h"

#include <QApplication>
#include <QMetaObject>
#include <QWidget>

StartupMessageTarget::StartupMessageTarget(std::uint32_t terminateMessage, std::optional<std::uint64_t> terminateWParam)
    : m_terminateMessage(terminateMessage), m_terminateWParam(terminateWParam)
{
}

bool StartupMessageTarget::IsTermination(std::uint32_t message, std::uint64_t wParam) const
{
    return message == m_terminateMessage && (!m_terminateWParam || *m_terminateWParam == wParam);
}

void StartupMessageTarget::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    std::unique_lock lock(m_mutex);
    if (m_frame) {
        m_frame->Post(message, wParam, lParam);
        return;
    }
    if (IsTermination(message, wParam)) {
        m_terminating = true;
        lock.unlock();
        // The start-up may wait in a box: close it on the window thread.
        QMetaObject::invokeMethod(this, [this] { EndStartUp(); }, Qt::QueuedConnection);
        return;
    }
    m_waiting.push_back({message, wParam, lParam});
}

void StartupMessageTarget::EndStartUp()
{
    while (QWidget* box = QApplication::activeModalWidget()) {
        box->close();
        if (QApplication::activeModalWidget() == box)
            break;  // it would not close
    }
}

void StartupMessageTarget::Attach(MessageTarget* frame)
{
    std::lock_guard lock(m_mutex);
    m_frame = frame;
    if (!m_frame)
        return;
    for (const Message& waiting : m_waiting)
        m_frame->Post(waiting.message, waiting.wParam, waiting.lParam);
    m_waiting.clear();
}

bool StartupMessageTarget::TerminationRequested() const
{
    std::lock_guard lock(m_mutex);
    return m_terminating;
}
