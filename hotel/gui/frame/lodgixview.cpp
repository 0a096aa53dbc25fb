#include "lodgixview.h"

CLodgixView::CLodgixView(QWidget* parent) : QWidget(parent), m_target(this)
{
    setObjectName(QStringLiteral("CLodgixView"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        if (const auto found = m_commands.find(static_cast<int>(wParam)); found != m_commands.end())
            found->second();
    });
}

void CLodgixView::OnCommand(int command, std::function<void()> handler)
{
    m_commands[command] = std::move(handler);
}

void CLodgixView::OnMessage(std::uint32_t message, MessageMap::Handler handler)
{
    m_messages.On(message, std::move(handler));
}

bool CLodgixView::event(QEvent* event)
{
    if (event->type() == WindowMessageEvent::EventType()) {
        const auto* message = static_cast<WindowMessageEvent*>(event);
        m_messages.Dispatch(event);
        emit MessageReceived(message->Message(), message->WParam(), message->LParam());
        return true;
    }
    return QWidget::event(event);
}
