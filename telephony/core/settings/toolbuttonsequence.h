#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class ToolbarSettings;

// One programmed tool button at work: the first number is dialled at once, each further number after a
// hang-up between two 5-second pauses, and with the row's hang-up flag the line is let go 5 seconds after
// the last. The pauses run on timers of the window's thread, so events keep being read while they last.
// The steps and the timer are the caller's, so that tests can run them without waiting.
class ToolButtonSequence : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kPause{5000};
    static constexpr std::uint8_t kReadyState = 2;  // PRONTO: the extension is free

    struct Steps {
        // Dials a number from the extension, going off-hook first.
        std::function<void(const QString& number, int extension)> dial;
        // Hangs the extension up.
        std::function<void(int extension)> hangUp;
        // Runs the action once the pause has passed; by default a single-shot timer.
        std::function<void(std::chrono::milliseconds pause, std::function<void()> action)> after;
    };

    explicit ToolButtonSequence(Steps steps, QObject* parent = nullptr);
    ~ToolButtonSequence() override;

    // Starts row `row` (0-5) of the tool bar's settings for the extension (the own one, or extension 0 when
    // the row's first flag says so), when the extension is in state `extensionState`. False when nothing
    // was started (not ready, or another button's sequence still runs). Numbers left empty are skipped.
    bool Start(const ToolbarSettings& toolbar, int row, int ownExtension,
               const std::function<std::uint8_t(int extension)>& extensionState);
    bool IsRunning() const { return !m_pending.empty() || m_waiting; }

private:
    void RunNext();

    Steps m_steps;
    std::vector<std::function<void()>> m_pending;  // the remaining actions, each after a pause
    bool m_waiting = false;
    std::shared_ptr<bool> m_alive;
};
