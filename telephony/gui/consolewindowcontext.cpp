#include "consolewindowcontext.h"

#include "operatorconsolestate.h"

#include <thread>

CallPlacement ConsoleWindowContext::Placement() const
{
    CallPlacement placement;
    placement.engine = Engine();
    placement.pbx = state ? static_cast<std::uint8_t>(state->firstPbxIdentifier) : 0;
    placement.view = callProgress;
    placement.sleep = sleep;
    return placement;
}

void ConsoleWindowContext::Pause(std::chrono::milliseconds time) const
{
    if (sleep)
        sleep(time);
    else
        std::this_thread::sleep_for(time);
}

QString ConsoleWindowContext::ExtensionName(int index) const
{
    if (!state)
        return {};
    static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
    return FormatExtensionName(*state, labels ? labels : noLabels, index);
}
