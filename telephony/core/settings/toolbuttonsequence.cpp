#include "toolbuttonsequence.h"

#include "toolbarsettings.h"

#include <QTimer>

namespace {

constexpr int kOwnOrFirstExtensionFlag = 0;  // byte 48: the button works on extension 0
constexpr int kHangUpAtEndFlag = 1;          // byte 49

}  // namespace

ToolButtonSequence::ToolButtonSequence(Steps steps, QObject* parent)
    : QObject(parent), m_steps(std::move(steps)), m_alive(std::make_shared<bool>(true))
{
    if (!m_steps.after) {
        m_steps.after = [this](std::chrono::milliseconds pause, std::function<void()> action) {
            QTimer::singleShot(pause, this, std::move(action));
        };
    }
}

ToolButtonSequence::~ToolButtonSequence() { *m_alive = false; }

bool ToolButtonSequence::Start(const ToolbarSettings& toolbar, int row, int ownExtension,
                               const std::function<std::uint8_t(int extension)>& extensionState)
{
    if (IsRunning() || row < 0 || row >= ToolbarSettings::kRows)
        return false;
    const int extension = toolbar.Flag(row, kOwnOrFirstExtensionFlag) != 0 ? 0 : ownExtension;
    if (extensionState(extension) != kReadyState)
        return false;
    const QString first = toolbar.Number(row, 0);
    if (!first.isEmpty() && m_steps.dial)
        m_steps.dial(first, extension);
    for (int which = 1; which < ToolbarSettings::kNumbers; ++which) {
        const QString number = toolbar.Number(row, which);
        if (number.isEmpty())
            continue;
        m_pending.push_back([this, extension] {
            if (m_steps.hangUp)
                m_steps.hangUp(extension);
        });
        m_pending.push_back([this, number, extension] {
            if (m_steps.dial)
                m_steps.dial(number, extension);
        });
    }
    if (toolbar.Flag(row, kHangUpAtEndFlag) != 0) {
        m_pending.push_back([this, extension] {
            if (m_steps.hangUp)
                m_steps.hangUp(extension);
        });
    }
    RunNext();
    return true;
}

void ToolButtonSequence::RunNext()
{
    if (m_pending.empty())
        return;
    m_waiting = true;
    std::weak_ptr<bool> alive = m_alive;
    m_steps.after(kPause, [this, alive] {
        if (alive.expired())
            return;
        m_waiting = false;
        std::function<void()> action = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        action();
        RunNext();
    });
}
