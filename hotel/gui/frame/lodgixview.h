#pragma once

#include "messagetarget.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <unordered_map>

// The hotel program's one view. The front desk grows here: the frame posts it the menu's commands
// (WM_COMMAND, the command id as wParam) and the Ctrl+letter keys (kActionKeyMessage, the letter's code
// 1-24 as wParam); handlers are added per command and per message.
class CLodgixView : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kActionKeyMessage = WM_USER + 100;

    explicit CLodgixView(QWidget* parent = nullptr);

    MessageTarget& Target() { return m_target; }
    // The handler of a menu command; a command without one does nothing.
    void OnCommand(int command, std::function<void()> handler);
    // The handler of another window message.
    void OnMessage(std::uint32_t message, MessageMap::Handler handler);

signals:
    // Every message the view received, after its handler ran.
    void MessageReceived(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);

protected:
    bool event(QEvent* event) override;

private:
    QtMessageTarget m_target;
    MessageMap m_messages;
    std::unordered_map<int, std::function<void()>> m_commands;
};
