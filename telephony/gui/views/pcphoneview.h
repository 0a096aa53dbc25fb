#pragma once

#include "consolewindowcontext.h"
#include "messagetarget.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QLabel;

// The PC-phone window: for now its display line and the dial string that the frame's keys build. Its
// commands 1000-1011 are the keys 1-9, *, 0, #; 1012 and 1013 Enter; 1015 and 1016 further keys.
class CPCPhoneView : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kFirstKeyCommand = 1000;
    static constexpr std::uint32_t kLastDigitCommand = 1011;
    static constexpr std::uint32_t kLastKeyCommand = 1016;

    // The display shows the own extension's status text of the context's state.
    explicit CPCPhoneView(const ConsoleWindowContext& context, QWidget* parent = nullptr);

    MessageTarget& Target() { return m_target; }
    void RefreshDisplay();
    void DeleteLastDigit();
    void ClearDialString();

    QString DialString() const { return m_dialString; }
    // The key commands received, in order.
    const std::vector<std::uint32_t>& Commands() const { return m_commands; }

protected:
    bool event(QEvent* event) override;

private:
    void OnCommand(std::uint32_t command);

    QtMessageTarget m_target;
    MessageMap m_messages;
    ConsoleWindowContext m_context;
    QLabel* m_display;
    QLabel* m_dial;
    QString m_dialString;
    std::vector<std::uint32_t> m_commands;
};
