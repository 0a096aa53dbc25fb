#include "callplacement.h"

#include "engineclient.h"
#include "engineerrorcode.h"
#include "operatorconsolestate.h"
#include "pbxdisplaynames.h"
#include "stringtable.h"

#include <thread>

namespace {

constexpr unsigned kWaitText = 1024;
constexpr int kSeconds = 6;  // the time budget of each request
constexpr std::chrono::milliseconds kAfterFlash{1000};
constexpr std::chrono::milliseconds kAfterDialling{1000};
constexpr std::chrono::milliseconds kAfterHook{500};
constexpr std::size_t kPosEnabled = 2;  // POSAbilita of the extension programming: dial a flash first
constexpr std::string_view kFlash = "F";

// The requests of one call; the first failure ends them.
class CallSequence {
public:
    CallSequence(const CallPlacement& placement, std::uint8_t extension)
        : m_placement(placement), m_extension(extension)
    {
    }

    bool Ok() const { return m_result == kNoError; }
    int Result() const { return m_result; }

    void OffHook()
    {
        if (Ok())
            m_result = m_placement.engine->OffHook(m_placement.pbx, m_extension, true, kSeconds);
    }
    void PressKey64()
    {
        if (Ok())
            m_result = m_placement.engine->PressKey64(m_placement.pbx, m_extension, kSeconds);
    }
    void Dial(std::string_view text)
    {
        if (Ok())
            m_result = m_placement.engine->DialNumber(m_placement.pbx, m_extension, text, false, nullptr, kSeconds);
    }
    void Pause(std::chrono::milliseconds time) const
    {
        if (!Ok())
            return;
        if (m_placement.sleep)
            m_placement.sleep(time);
        else
            std::this_thread::sleep_for(time);
    }

private:
    const CallPlacement& m_placement;
    const std::uint8_t m_extension;
    int m_result = kNoError;
};

}  // namespace

bool PlaceCallOnFreeLine(const OperatorConsoleState& state, const CallPlacement& placement, const QString& number,
                         bool offHookFirst, bool* placed)
{
    if (placed)
        *placed = false;
    const int lines = state.FirstCounts().lines;
    for (int line = 0; line < lines; ++line) {
        if (state.tables.lineStatus[static_cast<std::size_t>(line)].State() != kStateReady)
            continue;
        const bool whole = PlaceCallOnLine(state, placement, number, line + 1, kThisStationExtension, offHookFirst);
        if (placed)
            *placed = whole;
        return true;
    }
    return false;
}

bool PlaceCallOnLine(const OperatorConsoleState& state, const CallPlacement& placement, const QString& number,
                     int lineNumber, int extension, bool offHookFirst)
{
    if (!placement.engine || lineNumber < 0 || lineNumber > kAnyLineNone)
        return false;
    const QString accessCode = FormatLineAccessCode(state, static_cast<std::uint8_t>(lineNumber));
    if (extension == kThisStationExtension)
        extension = state.ownExtension;
    if (extension < 0 || extension >= state.FirstCounts().extensions)
        return false;
    if (placement.view)
        placement.view->ShowWait(LoadResString(kWaitText));
    const std::string dialText = (accessCode + number).toStdString();
    const bool flashFirst =
        state.tables.extensionProgramming[static_cast<std::size_t>(extension)][kPosEnabled] != 0;

    CallSequence call(placement, static_cast<std::uint8_t>(extension));
    const auto flash = [&] {
        if (flashFirst) {
            call.Dial(kFlash);
            call.Pause(kAfterFlash);
        }
    };
    if (lineNumber != kAnyLineNone) {
        if (offHookFirst)
            call.OffHook();
        flash();
        call.Dial(dialText);
        call.Pause(kAfterDialling);
        if (placement.view)
            placement.view->CloseWait();
        if (offHookFirst)
            call.PressKey64();
    } else {
        if (offHookFirst) {
            call.OffHook();
            call.Pause(kAfterHook);
            call.PressKey64();
            call.Pause(kAfterHook);
        }
        flash();
        call.Dial(dialText);
        if (placement.view)
            placement.view->CloseWait();
    }
    // A failed request skipped every later one, so the wait box was closed once whatever failed.
    if (!call.Ok() && placement.view)
        placement.view->ShowError(call.Result());
    return call.Ok();
}
