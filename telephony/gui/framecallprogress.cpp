#include "framecallprogress.h"

#include "waitdlg.h"

FrameCallProgress::FrameCallProgress(QWidget* parent, std::function<void(std::uint8_t)> showError)
    : m_parent(parent), m_showError(std::move(showError))
{
}

FrameCallProgress::~FrameCallProgress()
{
    CloseWait();
}

void FrameCallProgress::ShowWait(const QString& text)
{
    CloseWait();
    m_wait = new CWaitDlg(text, m_parent);
    // The requests that follow block this thread: the notice is painted before them.
    m_wait->ShowNow();
}

void FrameCallProgress::CloseWait()
{
    delete m_wait.data();
}

void FrameCallProgress::ShowError(int code)
{
    if (m_showError)
        m_showError(static_cast<std::uint8_t>(code));
}
