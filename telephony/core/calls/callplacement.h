#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>

class CEngineClient;
class OperatorConsoleState;

// What the windows show while the console places a call: a wait box and an error box.
class CallProgressView {
public:
    virtual ~CallProgressView() = default;
    virtual void ShowWait(const QString& text) = 0;
    virtual void CloseWait() = 0;
    // A request failed with the engine's code (the box with its text).
    virtual void ShowError(int code) = 0;
};

// How a call is placed: the engine client (none: nothing is done), the index of the first PBX in the
// engine's list, the windows' view and the pauses between the requests.
struct CallPlacement {
    using Sleep = std::function<void(std::chrono::milliseconds)>;

    const CEngineClient* engine = nullptr;
    std::uint8_t pbx = 0;
    CallProgressView* view = nullptr;
    Sleep sleep;  // the thread sleeps when empty
};

inline constexpr int kThisStationExtension = 255;
inline constexpr int kAnyLineNone = 255;  // no line: the number is dialled as it is

// Dials the number on the first free line of the first PBX (by line index): true when one was free and
// the call was started, false (nothing sent) when none is. `placed`, when given, tells whether the call
// went out whole (PlaceCallOnLine's result).
bool PlaceCallOnFreeLine(const OperatorConsoleState& state, const CallPlacement& placement, const QString& number,
                         bool offHookFirst, bool* placed = nullptr);
// Dials the line's access code and the number from the extension (255: this workstation's). The wait
// box shows while the requests run and is closed on every path; the first failing request stops the
// call and is shown once. True when every request was sent and taken; false when one failed or nothing
// could be sent.
bool PlaceCallOnLine(const OperatorConsoleState& state, const CallPlacement& placement, const QString& number,
                     int lineNumber, int extension, bool offHookFirst);
