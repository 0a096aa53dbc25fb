#include "simulatorwindow.h"

SimulatorWindow::SimulatorWindow()
{
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        if ((wParam & 0xFFFF) == kFileCloseCommand)
            emit CloseRequested();
    });
}

SimulatorWindow::~SimulatorWindow() = default;

bool SimulatorWindow::Register()
{
    m_registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QLatin1String(kWindowClass), m_target);
    return m_registration != nullptr;
}

bool SimulatorWindow::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QObject::event(event);
}
